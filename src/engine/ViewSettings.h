#pragma once
// The editor's view settings: font, margins, ruler, left bar, image bar, row-end marks and
// speed. Each is a change-notifying object; the editor recomputes its metrics when one changes.
#include <cstdint>
#include <string>

#include "platform/Color.h"
#include "platform/Font.h"
#include "engine/Notify.h"


// A settings object whose setters store a changed value and report it.
class TEditorSettings : public TNotifyPersistent {
protected:
    template <class T>
    void Store(T& field, const T& v)
    {
        if (field == v)
            return;
        field = v;
        Changed();
    }
};

class TEditorFont : public TEditorSettings {
public:
    TEditorFont();
    // The face name in CP932, as the settings file keeps it.
    const std::string& Name() const { return FName; }
    void SetName(const std::string& v) { Store(FName, v); }
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return FHeight; }
    void SetHeight(int v) { Store(FHeight, v); }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { Store(FColor, v); }
    // Bits: bold 1, italic 2, underline 4, strike-out 8.
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles v) { Store(FStyle, v); }
    // Charset as the settings file stores it (128: Shift-JIS).
    std::uint8_t Charset() const { return FCharset; }
    void SetCharset(std::uint8_t v) { Store(FCharset, v); }
    TFontDesc Desc() const { return {FName, FHeight, FStyle, FCharset}; }
    void Assign(const TEditorFont& source);

private:
    std::string FName;
    int FHeight = -13;
    TColor FColor = clWindowText;
    TFontStyles FStyle = 0;
    std::uint8_t FCharset = kShiftJisCharset;
};

class TEditorMargin : public TEditorSettings {
public:
    // Extra pixels added to every column.
    int Character() const { return FCharacter; }
    void SetCharacter(int v) { Store(FCharacter, v); }
    int Left() const { return FLeft; }
    void SetLeft(int v) { Store(FLeft, v); }
    // Extra pixels between rows.
    int Line() const { return FLine; }
    void SetLine(int v) { Store(FLine, v); }
    // Pixels between the ruler and the first row.
    int Top() const { return FTop; }
    void SetTop(int v) { Store(FTop, v); }
    void Assign(const TEditorMargin& source);

private:
    int FCharacter = 0;
    int FLeft = 4;
    int FLine = 0;
    int FTop = 2;
};

class TEditorSpeed : public TEditorSettings {
public:
    // Each factor is kept within 1..4.
    int CaretVerticalAc() const { return FCaretVerticalAc; }
    void SetCaretVerticalAc(int v);
    int PageVerticalRange() const { return FPageVerticalRange; }
    void SetPageVerticalRange(int v);
    int PageVerticalRangeAc() const { return FPageVerticalRangeAc; }
    void SetPageVerticalRangeAc(int v);
    bool InitBracketsFull() const { return FInitBracketsFull; }
    void SetInitBracketsFull(bool v) { Store(FInitBracketsFull, v); }
    void Assign(const TEditorSpeed& source);

private:
    int FCaretVerticalAc = 2;
    int FPageVerticalRange = 2;
    int FPageVerticalRangeAc = 2;
    bool FInitBracketsFull = false;
};

class TEditorRuler : public TEditorSettings {
public:
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor v) { Store(FBkColor, v); }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { Store(FColor, v); }
    bool Edge() const { return FEdge; }
    void SetEdge(bool v) { Store(FEdge, v); }
    // Columns between numbered ticks; at least 1.
    int GaugeRange() const { return FGaugeRange; }
    void SetGaugeRange(int v);
    TColor MarkColor() const { return FMarkColor; }
    void SetMarkColor(TColor v) { Store(FMarkColor, v); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { Store(FVisible, v); }
    // Height of the strip: 0 when hidden.
    int Height() const { return FVisible ? (FEdge ? 11 : 10) : 0; }
    void Assign(const TEditorRuler& source);

private:
    TColor FBkColor = 0xC0C0C0;
    TColor FColor = 0;
    bool FEdge = true;
    int FGaugeRange = 10;
    TColor FMarkColor = 0;
    bool FVisible = true;
};

