#pragma once
// Paints an editor onto a canvas: the corner, the ruler, the image bar, the left bar and the
// text rows in the colours of the active fountain, with the selection, the row-end marks and
// the caret-row underline. It reads the editor and the shared row geometry of its metrics, the
// same the invalidation uses, so the two agree about where every row is.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "colouring/EditorColouring.h"
#include "engine/Editor.h"
#include "platform/Canvas.h"

class TFountainParser;

// The after-row event: the row text as painted, its x and y, the screen row, the row's
// rectangle and whether the piece is selected.
using TDrawLineEvent = std::function<void(TObject* Sender, std::string_view LineStr, int X, int Y, int Index,
                                          const TRect& ARect, bool Selected)>;

// Rows are cut here; the view scrolls no further right than this plus half a page.
constexpr int kMaxPaintCols = 1000;

class TEditorPainter {
public:
    TEditorPainter(TEditor& editor, TEditorColouring& colouring);
    virtual ~TEditorPainter();
    TEditorPainter(const TEditorPainter&) = delete;
    TEditorPainter& operator=(const TEditorPainter&) = delete;

    const TEditor& Editor() const { return FEditor; }
    TEditorColouring& Colouring() { return FColouring; }

    // Paints what `clip` covers (client pixels).
    virtual void Paint(TCanvas& canvas, const TRect& clip);

    // The clip snapped to whole columns and rows of the text grid.
    TRect SnapClip(const TRect& clip) const;
    // Italic glyphs overhang their cells: then each token is drawn on its own.
    bool ItalicMode() const;

    // The ruler as prepared for the current metrics and left column, and its inverted copy
    // for the caret-column marker; rebuilt when either changes.
    const TBitmap& RulerBitmap();
    const TBitmap& MarkedRulerBitmap();
    // The ruler's pixel rectangle of column `col`'s marker cell.
    TRect RulerCell(int col) const;

    // The editor's colours with clNone resolved.
    TColor BackColor() const;
    TColor FontColor() const;

    // Row text as painted: tabs expanded, cut at 1000 columns (1001 when a double-byte
    // character starts at the last one); `cut` tells whether anything was left off.
    std::string PaintText(int row, bool& cut) const;

    TDrawLineEvent OnDrawLine;

protected:
    // Called after each painted piece of a row and before its end mark; by default raises
    // OnDrawLine.
    virtual void DrawRowExtra(TCanvas& canvas, const TRect& rect, int x, bool selected, int row,
                              std::string_view text, int y);
    virtual void DrawEofMark(TCanvas& canvas, int x, int y);
    virtual void DrawRetMark(TCanvas& canvas, int x, int y);
    virtual void DrawSelectedRetMark(TCanvas& canvas, int x, int y);
    virtual void DrawWrapMark(TCanvas& canvas, int x, int y);
    virtual void DrawSelectedWrapMark(TCanvas& canvas, int x, int y);
    virtual void DrawHideMark(TCanvas& canvas, int x, int y);
    virtual void DrawSelectedHideMark(TCanvas& canvas, int x, int y);
    // The line under the caret row.
    virtual void DrawUnderline(TCanvas& canvas, int row);

    // A parser for the paint under way (one per paint).
    TFountainParser* Parser() const { return FParser; }
    TColor SelectColor() const;   // the selection's text colour, resolved
    TColor SelectBkColor() const; // its background
    static TColor MarkColor(TColor c, TColor fallback) { return c == clNone ? fallback : c; }

private:
    void PaintCorner(TCanvas& canvas);
    void PaintRuler(TCanvas& canvas, const TRect& clip);
    void PaintLeftbar(TCanvas& canvas, int first, int last);
    void PaintImagebar(TCanvas& canvas, int first, int last);
    void PaintRow(TCanvas& canvas, int row);
    // One piece of a row: the row's text clipped to `piece`, selected or not.
    void PaintPiece(TCanvas& canvas, int row, const std::string& text, int ownLength, const TRect& piece,
                    bool selected);
    void PaintEndMark(TCanvas& canvas, int row, int length, bool cut, bool selected);
    void BuildRuler();
    void DrawWrapShape(TCanvas& canvas, int x, int y, TColor color);
    void DrawHideShape(TCanvas& canvas, int x, int y, TColor color);
    void DrawRetShape(TCanvas& canvas, int x, int y, TColor color);

    TEditor& FEditor;
    TEditorColouring& FColouring;
    TFountainParser* FParser = nullptr;
    std::unique_ptr<TFountainParser> FParserOwner;

    TBitmap FRuler, FMarkedRuler;
    // What the ruler was built for.
    struct TRulerKey {
        int Width = -1, ColWidth = 0, Height = 0, TopCol = -1, Gauge = 0;
        TColor Bk = 0, Color = 0, Mark = 0;
        bool Edge = false;
        friend bool operator==(const TRulerKey&, const TRulerKey&) = default;
    } FRulerKey;
};
