#pragma once
// The editor control the application places in its windows: the editor with its colouring and
// painter, plus the display aids drawn over each row (highlighted words, quote lines, tab and
// double-byte-space marks, page-break lines, the wrap-column line) and the scroll-bar messages.
#include <memory>
#include <string>
#include <vector>

#include "colouring/EditorColouring.h"
#include "engine/Editor.h"
#include "view/EditorPainter.h"
#include "view/VnSettings.h"

enum class TScrollCode { LineUp, LineDown, PageUp, PageDown, Top, Bottom, ThumbTrack, ThumbPosition, EndScroll };

class TVnEdit;

class TVnPainter : public TEditorPainter {
public:
    TVnPainter(TVnEdit& edit, TEditorColouring& colouring);

    void Paint(TCanvas& canvas, const TRect& clip) override;
    // The x of the wrap column's left edge.
    int WrapLineX() const;

protected:
    void DrawRowExtra(TCanvas& canvas, const TRect& rect, int x, bool selected, int row, std::string_view text,
                      int y) override;
    void DrawUnderline(TCanvas& canvas, int row) override;

private:
    void DrawHiliteWords(TCanvas& canvas, const TRect& rect, int x, bool selected, std::string_view text, int y);
    void DrawQuoteLine(TCanvas& canvas, const TRect& rect, int x, bool selected, std::string_view text, int y);
    void DrawSpaceMarks(TCanvas& canvas, const TRect& rect, bool selected, int row, int y);
    void DrawTabMark(TCanvas& canvas, int mx, int y, bool selected);
    void DrawDByteSpaceMark(TCanvas& canvas, int mx, int y, bool selected);
    void DrawRowBottom(TCanvas& canvas, const TRect& rect, int row);

    TVnEdit& FEdit;
};

class TVnEdit : public TEditor {
public:
    explicit TVnEdit(TEditorHost* host = nullptr);
    ~TVnEdit() override;

    TEditorColouring& Colouring() { return *FColouring; }
    const TEditorColouring& Colouring() const { return *FColouring; }
    TVnPainter& Painter() { return *FPainter; }
    TEditorViewInfo& View() { return FColouring->View(); }

    const std::vector<std::string>& HiliteQuoteMarks() const { return FHiliteQuoteMarks; }
    void SetHiliteQuoteMarks(const std::vector<std::string>& v);
    const std::vector<std::string>& HiliteWordList() const { return FHiliteWordList; }
    void SetHiliteWordList(const std::vector<std::string>& v);
    TVnMarks& MarksVn() { return *FMarksVn; }
    const TVnMarks& MarksVn() const { return *FMarksVn; }
    void SetMarksVn(const TVnMarks& v) { FMarksVn->Assign(v); }
    TVnViewInfo& ViewVn() { return *FViewVn; }
    const TVnViewInfo& ViewVn() const { return *FViewVn; }
    void SetViewVn(const TVnViewInfo& v) { FViewVn->Assign(v); }
    // Set per display mode by the application: plain text highlights words, the others not.
    bool WordHilite() const { return FWordHilite; }
    void SetWordHilite(bool v) { FWordHilite = v; }

    // The settings of the application's main editor.
    void SetMainEditorDefaults();

    void Paint(TCanvas& canvas, const TRect& clip) { FPainter->Paint(canvas, clip); }

    // A typed character before the editor handles it; 0 afterwards when it was swallowed.
    // While whole lines are selected, tab, space and 0xE5 are kept for block indentation.
    void KeyPress(char& key);
    // Character messages: each single-byte character goes through KeyPress first, and what
    // is not swallowed reaches the editor.
    void CharMessage(std::string_view bytes, TShiftState shift = 0);

    // Scroll-bar messages.
    void VScroll(TScrollCode code, int pos = 0);
    void HScroll(TScrollCode code, int pos = 0);

protected:
    void DoCaretMovedEvent() override;
    void DoTopColChange() override;
    virtual void MarksVnChanged(TObject* sender);
    virtual void ViewVnChanged(TObject* sender);

private:
    // Members are freed in reverse order: the view aids first, then the lists.
    std::vector<std::string> FHiliteQuoteMarks;
    std::vector<std::string> FHiliteWordList;
    std::unique_ptr<TVnMarks> FMarksVn;
    std::unique_ptr<TVnViewInfo> FViewVn;
    std::unique_ptr<TEditorColouring> FColouring;
    std::unique_ptr<TVnPainter> FPainter;
    bool FWordHilite = true;
    int FMarkedCol = 0; // the ruler's marked column
};
