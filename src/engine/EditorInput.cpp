// Keys, typed characters and the input method.
#include <algorithm>

#include "engine/Editor.h"
#include "engine/EditorCells.h"
#include "platform/Cp932.h"

namespace {

bool IsCaretKey(int key)
{
    switch (key) {
    case vkPrior:
    case vkNext:
    case vkEnd:
    case vkHome:
    case vkLeft:
    case vkUp:
    case vkRight:
    case vkDown:
        return true;
    default:
        return false;
    }
}

enum TCharClass { ccSpace, ccWord, ccSymbol, ccHiragana, ccKatakana, ccKanji, ccWide, ccHalfKana };

TCharClass ClassOf(std::string_view s, std::size_t i)
{
    const unsigned char b = static_cast<unsigned char>(s[i]);
    if (CharLength(s, i) == 2) {
        const unsigned char t = static_cast<unsigned char>(s[i + 1]);
        if (b == 0x81 && t == 0x40)
            return ccSpace;
        if (b == 0x82 && t >= 0x9F)
            return ccHiragana;
        if (b == 0x83 && t <= 0x96)
            return ccKatakana;
        if (b >= 0x88)
            return ccKanji;
        return b == 0x81 ? ccSymbol : ccWide;
    }
    if (b == ' ' || b == '\t')
        return ccSpace;
    if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '_')
        return ccWord;
    if (b >= 0xA6 && b <= 0xDF)
        return ccHalfKana;
    return ccSymbol;
}

// Without a tokenizer from the colouring side: runs of one character class are words, other
// characters symbols of their own, spaces nothing.
void SplitByClass(std::string_view text, std::vector<TEditorToken>& out)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const TCharClass c = ClassOf(text, i);
        const std::size_t start = i;
        i += CharLength(text, i);
        if (c == ccSymbol) {
            out.push_back({static_cast<int>(start), static_cast<int>(i - start), 1, true});
            continue;
        }
        while (i < text.size() && ClassOf(text, i) == c)
            i += CharLength(text, i);
        if (c != ccSpace)
            out.push_back({static_cast<int>(start), static_cast<int>(i - start), 11, false});
    }
}

} // namespace

bool TEditor::WantsKey(int key) const
{
    if (FWantReturns)
        return true;
    if (key == vkTab)
        return FWantTabs;
    return key == vkLeft || key == vkRight || key == vkUp || key == vkDown;
}

// ---- keys

bool TEditor::KeyDown(int key, TShiftState shift, bool repeated)
{
    if (FDragState == 1 || (FLeftDown && FDragState == 0))
        return false;
    if (FDragState == 2) {
        if (key == vkControl) {
            SetMouseCursor(FCaret->Cursors().DragSelCopyCursor());
            return true;
        }
        if (key == vkEscape) {
            CancelDrag();
            return true;
        }
    }
    FKeyRepeating = repeated;
    if (IsCaretKey(key)) {
        CaretKey(key, shift);
        return true;
    }
    if (key == vkDelete) {
        DeleteChar();
        return true;
    }
    return false;
}

void TEditor::KeyUp(int key, TShiftState)
{
    // The deferred scroll-bar update is owed whatever the key was.
    FKeyRepeating = false;
    if (FScrollDeferred) {
        FScrollDeferred = false;
        UpdateScrollBars();
    }
    if (FDragState == 2 && key == vkControl)
        SetMouseCursor(FCaret->Cursors().DragSelCursor());
}

void TEditor::CaretKey(int key, TShiftState shift)
{
    const bool extend = shift & ssShift;
    const bool ctrl = shift & ssCtrl;
    ++FUpdating;
    if (extend && FSelState == 0)
        StartSelection();
    else if (!extend && FSelState != 0)
        CleanSelection();
    switch (key) {
    case vkPrior:
    case vkNext:
        PageStep(key == vkNext);
        break;
    case vkHome:
        if (ctrl)
            SetRow(0);
        SetCol(0);
        break;
    case vkEnd:
        if (ctrl)
            SetRow(RowCount());
        SetCol(FRow >= RowCount() ? 0 : RowWidth(FRow));
        break;
    case vkLeft:
        if (ctrl)
            WordLeft();
        else if (FCol > 0)
            SetCol(FCol - 1);
        else if (FRow > 0 && (FCaret->NextLine() || FList->RowEnd(FRow - 1) == reWrapped)) {
            SetRow(FRow - 1);
            SetCol(RowWidth(FRow));
        }
        break;
    case vkRight:
        if (ctrl) {
            WordRight();
        } else {
            const int old = FCol;
            const int row = FRow;
            SetCol(FCol + 1);
            if (FCol <= old && row < RowCount() && FList->RowEnd(row) != reEof &&
                (FCaret->NextLine() || FList->RowEnd(row) == reWrapped) && row < MaxCaretRow()) {
                SetRow(row + 1);
                SetCol(0);
            }
        }
        break;
    case vkUp:
    case vkDown:
        VerticalStep(key == vkDown, ctrl);
        break;
    }
    if (extend)
        ExtendSelection();
    --FUpdating;
    DoCaretMoved();
}

void TEditor::PageStep(bool down)
{
    const int range = FKeyRepeating ? FSpeed->PageVerticalRangeAc() : FSpeed->PageVerticalRange();
    const int p = (FMetrics.VisibleRows / 2) * range;
    const int n = RowCount();
    if (!down && FMetrics.TopRow == 0) {
        SetRow(0);
        return;
    }
    if (down && n > 0 && FMetrics.TopRow == n - 1 && FList->RowEnd(n - 1) == reEof)
        return;
    // The caret moves as far as the step asks even where the view cannot scroll that far
    // (the last page), so Page Down always reaches the end.
    const int top = std::clamp(FMetrics.TopRow + (down ? p : -p), 0, n);
    const int delta = top - FMetrics.TopRow;
    SetTopRow(top);
    SetRow(FRow + delta);
}

