#pragma once
// A canvas for tests: it records every drawing call and keeps what the text calls left in each
// cell of the grid, so a test can read the screen as text ("row 3 shows [EOF] at column 0"),
// ask which colour a cell was drawn in, or look for the line of a mark.
#include <map>
#include <string>
#include <vector>

#include "platform/Canvas.h"

// Where the cells lie: column 0 starts at x Left, row 0 at y Top.
struct TCellGrid {
    int Left = 0;
    int Top = 0;
    int ColWidth = 8;
    int RowHeight = 16;
};

class TRecordingCanvas : public TCanvas {
public:
    struct TCell {
        char Byte = 0; // 0: nothing drawn here yet
        TColor Color = clNone;
        TColor Back = clNone;
        TFontStyles Style = 0;
    };
    struct TTextRun {
        int X, Y;
        TRect Clip;
        std::string Text;
        int Advance;
        TColor Color, Back;
        bool Opaque;
        TFontStyles Style;
    };
    struct TLineRun {
        std::vector<TPoint> Points;
        TPen Pen;
        TRect Clip;
    };
    struct TFill {
        TRect Rect;
        TColor Color;
    };
    struct TFrame {
        TRect Rect;
        TPen Pen;
    };
    struct TBlit {
        int X, Y;
        TRect Src;
        const TBitmap* Bitmap;
    };

    TRecordingCanvas(TSize client, const TCellGrid& grid, TFontMetrics metrics = {16, 0, 8, 13});

    // Forgets the calls (the cells stay, as pixels on a screen do).
    void ClearRecord();
    // Forgets the cells as well.
    void ClearCells();
    const TCellGrid& Grid() const { return FGrid; }
    void SetGrid(const TCellGrid& grid);

    std::vector<TTextRun> Texts;
    std::vector<TLineRun> Lines;
    std::vector<TFill> Fills;
    std::vector<TFrame> Frames;
    std::vector<TBlit> Blits;
    TFontDesc Font;

    // The cell of row `row`, column `col` (negative columns lie left of column 0); nullptr
    // outside the client area.
    const TCell* Cell(int row, int col) const;
    // The bytes shown in `count` cells from column `first` of the row; cells never drawn and
    // blank cells read as spaces, trailing spaces are dropped.
    std::string RowText(int row, int first = 0, int count = -1) const;
    // The foreground colour of each cell as an id from `ids`: '.' for a blank or undrawn cell,
    // '?' for a colour not in the map; trailing '.' dropped.
    std::string RowColors(int row, const std::map<TColor, char>& ids, int first = 0, int count = -1) const;
    // The same for the background colours ('.' undrawn, '?' unknown).
    std::string RowBacks(int row, const std::map<TColor, char>& ids, int first = 0, int count = -1) const;
    // Rows 0..rows-1 as text, one per line; the caret's cell (given in pixels) gets a '|'
    // before it.
    std::string Screen(int rows, TPoint caret = {-1, -1}) const;
    // Lines (of any pen) that touch pixel row band [y0, y1).
    std::vector<TLineRun> LinesIn(int y0, int y1) const;

    int Cols() const { return FCols; }
    int Rows() const { return FRows; }
    // Leftmost column of the grid (the one at x 0).
    int FirstCol() const { return FMinCol; }

    // Moves the cells of `area` by (dx, dy) pixels, whole cells only, as a window scroll
    // moves pixels; the cells it uncovers keep what they showed.
    void ScrollCells(int dx, int dy, const TRect& area);

    // TCanvas
    void SetFont(const TFontDesc& font) override { Font = font; }
    TFontMetrics FontMetrics() const override { return FMetrics; }
    void SetClip(const TRect& clip) override { FClip = clip; }
    void FillRect(const TRect& r, TColor color) override;
    void TextOut(int x, int y, const TRect& clip, std::string_view text, int advance, TColor color, TColor back,
                 bool opaque, TFontStyles style) override;
    void Line(TPoint a, TPoint b, const TPen& pen) override;
    void Polyline(const TPoint* points, int count, const TPen& pen) override;
    void FrameRect(const TRect& r, const TPen& pen) override;
    void DrawBitmap(int x, int y, const TBitmap& bitmap, const TRect& src) override;

private:
    int ColOf(int x) const;
    int RowOf(int y) const;
    TCell* CellAt(int row, int col);
    std::string RowDump(int row, int first, int count, char (*pick)(const TCell&, const std::map<TColor, char>&),
                        const std::map<TColor, char>& ids, char blank) const;

    TSize FClient;
    TCellGrid FGrid;
    TFontMetrics FMetrics;
    TRect FClip;
    int FMinCol = 0; // column of x 0
    int FCols = 0;
    int FRows = 0;
    std::vector<TCell> FCells;
};
