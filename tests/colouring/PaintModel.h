#pragma once
// How the painter tokenizes a screen row: from the row's stored state and the parser's screen
// row text (the rows that follow joined while they wrap), taking the tokens that start inside
// the row's own bytes and clipping them to it. The colouring tests compare what a row shows
// through this.
#include <string>
#include <vector>

#include "colouring/FountainParser.h"
#include "colouring/ParseRows.h"

namespace colourtest {

// Calls f(ownLength) for each token of row r, the parser standing on the token.
template <class F>
void PaintRow(const TParseRows& rows, TFountainParser& parser, int r, F&& f)
{
    const int own = static_cast<int>(rows.Get(r).size());
    const std::string_view text = parser.ScreenRowText(rows, r);
    parser.StartRow(text, rows.ParseState(r));
    int limit = static_cast<int>(text.size()) + 4; // a stalled scanner fails, not hangs
    while (parser.NextToken() != tokEnd && parser.TokenPosition() < own && --limit >= 0) {
        f(own);
    }
}

// The colour each byte of rows first..last is painted with (nullptr: the editor's own colours,
// as for blanks between tokens), the rows' bytes one after another.
inline void AppendColours(const TParseRows& rows, TFountainParser& parser, int first, int last,
                          std::vector<const TFountainColor*>& out)
{
    for (int r = first; r <= last; ++r) {
        const std::size_t base = out.size();
        out.resize(base + rows.Get(r).size(), nullptr);
        PaintRow(rows, parser, r, [&](int own) {
            const int end = std::min(own, parser.TokenPosition() + parser.TokenLength());
            const TFountainColor* colour = parser.TokenColor();
            for (int i = parser.TokenPosition(); i < end; ++i) {
                out[base + static_cast<std::size_t>(i)] = colour;
            }
        });
    }
}

} // namespace colourtest
