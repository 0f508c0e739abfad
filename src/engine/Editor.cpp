#include "engine/Editor.h"

#include "engine/EditorPopupMenu.h"

#include <algorithm>

TEditor::TEditor(TEditorHost* host)
    : FHost(host), FList(std::make_shared<TEditorScreenStrings>()), FLines(std::make_unique<TEditorStrings>(static_cast<TLinesOwner&>(*this))),
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
    FBuiltinPopupMenu = std::make_unique<TEditorPopupMenu>(*this);
    FPopupMenu = FBuiltinPopupMenu.get();
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
        // Tab widths decide the cells and where wrapped rows break; the owner's are the store's.
        HandSettings();
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
    const std::uint16_t old = FList->RowMarks(i);
    if (old == marks)
        return;
    FList->SetRowMarks(i, marks);
    FList->AddUsedMarks(static_cast<std::uint16_t>(marks & ~old));
    // A mark another row still carries stays in use.
    std::uint16_t lost = static_cast<std::uint16_t>(old & ~marks);
    for (int r = 0; lost && r < RowCount(); ++r)
        lost = static_cast<std::uint16_t>(lost & ~FList->RowMarks(r));
    if (lost)
        FList->RemoveUsedMarks(lost);
    if (FHost && FImagebar->Visible() && i >= FMetrics.TopRow && i <= FMetrics.TopRow + FMetrics.VisibleRows) {
        TRect r = RowStrip(i);
        r.Left = 0;
        r.Right = FMetrics.ImagebarWidth;
        if (!r.Empty()) {
            FHost->Invalidate(r);
            FHost->Update();
        }
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

std::vector<TEditor*> TEditor::Views() const
{
    std::vector<TEditor*> out;
    for (TRowStoreClient* c : FList->Clients())
        if (TEditor* e = dynamic_cast<TEditor*>(c))
            out.push_back(e);
    return out;
}

TRowStoreSettings TEditor::StoreSettings() const
{
    return {FCaret->TabSpaceCount(), FDelimiters, FRowStateHook};
}

void TEditor::HandSettings()
{
    if (FList->Owner() == this)
        FList->SetSettings(StoreSettings());
}

void TEditor::SetRowStateHook(TRowStateHook* hook)
{
    FRowStateHook = hook;
    HandSettings();
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
    if (FUpdating++ == 0 && !FList->ActingClient()) {
        FList->SetActingClient(this);
        FChangeStart = CurrentUndoCaret();
        FChangeStartKept = true;
    }
}

void TEditor::EndCompound()
{
    if (FUpdating == 0)
        return;
    // The rows' update ends first: every attached editor hears of the change while this one
    // still counts as updating, so its caret is processed once, below.
    if (FUpdating == 1 && FList->ActingClient() == this) {
        FList->SetActingClient(nullptr);
        FChangeStartKept = false;
    }
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

TUndoCaret TEditor::CurrentUndoCaret() const
{
    TUndoCaret c;
    c.Row = FRow;
    c.Col = FCol;
    c.Byte = FCaretByte;
    c.SelState = FSelState;
    c.Box = FBoxSelection;
    c.AnchorRow = FAnchorRow;
    c.AnchorByte = FAnchorByte;
    c.AnchorCol = FAnchorCol;
    return c;
}

TUndoCaret TEditor::UndoCaret()
{
    // The first entry of a change gets the state from before it: the operation may have
    // dropped the selection or moved the caret before it replaced any rows.
    if (FChangeStartKept) {
        FChangeStartKept = false;
        return FChangeStart;
    }
    return CurrentUndoCaret();
}

void TEditor::RestoreUndoCaret(const TUndoCaret& c)
{
    DropSelection();
    if (c.SelState != 0 && c.Box != FBoxSelection && !FDragging) {
        FBoxSelection = c.Box;
        DoSelectionModeChange();
    }
    SetRow(c.Row);
    SetCol(c.Col);
    if (c.Byte >= 0 && c.Row == FRow) // past what a column can say: the byte it stood on
        FCaretByte = std::min(c.Byte, static_cast<int>(RowText(FRow).size()));
    if (c.SelState == 0 || RowCount() == 0)
        return;
    FAnchorRow = c.AnchorRow;
    FAnchorByte = c.AnchorByte;
    FAnchorCol = c.AnchorCol;
    FSelState = c.SelState;
    ClampSelection();
    if (FSelState == 2) {
        HideUnderline();
        RecomputeSelection(true);
    }
}

void TEditor::LinesCaretToEnd()
{
    SetRow(RowCount());
    SetCol(0);
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
