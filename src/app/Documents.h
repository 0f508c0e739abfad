#pragma once
// What the main window does with files: new, open, clear and open, insert, reload, save, save
// as, backups, the save prompt, the file history, and the copies of the program (finding the
// one that shows a file, starting new ones, listing, arranging and closing them).
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

#include "qt/Dialogs.h"
#include "qt/PeerBus.h"

class TQzEMain;
class TEditor;
class TFileOps;

// The file dialogs' filter list: (description, patterns) pairs, the user's pattern first.
struct TFileFilter {
    std::string Description; // CP932, as the settings and messages hold text
    std::string Patterns;    // "*.txt;*.htm"
};
std::vector<TFileFilter> FileFilterList(const std::string& fileType);
// The same list in Qt's syntax; "*.*" becomes "*", which is what it means on Windows.
QStringList QtFileFilters(const std::vector<TFileFilter>& filters);
// The 1-based filter Save as offers for `fileName` in view mode `viewMode`.
int SaveFilterIndex(const std::string& fileName, const std::string& viewMode);
// The text as it is written with trailing blanks removed from every logical line.
std::string TrimmedText(const TEditor& editor);
// A path as the window title shows it: upper case.
QString TitlePath(const QString& path);

class TDocuments {
public:
    explicit TDocuments(TQzEMain& window);

    // ---- documents
    void New();
    void Clear();
    // True when a file was opened in this window.
    bool Open();
    void ClearAndOpen();
    void InsertFile();
    void Reload();
    bool Save();
    // True when saved; false when cancelled.
    bool SaveAs();
    void OpenByName(const QString& path);
    // Yes, No or Cancel; Cancel also when Yes was answered but the text could not be saved.
    TDialogAnswer SavePrompt();

    // Reads a file into the editor (NUL bytes become blanks); refuses what is not a regular
    // file or is too large, leaving the editor as it was.
    void ReadFile(const QString& path);
    // Writes the text to `path` through a temporary file; with `backup` the old contents
    // stay under the ".Bak" name.
    void WriteFile(const QString& path, bool backup);

    // ---- history
    void AddToHistory(const QString& path);
    // Opens history entry `index` when its file exists, else reports it.
    void OpenFromHistory(int index);
    // The menu captions: "&<access> <path shortened to fit>" and the full paths.
    QStringList HistoryCaptions(int pixelWidth = 200) const;

    // ---- copies
    // Activates the copy that shows `path` (its exact path, asked over the peer bus); `self`
    // tells whether that is this copy.
    bool FindCopyShowing(const QString& path, bool* self = nullptr);
    // Opens the language definition file of the program's folder in a new copy.
    void OpenCodeViewFile();
    // Starts a new copy, for `path` or empty.
    void StartNewCopy(const QString& path = {});
    // Refreshes the list of copies (the Window menu opening).
    QList<TPeerInfo> WindowList();
    // The captions of the window list: title without "－Varnet", then only the file name.
    static QString WindowListCaption(const QString& title);
    void ActivateCopy(const TPeerInfo& peer);
    void Cascade();
    void TileHorizontally();
    void TileVertically();
    // Asks every copy to close, one after the other, this one last.
    void CloseAll();
    // True when no other copy runs.
    bool CountCopies();
    const QList<TPeerInfo>& CopyList() const { return FCopies; }

    // How new copies are started (tests record instead).
    std::function<bool(const QString& program, const QStringList& arguments)> StartProcess;
    // The file operations saves go through (tests make them fail); nullptr: the system's.
    TFileOps* FileOps = nullptr;

private:
    QStringList ChooseFiles(bool multiple);
    void Arrange(const std::function<QList<QRect>(const QRect& area, int count)>& layout);

    TQzEMain& W;
    QList<TPeerInfo> FCopies;
};

// Rectangles for n windows over `area`.
QList<QRect> CascadeRects(const QRect& area, int count);
QList<QRect> TileRects(const QRect& area, int count, bool horizontal);