enum TEditorShowNumberMode { nmRow, nmLine };

class TEditorLeftbar : public TEditorSettings {
public:
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor v) { Store(FBkColor, v); }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { Store(FColor, v); }
    // The least number of digit columns (1..8).
    int Column() const { return FColumn; }
    void SetColumn(int v);
    bool Edge() const { return FEdge; }
    void SetEdge(bool v) { Store(FEdge, v); }
    int LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(int v) { Store(FLeftMargin, v); }
    int RightMargin() const { return FRightMargin; }
    void SetRightMargin(int v) { Store(FRightMargin, v); }
    bool ShowNumber() const { return FShowNumber; }
    void SetShowNumber(bool v) { Store(FShowNumber, v); }
    TEditorShowNumberMode ShowNumberMode() const { return FShowNumberMode; }
    void SetShowNumberMode(TEditorShowNumberMode v) { Store(FShowNumberMode, v); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { Store(FVisible, v); }
    bool ZeroBase() const { return FZeroBase; }
    void SetZeroBase(bool v) { Store(FZeroBase, v); }
    bool ZeroLead() const { return FZeroLead; }
    void SetZeroLead(bool v) { Store(FZeroLead, v); }
    void Assign(const TEditorLeftbar& source);

private:
    TColor FBkColor = clBtnFace;
    TColor FColor = clWindowText;
    int FColumn = 4;
    bool FEdge = true;
    int FLeftMargin = 0;
    int FRightMargin = 2;
    bool FShowNumber = true;
    TEditorShowNumberMode FShowNumberMode = nmRow;
    bool FVisible = false;
    bool FZeroBase = false;
    bool FZeroLead = false;
};

class TEditorImagebar : public TEditorSettings {
public:
    int DigitWidth() const { return FDigitWidth; }
    void SetDigitWidth(int v) { Store(FDigitWidth, v); }
    int LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(int v) { Store(FLeftMargin, v); }
    int MarkWidth() const { return FMarkWidth; }
    void SetMarkWidth(int v) { Store(FMarkWidth, v); }
    int RightMargin() const { return FRightMargin; }
    void SetRightMargin(int v) { Store(FRightMargin, v); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { Store(FVisible, v); }
    // Width of the strip: 0 when hidden.
    int Width() const { return FVisible ? FLeftMargin + FDigitWidth + FMarkWidth + FRightMargin : 0; }
    void Assign(const TEditorImagebar& source);

private:
    int FDigitWidth = 9;
    int FLeftMargin = 0;
    int FMarkWidth = 8;
    int FRightMargin = 2;
    bool FVisible = true;
};

class TEditorMark : public TEditorSettings {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { Store(FColor, v); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { Store(FVisible, v); }
    void Assign(const TEditorMark& source);

private:
    TColor FColor = clGray;
    bool FVisible = false;
};

// The marks drawn at row ends and the caret-row underline; a change of one is a change of all.
class TEditorMarks : public TEditorSettings {
public:
    TEditorMarks();
    TEditorMarks(const TEditorMarks&) = delete;
    TEditorMarks& operator=(const TEditorMarks&) = delete;

    TEditorMark& EofMark() { return FEofMark; }
    TEditorMark& RetMark() { return FRetMark; }
    TEditorMark& WrapMark() { return FWrapMark; }
    TEditorMark& HideMark() { return FHideMark; }
    TEditorMark& Underline() { return FUnderline; }
    const TEditorMark& EofMark() const { return FEofMark; }
    const TEditorMark& RetMark() const { return FRetMark; }
    const TEditorMark& WrapMark() const { return FWrapMark; }
    const TEditorMark& HideMark() const { return FHideMark; }
    const TEditorMark& Underline() const { return FUnderline; }
    void Assign(const TEditorMarks& source);

private:
    TEditorMark FEofMark, FRetMark, FWrapMark, FHideMark, FUnderline;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
