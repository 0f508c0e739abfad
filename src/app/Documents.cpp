#include "app/Documents.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include "app/FileHistory.h"
#include "app/QzEMain.h"
#include "engine/Editor.h"
#include "engine/FileLoad.h"
#include "platform/AtomicFile.h"
#include "platform/FileError.h"
#include "platform/ProgramDir.h"
#include "platform/Sjis.h"
#include "qt/QtCp932.h"

namespace {

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString FromNative(const std::string& path) { return QFile::decodeName(path.c_str()); }
QString Utf8(const char* s) { return QString::fromUtf8(s); }

bool SamePath(const QString& a, const QString& b) { return Native(a) == Native(b); }

} // namespace

// ---- file type filters

std::vector<TFileFilter> FileFilterList(const std::string& fileType)
{
    return {
        {std::string("ﾕｰｻﾞｰ指定("_sj) + fileType + ")", fileType},
        {std::string("テキストファイル (*.txt)"_sj), "*.txt"},
        {std::string("ＨＴＭＬ文書 (*.htm;*.html)"_sj), "*.htm;*.html"},
        {std::string("Delphiソースファイル(*.dpr;*.pas)"_sj), "*.dpr;*.pas"},
        {std::string("Ｃ言語ソースファイル(*.c;*.cpp;*.h)"_sj), "*.c;*.cpp;*.h"},
        {std::string("Javaソースファイル(*.java;*.h)"_sj), "*.java;*.h"},
        {std::string("Visual Basicソースファイル(*.bas;*.frm;*.cls)"_sj), "*.bas;*.frm;*.cls"},
        {std::string("すべてのファイル(*.*)"_sj), "*.*"},
    };
}

// Qt reads the patterns from the last parentheses, separated by blanks.
QStringList QtFileFilters(const std::vector<TFileFilter>& filters)
{
    QStringList out;
    for (const TFileFilter& f : filters) {
        QString description = QStringFromCp932(f.Description);
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open > 0 && description.endsWith(QLatin1Char(')')))
            description.truncate(open);
        QStringList patterns;
        for (const QString& p : QStringFromCp932(f.Patterns).split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns << (p.trimmed() == QLatin1String("*.*") ? QStringLiteral("*") : p.trimmed());
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        out << description.trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                   QLatin1Char(')');
    }
    return out;
}

int SaveFilterIndex(const std::string& fileName, const std::string& viewMode)
{
    const QString ext = QFileInfo(FromNative(fileName)).suffix().toUpper();
    if (ext == QLatin1String("TXT"))
        return 2;
    if (ext == QLatin1String("HTM") || ext == QLatin1String("HTML"))
        return 3;
    if (ext == QLatin1String("DPR") || ext == QLatin1String("PAS"))
        return 4;
    if (ext == QLatin1String("C") || ext == QLatin1String("CPP"))
        return 5;
    if (ext == QLatin1String("JAVA"))
        return 6;
    if (ext == QLatin1String("BAS") || ext == QLatin1String("FRM") || ext == QLatin1String("CLS"))
        return 7;
    if (viewMode == "通常のテキスト"_sj)
        return 2;
    if (viewMode == "ＨＴＭＬ"_sj)
        return 3;
    return 8;
}

QString TitlePath(const QString& path) { return path.toUpper(); }

