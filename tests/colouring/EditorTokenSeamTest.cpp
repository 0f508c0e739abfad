// Word moves and the token under the mouse go through the colouring tokenizer.
#include <gtest/gtest.h>

#include "colouring/EditorColouring.h"
#include "colouring/TokenKinds.h"
#include "testing/FakeHost.h"

namespace {

TPoint Cell(const TEditor& e, int row, int col)
{
    const TEditorMetrics& m = e.Metrics();
    return {m.TextLeft + col * m.ColWidth + 1, m.TopOffset + row * m.RowHeight + 1};
}

TEST(TokenSeam, WordMovesAndHitTestsUseTheFountainsTokens)
{
    TFakeHost host;
    TEditor e(&host);
    e.Lines().SetTextStr("see http://example.com/a?b=1 now, ok\r\n");
    {
        TEditorColouring c(e);
        c.View().SetUrl(true);
        ASSERT_EQ(e.TokenizerHook(), &c);

        // The address is one token: Ctrl+Right jumps over all of it.
        std::vector<int> cols;
        for (int i = 0; i < 3; ++i) {
            e.KeyDown(vkRight, ssCtrl);
            cols.push_back(e.Col());
        }
        EXPECT_EQ(cols, (std::vector<int>{4, 29, 34}));
        e.KeyDown(vkLeft, ssCtrl);
        EXPECT_EQ(e.Col(), 29);

        const TTokenAtPos t = e.TokenAtPos(Cell(e, 0, 10));
        EXPECT_EQ(t.Text, "http://example.com/a?b=1");
        EXPECT_EQ(t.Kind, tokUrl);
        e.SelectTokenAtPos(Cell(e, 0, 10));
        EXPECT_EQ(e.SelText(), "http://example.com/a?b=1");

        // A changed setting reaches the next move: without addresses the parts are words.
        c.View().SetUrl(false);
        EXPECT_NE(e.TokenAtPos(Cell(e, 0, 10)).Kind, tokUrl);
    }
    // Gone with the colouring.
    EXPECT_EQ(e.TokenizerHook(), nullptr);
    e.SetRowCol(0, 0);
    e.KeyDown(vkRight, ssCtrl);
    EXPECT_EQ(e.Col(), 4);
}

} // namespace
