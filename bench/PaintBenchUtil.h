#pragma once
// The painting benchmarks' editor set-ups: the corpus in a view of 120 columns by 60 rows, with
// plain-text colouring (URLs and mail addresses on) or HTML-like settings.
#include "view/VnEdit.h"

namespace bench {

constexpr int kViewCols = 120;
constexpr int kViewRows = 60;

// The client size that shows kViewCols x kViewRows cells of a font with the given cell.
inline TSize ClientFor(const TVnEdit& e, int colWidth, int rowHeight)
{
    const TEditorMetrics& m = e.Metrics();
    return {m.TextLeft + kViewCols * colWidth + colWidth / 2 + 1, m.TopOffset + kViewRows * rowHeight + 5};
}

inline void PlainTextColouring(TVnEdit& e)
{
    e.View().SetUrl(true);
    e.View().SetMail(true);
    e.SetWordHilite(true);
    e.SetHiliteWordList({"noun", "verb"});
}

inline void HtmlLikeColouring(TVnEdit& e)
{
    e.View().SetUrl(false);
    e.View().SetMail(false);
    e.View().SetQuotation("\"");
    e.View().Brackets().AddPair("<!--", "-->");
    TReserveWordList words;
    for (const char* w : {"a", "body", "div", "head", "html", "n", "p", "span", "table", "vt", "vi", "adj"})
        words.Add(w);
    e.Colouring().SetReserveWordList(words);
    e.View().Colors().Reserve().SetColor(0x800000);
    e.View().Colors().Str().SetColor(0x008000);
    e.SetWordHilite(false);
}

} // namespace bench
