#pragma once
// Every modal question the program asks goes through TDialogs, so tests can script the
// answers (TScriptedDialogs) and the real program shows Qt's boxes and file dialogs.
#include <QString>
#include <QStringList>

class QWidget;

enum class TDialogAnswer { Yes, No, Cancel };

// A file dialog's request. Filters are in Qt's syntax ("Text (*.txt);;All (*)").
struct TFileRequest {
    QString Title;
    QStringList Filters;
    int FilterIndex = 1; // 1-based, as the Windows dialogs count
    QString FileName;    // the initial name
    bool Multiple = false;
};

class TDialogs {
public:
    virtual ~TDialogs() = default;

    // The service in use; the Qt one unless a test installed another.
    static TDialogs& Instance();
    // Installs `dialogs` (nullptr: back to the Qt one); returns the previous one.
    static TDialogs* Install(TDialogs* dialogs);

    // A message with an OK button.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // An error reported by the default handler of commands.
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
    // A confirmation with Yes, No and Cancel.
    virtual TDialogAnswer AskYesNoCancel(QWidget* parent, const QString& text) = 0;
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
    // Empty when cancelled. The request's FilterIndex comes back as the filter chosen.
    virtual QStringList OpenFileNames(QWidget* parent, TFileRequest& request) = 0;
    virtual QString SaveFileName(QWidget* parent, TFileRequest& request) = 0;
};

// Qt's message boxes and file dialogs.
class TQtDialogs : public TDialogs {
public:
    void ShowMessage(QWidget* parent, const QString& text) override;
    void ShowError(QWidget* parent, const QString& text) override;
    TDialogAnswer AskYesNoCancel(QWidget* parent, const QString& text) override;
    bool AskYesNo(QWidget* parent, const QString& text) override;
    QStringList OpenFileNames(QWidget* parent, TFileRequest& request) override;
    QString SaveFileName(QWidget* parent, TFileRequest& request) override;
};
