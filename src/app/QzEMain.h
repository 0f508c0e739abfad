#pragma once
// The main window: one per process, one document. So far it has its title, the editor and the
// status bar; menus and tool bar join it later.
#include <QMainWindow>
#include <QString>

#include <array>

class QLabel;
class QStatusBar;
class TEditorWidget;

class TQzEMain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kPanelCount = 6;
    // The title while no file is open; other copies find documents by their titles.
    static QString UntitledTitle();

    explicit TQzEMain(QWidget* parent = nullptr);

    QStatusBar* stbMain() const { return FStbMain; }
    // The main editor, named "Editor".
    TEditorWidget* Editor() const { return FEditor; }
    QLabel* Panel(int index) const;
    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);

private:
    void FormCreate();
    void CreateStatusBar();
    void CreateEditor();
    void EditorChange();
    void EditorCaretMoved();
    void ShowFontPanel();

    QStatusBar* FStbMain = nullptr;
    TEditorWidget* FEditor = nullptr;
    std::array<QLabel*, kPanelCount> FPanels{};
};