// Rows joined while they wrap; at the end of each logical line the bytes up to 32 (blanks,
// tabs, control codes) go; CR LF follows a line break. Sized in a first pass, filled in a
// second. Full-width blanks are text and stay.
std::string TrimmedText(const TEditor& editor)
{
    const int rows = editor.RowCount();
    auto trimmedEnd = [](std::string_view s) {
        std::size_t n = s.size();
        while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= 32)
            --n;
        return n;
    };
    // A logical line's kept length: its rows' bytes, less what trails in its last rows.
    auto lineLength = [&](int first, int last) {
        std::size_t total = 0;
        for (int r = first; r <= last; ++r)
            total += editor.RowText(r).size();
        std::size_t drop = 0;
        for (int r = last; r >= first; --r) {
            const std::string_view t = editor.RowText(r);
            const std::size_t keep = trimmedEnd(t);
            drop += t.size() - keep;
            if (keep > 0)
                break;
        }
        return total - drop;
    };
    std::size_t size = 0;
    for (int r = 0; r < rows;) {
        int last = r;
        while (last + 1 < rows && editor.RowEnd(last) == reWrapped)
            ++last;
        size += lineLength(r, last) + (editor.RowEnd(last) == reBreak ? 2 : 0);
        r = last + 1;
    }
    std::string out;
    out.reserve(size);
    for (int r = 0; r < rows;) {
        int last = r;
        while (last + 1 < rows && editor.RowEnd(last) == reWrapped)
            ++last;
        std::size_t keep = lineLength(r, last);
        for (int i = r; i <= last && keep > 0; ++i) {
            const std::string_view t = editor.RowText(i);
            const std::size_t n = std::min(keep, t.size());
            out.append(t.substr(0, n));
            keep -= n;
        }
        if (editor.RowEnd(last) == reBreak)
            out += "\r\n";
        r = last + 1;
    }
    return out;
}

// ---- documents

TDocuments::TDocuments(TQzEMain& window) : W(window)
{
    StartProcess = [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };
}

namespace {

// Only regular files are read: a directory, a FIFO or a device would block or never end, and
// a file beyond what the rows can hold is refused before anything is read.
void CheckReadable(const std::string& name)
{
    struct stat st {};
    if (::stat(name.c_str(), &st) != 0)
        throw EFileError("Cannot open file \"" + name + "\": " + std::strerror(errno), name);
    if (!S_ISREG(st.st_mode))
        throw EFileError("\"" + name + "\" is not a regular file", name);
    if (static_cast<std::uint64_t>(st.st_size) > MaxTextFileSize)
        throw EFileError("The file \"" + name + "\" is too large to edit (over 2 GB)", name);
}

} // namespace

void TDocuments::ReadFile(const QString& path)
{
    const std::string name = Native(path);
    CheckReadable(name);
    TEditor& e = W.Editor();
    if (W.TextEmpty() && e.WordWrap() && W.WrapsByWindow()) {
        // The width at which the window wraps depends on the left bar, and a left bar that
        // numbers the lines grows with their count: once the reader has counted the lines,
        // the width is fitted to them (the window is still empty, so nothing is re-laid
        // out), and the lines are wrapped as they are split.
        try {
            e.Lines().LoadFromFile(name, true, [this](const TFileShape& shape) {
                W.FitWrapToRows(static_cast<long long>(shape.Rows), shape.FinalBreak);
            });
        } catch (...) {
            W.EditorResize(); // the width for the empty text again
            throw;
        }
        return;
    }
    e.Lines().LoadFromFile(name, true);
}

void TDocuments::WriteFile(const QString& path, bool backup)
{
    const TEditor& e = W.Editor();
    const std::string text = W.TrimRightStr() ? TrimmedText(e) : e.ListRows().GetTextStr();
    TAtomicWriteOptions options;
    if (backup)
        options.BackupPath = ChangeFileExt(Native(path), ".Bak");
    WriteFileAtomically(Native(path), text, options, FileOps != nullptr ? *FileOps : TFileOps::System());
}

void TDocuments::New()
{
    if (!W.TextEmpty())
        StartNewCopy();
    else
        Clear();
}

void TDocuments::Clear()
{
    if (W.Modified() && SavePrompt() == TDialogAnswer::Cancel)
        return;
    W.Editor().Lines().Clear();
    W.SetModified(false);
    W.SelectViewMode(std::string("通常のテキスト"_sj));
    W.ShowModified();
    W.SetFileName({});
    W.UpdateTitles();
}

TDialogAnswer TDocuments::SavePrompt()
{
    if (W.TextEmpty())
        return TDialogAnswer::Cancel;
    const QString text = W.windowTitle() + QLatin1Char('\r') + Utf8("データは変更されています。") +
                         QLatin1Char('\r') + Utf8("保存しますか？");
    const TDialogAnswer answer = TDialogs::Instance().AskYesNoCancel(&W, text);
    if (answer != TDialogAnswer::Yes)
        return answer;
    // A save that was cancelled or failed keeps the text: the caller must not go on.
    try {
        return Save() ? TDialogAnswer::Yes : TDialogAnswer::Cancel;
    } catch (const std::exception& e) {
        TDialogs::Instance().ShowError(&W, QString::fromLocal8Bit(e.what()));
        return TDialogAnswer::Cancel;
    }
}

