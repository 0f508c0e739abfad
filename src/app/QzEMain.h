#pragma once
// The main window: one per process, one document. So far it has its title and the status bar;
// the editor, menus and tool bar join it later.
#include <QMainWindow>
#include <QString>

#include <array>

class QLabel;
class QStatusBar;

class TQzEMain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kPanelCount = 6;
    // The title while no file is open; other copies find documents by their titles.
    static QString UntitledTitle();

    explicit TQzEMain(QWidget* parent = nullptr);

    QStatusBar* stbMain() const { return FStbMain; }
    QLabel* Panel(int index) const;
    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);

private:
    void FormCreate();
    void CreateStatusBar();

    QStatusBar* FStbMain = nullptr;
    std::array<QLabel*, kPanelCount> FPanels{};
};
