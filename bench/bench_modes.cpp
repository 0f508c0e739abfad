// Display-mode switches and the split on the corpus. A switch applies a kind's whole
// definition and display settings and re-colours: the rows' parse states are reset and
// computed again (about two screens ahead, or every row with InitBracketsFull). When the two
// kinds disagree on word wrap the text is re-wrapped as well, measured separately. The split
// makes a second view that shares the rows.
#include "BenchUtil.h"

#include <memory>

#include "../tests/colouring/MemoryProfile.h"
#include "colouring/DisplayModes.h"
#include "colouring/EditorProp.h"
#include "testing/FakeHost.h"
#include "platform/Sjis.h"

namespace {

const char* const kCodeView =
    "[Extension]\nc=C/C++\n"
    "[C/C++]\n"
    "ReserveWords=auto,break,case,char,const,continue,default,do,double,else,enum,extern,float,for,goto,if,"
    "inline,int,long,register,return,short,signed,sizeof,static,struct,switch,typedef,union,unsigned,void,"
    "volatile,while,class,namespace,template,typename,public,private,protected,virtual\n"
    "Commenter=//\nHexPrefix=0x\nQuotation=\"\nLeftBrackets=/*\nRightBrackets=*/\n";

class TWindow : public TDisplayModeHost {
public:
    std::string Status;
    void ShowMessage(std::string_view) override {}
    std::string StatusModeName() const override { return Status; }
    void SetStatusModeName(std::string_view name) override { Status = name; }
    bool SelectViewItem(TViewItem, std::string_view) override { return true; }
};

} // namespace

int main()
{
    const std::string path = bench::CorpusPath();
    proftest::TMemoryFiles files;
    files["/p/CodeView.cfg"].Parse(kCodeView);
    TWindow window;
    TDisplayModes modes(window, "/p", files.Opener());
    TFakeHost host;
    TBasicColouredEditor editor("Editor", &host);
    modes.SetMainEditor(&editor);
    modes.SetPlainTextMode(editor);
    editor.Editor().Lines().LoadFromFile(path);

    // Every kind wraps (the default): the switch re-colours only.
    const double toC = bench::MedianSeconds(5, [&] {
        modes.SetPlainTextMode(editor);
        modes.SetLanguageMode("C/C++");
    });
    const double toHtml = bench::MedianSeconds(5, [&] { modes.SetHtmlMode(editor); });
    const double toPlain = bench::MedianSeconds(5, [&] { modes.SetPlainTextMode(editor); });
    bench::Figure("mode_switch_plain_then_c", toC, "s");
    bench::Figure("mode_switch_to_html", toHtml, "s");
    bench::Figure("mode_switch_to_plain", toPlain, "s");

    // Every row's colouring state computed again on each switch.
    editor.Editor().Speed().SetInitBracketsFull(true);
    const auto parsedBefore = editor.Colouring().Cache().ParsedRows();
    const double full = bench::MedianSeconds(3, [&] { modes.SetLanguageMode("C/C++"); });
    const double passes = static_cast<double>(editor.Colouring().Cache().ParsedRows() - parsedBefore) /
                          (3.0 * editor.Editor().RowCount());
    const double once = bench::MedianSeconds(3, [&] { editor.Colouring().InitRowStates(); });
    bench::Figure("mode_switch_to_c_every_row", full, "s", "one_full_recolour", once);
    bench::Figure("mode_switch_every_row_passes", passes, "passes");
    editor.Editor().Speed().SetInitBracketsFull(false);

    // The split: a second view bound to the same rows.
    std::vector<double> splits;
    for (int i = 0; i < 5; ++i) {
        TFakeHost subHost;
        auto sub = std::make_unique<TBasicColouredEditor>("SubEditor", &subHost);
        const auto start = bench::Clock::now();
        CopyEditorForSplit(editor, *sub);
        modes.SetSubEditor(sub.get());
        splits.push_back(bench::SecondsSince(start));
        modes.SetSubEditor(nullptr);
    }
    bench::Figure("split_on", bench::Median(splits) * 1e3, "ms");

    // C keeps word wrap off: switching between it and plain text re-wraps all rows too.
    files["/p/CodeAttr.ini"].Exists = true;
    proftest::TMemoryProfile(files["/p/CodeAttr.ini"]).WriteBool("C/C++", "Wordwrap", false);
    const double rewrap = bench::MedianSeconds(3, [&] {
        modes.SetLanguageMode("C/C++");
        modes.SetPlainTextMode(editor);
    });
    bench::Figure("mode_switch_c_unwrapped_then_plain_wrapped", rewrap, "s");
    bench::Figure("modes_peak_rss", bench::PeakRssMiB(), "MiB");
    return 0;
}