QStringList TDocuments::ChooseFiles(bool multiple)
{
    TSettings& s = W.Settings();
    s.ReadDocumentSettings();
    // The program's own chooser window is not there yet: FileDialog 1 uses the system
    // dialog too.
    TFileRequest request;
    request.Filters = QtFileFilters(FileFilterList(s.Values().FileType));
    request.FileName = W.FileName();
    request.Multiple = multiple;
    return TDialogs::Instance().OpenFileNames(&W, request);
}

bool TDocuments::Open()
{
    const QStringList files = ChooseFiles(true);
    bool opened = false;
    for (const QString& path : files) {
        if (FindCopyShowing(path))
            continue;
        if (!W.TextEmpty()) {
            StartNewCopy(path);
            continue;
        }
        OpenByName(path);
        opened = SamePath(W.FileName(), QFileInfo(path).absoluteFilePath());
    }
    return opened;
}

void TDocuments::ClearAndOpen()
{
    TEditor& e = W.Editor();
    const std::string before = e.ListRows().GetTextStr();
    const QString name = W.FileName();
    const std::string mode = W.ViewMode();
    bool modified = W.Modified();
    if (modified && !W.TextEmpty()) {
        const TDialogAnswer answer = SavePrompt();
        if (answer == TDialogAnswer::Cancel)
            return; // the command is called off and the text stays as it is
        modified = answer == TDialogAnswer::No; // saved text is no longer modified
        W.SetModified(false);                  // answered: Clear does not ask again
    }
    Clear();
    if (Open() || before.empty())
        return;
    // Nothing was opened here: the text comes back as it was, with its name.
    e.Lines().SetTextStr(before);
    W.SetModified(modified);
    W.SetFileName(name);
    W.SelectViewMode(mode);
    W.UpdateTitles();
    W.ShowModified();
}

void TDocuments::InsertFile()
{
    const QStringList files = ChooseFiles(false);
    if (files.isEmpty())
        return;
    // Read into an editor of its own, so NUL bytes become blanks as in an open.
    TEditor scratch;
    const QString path = files.first();
    CheckReadable(Native(path));
    scratch.Lines().LoadFromFile(Native(path), true);
    std::string inserted;
    const int lines = scratch.Lines().Count();
    for (int i = 0; i < lines; ++i)
        inserted += scratch.Lines().Get(i) + "\r\n";

    TEditor& e = W.Editor();
    const int line = e.RowToLine(e.Row());
    const std::string text = e.ListRows().GetTextStr();
    const std::size_t at = static_cast<std::size_t>(std::clamp<std::int64_t>(e.SelStart(), 0, static_cast<std::int64_t>(text.size())));
    e.Lines().SetTextStr(text.substr(0, at) + inserted + text.substr(at));
    e.SetRowCol(e.Lines().LineToRow(std::min(line + lines, std::max(e.Lines().Count() - 1, 0))), 0);
    W.SetModified(true);
    W.ShowModified();
}

void TDocuments::Reload()
{
    if (W.FileName().isEmpty())
        throw EFileError("The text has no file to reload from", {});
    TEditor& e = W.Editor();
    const int top = e.TopRow(), row = e.Row(), col = e.Col();
    ReadFile(W.FileName());
    W.SetModified(false);
    W.ShowModified();
    e.SetTopRow(top);
    e.SetRowCol(row, col);
}

bool TDocuments::Save()
{
    if (W.FileName().isEmpty())
        return SaveAs();
    TSettings& s = W.Settings();
    s.ReadDocumentSettings();
    WriteFile(W.FileName(), s.Values().BakFile);
    W.SetModified(false);
    W.ShowModified();
    return true;
}

