#include "qt/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

TDialogs* gInstalled = nullptr;

QString Caption() { return QApplication::applicationName(); }

// The dialog's own filter list, keeping the 1-based choice in step with it.
void Prepare(QFileDialog& dialog, const TFileRequest& request)
{
    if (!request.Title.isEmpty())
        dialog.setWindowTitle(request.Title);
    dialog.setNameFilters(request.Filters);
    if (request.FilterIndex >= 1 && request.FilterIndex <= request.Filters.size())
        dialog.selectNameFilter(request.Filters[request.FilterIndex - 1]);
    if (!request.FileName.isEmpty())
        dialog.selectFile(request.FileName);
}

void TakeFilter(const QFileDialog& dialog, TFileRequest& request)
{
    const int index = static_cast<int>(request.Filters.indexOf(dialog.selectedNameFilter()));
    if (index >= 0)
        request.FilterIndex = index + 1;
}

} // namespace

TDialogs& TDialogs::Instance()
{
    static TQtDialogs qt;
    return gInstalled != nullptr ? *gInstalled : qt;
}

TDialogs* TDialogs::Install(TDialogs* dialogs)
{
    TDialogs* previous = gInstalled;
    gInstalled = dialogs;
    return previous;
}

void TQtDialogs::ShowMessage(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, Caption(), text);
}

void TQtDialogs::ShowError(QWidget* parent, const QString& text)
{
    QMessageBox::critical(parent, Caption(), text);
}

TDialogAnswer TQtDialogs::AskYesNoCancel(QWidget* parent, const QString& text)
{
    switch (QMessageBox::question(parent, Caption(), text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return TDialogAnswer::Yes;
    case QMessageBox::No:
        return TDialogAnswer::No;
    default:
        return TDialogAnswer::Cancel;
    }
}

bool TQtDialogs::AskYesNo(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, Caption(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

QStringList TQtDialogs::OpenFileNames(QWidget* parent, TFileRequest& request)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The file must exist; read-only files are offered like the others.
    dialog.setFileMode(request.Multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    Prepare(dialog, request);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    TakeFilter(dialog, request);
    return dialog.selectedFiles();
}

QString TQtDialogs::SaveFileName(QWidget* parent, TFileRequest& request)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    Prepare(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    TakeFilter(dialog, request);
    return dialog.selectedFiles().first();
}
