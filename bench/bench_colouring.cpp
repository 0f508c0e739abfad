// Tokenizer speed on the corpus: every row's start state computed from scratch (as after a
// load or a fountain change, with every row computed), unwrapped and wrapped at 80 columns,
// with HTML-like settings: the HTML reserved words, the "<!--" "-->" bracket pair and
// double-quoted strings. Then a one-character edit in the middle that changes no state: how
// many rows it re-parses and how long it takes. The anchor is one plain pass over every row's
// bytes (counting '<'), the floor any tokenizer pass pays for touching the text.
#include "BenchUtil.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "colouring/EditorColouring.h"

namespace {

const char* const kHtmlWords =
    "A,ABBR,ACRONYM,ADDRESS,APPLET,AREAAbbr,Accept,Accesskey,Action,Align,Alink,Alt,Axis,B,BASE,"
    "BASEFONT,BDO,BIG,BLOCKQUOTE,BODY,BR,BUTTON,Background,Bgcolor,Border,CAPTION,CENTER,CITE,"
    "CODE,COL,COLGROUP,Cellpadding,Cellspacing,Char,Charoff,Charset,Checked,Clear,Code,Codebase,"
    "Codetype,Color,Cols,Colspan,Compact,Content,Coords,DD,DEL,DFN,DIR,DIV,DL,DOCTYPE,DT,Data,"
    "Datetime,Declare,Defer,Dir,Disabled,EM,Enctype,equiv,FIELDSET,FONT,FORM,FRAME,FRAMESET,"
    "Face,For,Frame,Frameborder,Hx,HEAD,HR,HTML,Headers,Height,Href,Hreflang,Hspace,Http,I,"
    "IFRAME,IMG,INPUT,INS,ISINDEX,Id,Ismap,KBD,LABEL,LEGEND,LI,LINK,Label,Lang,Language,Link,"
    "Longdesc,MAP,MENU,META,Marginheight,Marginwidth,Maxlength,Media,Method,Multiple,NOFRAMES,"
    "NOSCRIPT,Name,Nohref,Noresize,Noshade,Nowrap,OBJECT,OL,OPTGROUP,OPTION,P,PARAM,PRE,"
    "Profile,Prompt,Q,Readonly,Rel,Rev,Rows,Rowspan,Rules,S,SAMP,SCRIPT,SELECT,SMALL,SPAN,"
    "STRIKE,STRONG,STYLE,SUB,SUP,Scheme,Scope,Scrolling,Selected,Shape,Size,Span,Src,Standby,"
    "Start,Style,Summary,TABLE,TBODY,TD,TEXTAREA,TFOOT,TH,THEAD,TITLE,TR,TT,Tabindex,Target,"
    "Text,Title,Type,U,UL,Usemap,VAR,Valign,Value,Valuetype,Version,Vlink,Vspace,Width,!,--,%";

std::vector<std::string> SplitCommas(const std::string& s)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || s[i] == ',') {
            out.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    return out;
}

void HtmlLike(TEditorColouring& c)
{
    c.View().Brackets().AddPair("<!--", "-->");
    c.View().SetQuotation("\"");
    TReserveWordList words;
    words.SetWords(SplitCommas(kHtmlWords));
    c.SetReserveWordList(words);
}

double TextMegabytes(const TEditor& e)
{
    double bytes = 0;
    for (int r = 0; r < e.RowCount(); ++r) {
        bytes += static_cast<double>(e.RowText(r).size());
    }
    return bytes / 1e6;
}

struct TEditFigures {
    double MaxRowsParsed = 0;
    double MeanRowsParsed = 0;
    double MedianMicros = 0;
};

// One-character insertions into rows spread around the middle, each undone afterwards.
TEditFigures EditInTheMiddle(TEditor& editor, TEditorColouring& colouring)
{
    TEditFigures figures;
    std::vector<double> micros;
    const int middle = editor.RowCount() / 2;
    for (int k = 0; k < 21; ++k) {
        const int row = middle + k * 97;
        const std::string old(editor.RowText(row));
        const bool breaks = editor.RowEnd(row) == reBreak;
        const auto parsedBefore = colouring.Cache().ParsedRows();
        const auto start = bench::Clock::now();
        editor.ListRows().ReplaceRows(row, 1, "x" + old + (breaks ? "\r\n" : ""));
        micros.push_back(bench::SecondsSince(start) * 1e6);
        const auto parsed = static_cast<double>(colouring.Cache().ParsedRows() - parsedBefore);
        figures.MaxRowsParsed = std::max(figures.MaxRowsParsed, parsed);
        figures.MeanRowsParsed += parsed / 21;
        editor.Undo();
    }
    figures.MedianMicros = bench::Median(micros);
    return figures;
}

} // namespace

int main()
{
    const std::string path = bench::CorpusPath();
    TEditor editor;
    TEditorColouring colouring(editor);
    HtmlLike(colouring);
    editor.Lines().LoadFromFile(path);
    colouring.SetInitBracketsFull(true);
    const double mb = TextMegabytes(editor);

    std::size_t sink = 0;
    const double walk = bench::MedianSeconds(5, [&] {
        for (int r = 0; r < editor.RowCount(); ++r) {
            const auto text = editor.RowText(r);
            sink += static_cast<std::size_t>(std::count(text.begin(), text.end(), '<'));
        }
    });
    const double init = bench::MedianSeconds(5, [&] { colouring.InitRowStates(); });
    bench::Figure("colouring_init_full", mb / init, "MB/s", "row_byte_pass", mb / walk);
    bench::Figure("colouring_init_full_seconds", init, "s");
    const TEditFigures edit = EditInTheMiddle(editor, colouring);
    bench::Figure("colouring_edit_rows_parsed", edit.MaxRowsParsed, "rows");
    bench::Figure("colouring_edit_rows_parsed_mean", edit.MeanRowsParsed, "rows");
    bench::Figure("colouring_edit_time", edit.MedianMicros, "us");

    editor.WrapOption().SetWrapByte(80);
    editor.SetWordWrap(true);
    const double wrapped = bench::MedianSeconds(5, [&] { colouring.InitRowStates(); });
    bench::Figure("colouring_init_full_wrapped80", mb / wrapped, "MB/s");
    const TEditFigures wrappedEdit = EditInTheMiddle(editor, colouring);
    bench::Figure("colouring_edit_rows_parsed_wrapped80", wrappedEdit.MaxRowsParsed, "rows");
    bench::Figure("colouring_edit_rows_parsed_wrapped80_mean", wrappedEdit.MeanRowsParsed, "rows");
    bench::Figure("colouring_peak_rss", bench::PeakRssMiB(), "MiB");
    return sink == 0 ? 1 : 0;
}