bool TDocuments::SaveAs()
{
    TSettings& s = W.Settings();
    s.ReadDocumentSettings();
    TFileRequest request;
    request.Filters = QtFileFilters(FileFilterList(s.Values().FileType));
    request.FilterIndex = SaveFilterIndex(Native(W.FileName()), W.ViewMode());
    request.FileName = W.FileName();
    QString path = TDialogs::Instance().SaveFileName(&W, request);
    if (path.isEmpty())
        return false;
    path = QFileInfo(path).absoluteFilePath();
    if (QFileInfo(path).suffix().isEmpty() && !path.endsWith(QLatin1Char('.')))
        path += QStringLiteral(".txt");
    // The backup is of the file being replaced, so it is decided on the final name.
    const bool backup = s.Values().BakFile && SamePath(path, W.FileName());
    WriteFile(path, backup);
    W.SetFileName(path);
    W.SetModified(false);
    W.ShowModified();
    W.UpdateTitles();
    AddToHistory(path);
    return true;
}

void TDocuments::OpenByName(const QString& given)
{
    const QString path = QFileInfo(given).absoluteFilePath();
    bool self = false;
    if (FindCopyShowing(path, &self)) {
        // An empty copy that was to show the file is not needed; this copy showing it
        // already (an empty file, say) stays.
        if (W.TextEmpty() && !self)
            QMetaObject::invokeMethod(&W, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    if (!W.TextEmpty()) {
        StartNewCopy(path);
        return;
    }
    W.SetSplit(false);
    // The kind's display settings go on while the text is still empty: applied after the
    // read they would lay out a large text a second time. A file that cannot be read
    // leaves the document as it was, kind included.
    const std::string previousMode = W.ViewMode();
    W.SelectViewModeFor(path);
    try {
        ReadFile(path);
    } catch (...) {
        if (!previousMode.empty() && previousMode != W.ViewMode())
            W.SelectViewMode(previousMode);
        throw;
    }
    W.SetFileName(path);
    W.EditorResize();
    TEditor& e = W.Editor();
    W.SetModified(false);
    AddToHistory(path);
    W.ShowModified();
    e.SetRowCol(0, 0);
    W.UpdateTitles();
    if (W.isVisible())
        W.activateWindow();
}

// ---- history

void TDocuments::AddToHistory(const QString& path) { W.History().Add(Native(path)); }

void TDocuments::OpenFromHistory(int index)
{
    TFileHistory& h = W.History();
    h.Load();
    if (index < 0 || index >= static_cast<int>(h.Items().size()))
        return;
    const std::string path = h.Items()[static_cast<std::size_t>(index)];
    if (!QFileInfo::exists(FromNative(path))) {
        TDialogs::Instance().ShowMessage(&W, Utf8("ファイルが見つかりません。") + QLatin1Char('\r') + FromNative(path));
        return;
    }
    h.MoveToFront(path);
    OpenByName(FromNative(path));
}

QStringList TDocuments::HistoryCaptions(int pixelWidth) const
{
    QStringList out;
    const QFontMetrics metrics(W.font());
    const auto& items = W.History().Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QString shown = metrics.elidedText(FromNative(items[i]), Qt::ElideMiddle, pixelWidth);
        out << QStringLiteral("&") + QLatin1Char(TFileHistory::kAccessChars[i]) + QLatin1Char(' ') + shown;
    }
    return out;
}

// ---- copies

// Titles are upper-cased paths, and Linux paths differ by case: the copies are asked for the
// exact path they hold instead, so "a.txt" and "A.TXT" stay two documents.
bool TDocuments::FindCopyShowing(const QString& path, bool* self)
{
    const std::string wanted = Native(QFileInfo(path).absoluteFilePath());
    for (const TPeerInfo& peer : W.Peers().ListCopies()) {
        if (peer.Path != wanted)
            continue;
        W.Peers().Activate(peer);
        if (self != nullptr)
            *self = peer.Self;
        return true;
    }
    return false;
}

void TDocuments::OpenCodeViewFile()
{
    const TProgramDir& dir = TProgramDir::Instance();
    const QString path = FromNative(dir.PathForRead("CodeView.cfg"));
    if (!QFileInfo::exists(path)) {
        TDialogs::Instance().ShowMessage(&W, Utf8("構文強調定義ファイルが見つかりません。\r") + path);
        return;
    }
    StartNewCopy(path);
}

void TDocuments::StartNewCopy(const QString& path)
{
    QStringList arguments;
    if (!path.isEmpty())
        arguments << path;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    StartProcess(QCoreApplication::applicationFilePath(), arguments); // a failure is not reported
    QApplication::restoreOverrideCursor();
}

QString TDocuments::WindowListCaption(const QString& title)
{
    QString t = title;
    const qsizetype at = t.indexOf(TQzEMain::TitleSuffix());
    if (at >= 0)
        t.remove(at, TQzEMain::TitleSuffix().size());
    const qsizetype slash = std::max(t.lastIndexOf(QLatin1Char('/')), t.lastIndexOf(QLatin1Char('\\')));
    return slash >= 0 ? t.mid(slash + 1) : t;
}

QList<TPeerInfo> TDocuments::WindowList()
{
    FCopies = W.Peers().ListCopies();
    return FCopies;
}

void TDocuments::ActivateCopy(const TPeerInfo& peer) { W.Peers().Activate(peer); }

QList<QRect> CascadeRects(const QRect& area, int count)
{
    QList<QRect> out;
    if (count <= 0 || area.isEmpty())
        return out;
    constexpr int kStep = 30; // about one title bar
    const int width = std::max(area.width() * 3 / 4, 1);
    const int height = std::max(area.height() * 3 / 4, 1);
    const int steps = std::max(1, std::min((area.width() - width) / kStep, (area.height() - height) / kStep) + 1);
    for (int i = 0; i < count; ++i) {
        const int k = i % steps;
        out << QRect(area.x() + k * kStep, area.y() + k * kStep, width, height);
    }
    return out;
}

QList<QRect> TileRects(const QRect& area, int count, bool horizontal)
{
    QList<QRect> out;
    if (count <= 0 || area.isEmpty())
        return out;
    // Horizontal tiling stacks wide windows from top to bottom, vertical puts tall ones side
    // by side; from four windows on they form a grid.
    int columns = 1, rows = 1;
    if (count <= 3) {
        (horizontal ? rows : columns) = count;
    } else {
        int major = 1;
        while (major * major < count)
            ++major;
        const int minor = (count + major - 1) / major;
        columns = horizontal ? minor : major;
        rows = horizontal ? major : minor;
    }
    for (int i = 0; i < count; ++i) {
        const int c = horizontal ? i / rows : i % columns;
        const int r = horizontal ? i % rows : i / columns;
        const int x0 = area.x() + area.width() * c / columns;
        const int x1 = area.x() + area.width() * (c + 1) / columns;
        const int y0 = area.y() + area.height() * r / rows;
        const int y1 = area.y() + area.height() * (r + 1) / rows;
        out << QRect(x0, y0, x1 - x0, y1 - y0);
    }
    return out;
}

void TDocuments::Arrange(const std::function<QList<QRect>(const QRect&, int)>& layout)
{
    if (W.windowState() != Qt::WindowNoState)
        W.setWindowState(Qt::WindowNoState);
    const QList<TPeerInfo> copies = FCopies.isEmpty() ? WindowList() : FCopies;
    QScreen* screen = W.screen() != nullptr ? W.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QList<QRect> rects = layout(screen->availableGeometry(), static_cast<int>(copies.size()));
    for (int i = 0; i < copies.size() && i < rects.size(); ++i)
        W.Peers().SetGeometry(copies[i], rects[i]);
}

void TDocuments::Cascade() { Arrange(CascadeRects); }
void TDocuments::TileHorizontally()
{
    Arrange([](const QRect& a, int n) { return TileRects(a, n, true); });
}
void TDocuments::TileVertically()
{
    Arrange([](const QRect& a, int n) { return TileRects(a, n, false); });
}

// Each copy runs its own save prompt and is waited for in turn; this copy goes last, so that
// its own closing does not cut the round short.
void TDocuments::CloseAll()
{
    for (const TPeerInfo& peer : W.Peers().ListCopies())
        if (!peer.Self)
            W.Peers().RequestClose(peer);
    W.close();
}

bool TDocuments::CountCopies()
{
    const int n = static_cast<int>(W.Peers().ListCopies(2).size());
    QCoreApplication::processEvents();
    return n < 2;
}
