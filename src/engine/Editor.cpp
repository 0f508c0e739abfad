#include "engine/Editor.h"

#include <algorithm>

TEditor::TEditor(TEditorHost* host)
    : FHost(host), FList(std::make_shared<TEditorScreenStrings>()), FLines(std::make_unique<TEditorStrings>(*this)),
      FCaret(std::make_unique<TEditorCaret>()), FFont(std::make_unique<TEditorFont>()),
      FMargin(std::make_unique<TEditorMargin>()), FSpeed(std::make_unique<TEditorSpeed>()),
      FRuler(std::make_unique<TEditorRuler>()), FLeftbar(std::make_unique<TEditorLeftbar>()),
      FImagebar(std::make_unique<TEditorImagebar>()), FMarks(std::make_unique<TEditorMarks>()),
      FDelimiters(&WordDelimiters())
{
    FTabSpaceCount = FCaret->TabSpaceCount();
    FCaret->OnChange = [this](TObject* sender) { CaretChanged(sender); };
    for (TNotifyPersistent* s : std::initializer_list<TNotifyPersistent*>{
             FFont.get(), FMargin.get(), FRuler.get(), FLeftbar.get(), FImagebar.get(), FMarks.get()})
        s->OnChange = [this](TObject* sender) { SettingsChanged(sender); };
    FList->Attach(this);
    InitDrawInfo();
}

TEditor::~TEditor()
{
    FCaret->OnChange = nullptr;
    FList->Detach(this);
}

void TEditor::SetHost(TEditorHost* host)
{
    if (host == FHost)
        return;
    if (FHost && FCaretCreated)
        FHost->DestroyCaret();
    FCaretCreated = false;
    FCaretShown = false;
    FHost = host;
    InitDrawInfo();
    UpdateScrollBars();
    InvalidateAll();
    if (FFocused)
        DoCaretMoved();
}

void TEditor::Resized()
{
    InitDrawInfo();
    UpdateScrollBars();
    SetCaretPosition();
}

// ---- settings

void TEditor::SettingsChanged(TObject*)
{
    InitDrawInfo();
    UpdateScrollBars();
    InvalidateAll();
    SetCaretPosition();
}

void TEditor::CaretChanged(TObject*)
{
    if (FCaret->TabSpaceCount() != FTabSpaceCount) {
        FTabSpaceCount = FCaret->TabSpaceCount();
        // Tab widths decide where wrapped rows break; the owner's caret options are the store's.
        if (!FList->Editors().empty() && FList->Editors().front() == this)
            FList->TabSpaceCountChanged();
        InvalidateAll();
    }
    CreateCaretShape();
    SetCaretPosition();
    ShowCaret();
}

void TEditor::SetScrollBars(TScrollStyle v)
{
    if (v == FScrollBars)
        return;
    FScrollBars = v;
    SettingsChanged(nullptr);
}

void TEditor::SetColor(TColor v)
{
    if (v == FColor)
        return;
    FColor = v;
    InvalidateAll();
}

// ---- rows

TRowEnd TEditor::RowEnd(int i) const
{
    if (i < 0 || i >= RowCount())
        return reEof;
    return FList->RowEnd(i);
}

void TEditor::SetRowMarks(int i, std::uint16_t marks)
{
    if (i < 0 || i >= RowCount())
        return;
    FList->SetRowMarks(i, marks);
    FList->AddUsedMarks(marks);
    if (FHost && FImagebar->Visible()) {
        TRect r = RowStrip(i);
        r.Left = 0;
        r.Right = FMetrics.ImagebarWidth;
        if (!r.Empty())
            FHost->Invalidate(r);
    }
}

int TEditor::RowToLine(int i) const
{
    if (!WordWrap())
        return i;
    return FList->BreaksBefore(i);
}