void TEditor::VerticalStep(bool down, bool ctrl)
{
    const int rows = FMetrics.VisibleRows;
    const bool edge = down ? FRow >= FMetrics.TopRow + rows - 1 : FRow <= FMetrics.TopRow;
    const int step = FKeyRepeating && edge ? FSpeed->CaretVerticalAc() : 1;
    if (!ctrl) {
        SetRow(FRow + (down ? step : -step));
        return;
    }
    SetTopRow(FMetrics.TopRow + (down ? step : -step));
    if (FRow < FMetrics.TopRow)
        SetRow(FMetrics.TopRow);
    else if (FRow >= FMetrics.TopRow + rows)
        SetRow(FMetrics.TopRow + rows - 1);
}

// ---- word moves

void TEditor::Tokens(std::string_view text, const TRowParseState& state, std::vector<TEditorToken>& out) const
{
    out.clear();
    if (FTokenizerHook)
        FTokenizerHook->Tokenize(text, state, out);
    else
        SplitByClass(text, out);
}

void TEditor::WordRight()
{
    int row = FRow;
    if (row >= RowCount())
        return;
    int col = FCol;
    if (col >= RowWidth(row) && row + 1 < RowCount()) {
        ++row;
        col = -1; // a word at the start of the next row lies after the caret
    }
    std::vector<TEditorToken> tokens;
    Tokens(ExpandTabs(RowText(row)), TRowParseState::Reset(), tokens);
    for (const TEditorToken& t : tokens)
        if (!t.Symbol && t.Start > col) {
            SetRowCol(row, t.Start);
            return;
        }
    if (FList->RowEnd(row) == reWrapped && row + 1 < RowCount())
        SetRowCol(row + 1, 0);
    else
        SetRowCol(row, RowWidth(row));
}

void TEditor::WordLeft()
{
    int row = FRow;
    if (row >= RowCount())
        return;
    int col = FCol;
    if (col == 0) {
        if (row == 0)
            return;
        --row;
        col = RowWidth(row);
        if (FList->RowEnd(row) == reBreak) {
            SetRowCol(row, col);
            return;
        }
    }
    std::vector<TEditorToken> tokens;
    Tokens(ExpandTabs(RowText(row)), TRowParseState::Reset(), tokens);
    for (auto t = tokens.rbegin(); t != tokens.rend(); ++t)
        if (!t->Symbol && t->Start < col) {
            SetRowCol(row, t->Start);
            return;
        }
    if (row == 0)
        SetRowCol(0, 0);
    else
        SetRowCol(row - 1, RowWidth(row - 1));
}

// ---- characters

void TEditor::CharMessage(std::string_view bytes, TShiftState shift)
{
    if (FDragState != 0 || FLeftDown)
        return;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (FPendingLead >= 0) {
            const char pair[2] = {static_cast<char>(FPendingLead), static_cast<char>(b)};
            FPendingLead = -1;
            if (IsTrailByte(b)) {
                TypeChar({pair, 2}, shift);
                continue;
            }
            // A lead byte without its trail is no character; the byte after it is one.
        }
        if (b == 8) {
            BackSpace();
        } else if (b == 9) {
            if (!(shift & (ssShift | ssCtrl)) && FWantTabs && !FReadOnly)
                TabChar();
        } else if (b == 13) {
            Newline(shift & ssShift);
        } else if (IsLeadByte(b)) {
            if (i + 1 == bytes.size())
                FPendingLead = b; // its trail comes with the next message
            else if (IsTrailByte(bytes[i + 1])) {
                TypeChar(bytes.substr(i, 2), shift);
                ++i;
            }
        } else if ((b >= 0x20 && b <= 0x7E) || b >= 0xA0) {
            TypeChar(bytes.substr(i, 1), shift);
        }
    }
}

void TEditor::TypeChar(std::string_view ch, TShiftState)
{
    if (FSkipChars > 0) {
        FSkipChars = std::max(0, FSkipChars - static_cast<int>(ch.size()));
        return;
    }
    TypeText(ch);
}

void TEditor::TabChar()
{
    const int tab = FCaret->TabSpaceCount();
    const int col = CaretCell();
    int n = tab - col % tab;
    if (WordWrap())
        n = std::min(n, WrapOption().WrapByte() - col);
    n = std::max(n, 1);
    if (FOverWrite)
        SetCol(FCol + n);
    else if (FCaret->SoftTab())
        TypeText(std::string(static_cast<std::size_t>(n), ' '));
    else
        TypeText("\t");
}

// ---- input method

void TEditor::ImeResult(std::string_view cp932, bool charsFollow)
{
    if (FReadOnly || cp932.empty())
        return;
    FPendingLead = -1;
    TypeText(cp932);
    FSkipChars = charsFollow ? static_cast<int>(std::min<std::size_t>(cp932.size(), 1 << 30)) : 0;
}

void TEditor::ImeResultUtf8(std::string_view utf8, bool charsFollow)
{
    ImeResult(Utf8ToCp932(utf8), charsFollow);
}

void TEditor::ImeCandidateList(bool open)
{
    if (open == FImeCandidateOpen)
        return;
    FImeCandidateOpen = open;
    if (open)
        CaretBeginUpdate();
    else
        CaretEndUpdate();
}