std::int64_t TEditor::TextLength() const
{
    // Offsets count the end of a text without a final line break as one more byte; its
    // length does not.
    const int n = RowCount();
    if (n == 0)
        return 0;
    return FList->RowStart(n) - (FList->RowEnd(n - 1) == reEof ? 1 : 0);
}

int TEditor::IndentWidth(std::string_view s) const
{
    if (s.empty())
        return -1;
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] == ' ' || s[i] == '\t')
            ++i;
        else if (s.compare(i, 2, "\x81\x40") == 0)
            i += 2;
        else
            break;
    }
    return StrWidth(s.substr(0, i));
}

void TEditor::AttachTo(TEditor& other)
{
    if (other.FList == FList)
        return;
    DropSelection();
    FList->Detach(this);
    FList = other.FList;
    FList->Attach(this);
    PullIntoRows();
    UpdateScrollBars();
    InvalidateAll();
}

void TEditor::SetWordWrap(bool v)
{
    FList->SetWordWrap(v);
}

void TEditor::Undo()
{
    if (FReadOnly || !CanUndo())
        return;
    BeginCompound();
    DropSelection();
    FList->Undo();
    // The entry put back the caret of the editor that made it; this one may have been left
    // on a character that moved under it.
    KeepCaretInText();
    EndCompound();
}

void TEditor::Redo()
{
    if (FReadOnly || !CanRedo())
        return;
    BeginCompound();
    DropSelection();
    FList->Redo();
    KeepCaretInText();
    EndCompound();
}

// ---- compound changes

void TEditor::BeginCompound()
{
    CaretBeginUpdate();
    HideUnderline();
    FList->BeginUpdate();
    if (FUpdating++ == 0 && !FList->ActingEditor())
        FList->SetActingEditor(this);
}

void TEditor::EndCompound()
{
    if (FUpdating == 0)
        return;
    // The rows' update ends first: every attached editor hears of the change while this one
    // still counts as updating, so its caret is processed once, below.
    if (FUpdating == 1 && FList->ActingEditor() == this)
        FList->SetActingEditor(nullptr);
    FList->EndUpdate();
    ShowUnderline();
    CaretEndUpdate();
    if (--FUpdating == 0)
        DoCaretMoved();
}

// ---- notifications from the rows

void TEditor::RowsChanged(const TLastChange& change, bool all)
{
    const int row = FRow, top = FMetrics.TopRow;
    PullIntoRows();
    // An editor that is not itself editing may have had the text moved under its caret.
    if (FUpdating == 0)
        KeepCaretInText();
    if (FSelState != 0)
        ClampSelection();
    int digits = LeftbarDigits();
    if (digits != FMetrics.LeftbarDigits) {
        InitDrawInfo();
        all = true;
    }
    UpdateScreen(change, all);
    UpdateScrollBars();
    if (change.Changed) {
        FModified = true;
        if (OnChange)
            OnChange(this);
    }
    if (FUpdating == 0 && (FCaretDirty || row != FRow || top != FMetrics.TopRow))
        DoCaretMoved();
}

void TEditor::RowsRebuilt()
{
    PullIntoRows();
    FCol = 0;
    FCaretByte = -1;
    FColKept = false;
    InvalidateAll();
    UpdateScrollBars();
    if (FUpdating == 0)
        DoCaretMoved();
}

void TEditor::CellsMoved()
{
    KeepCaretInText();
    if (FSelState != 0)
        ClampSelection();
    InvalidateAll();
    if (FUpdating == 0 && FCaretDirty)
        DoCaretMoved();
}

void TEditor::ResetCaret()
{
    FCaretDirty = true;
    FCaretByte = -1;
    FRow = 0;
    FCol = 0;
    FColKept = false;
    FMetrics.TopRow = 0;
    FMetrics.TopCol = 0;
}

void TEditor::PullIntoRows()
{
    int max = MaxCaretRow();
    FRow = std::min(FRow, max);
    FMetrics.TopRow = std::min(FMetrics.TopRow, max);
}
