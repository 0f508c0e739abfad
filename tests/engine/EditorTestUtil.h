#pragma once
// An editor on a fake host window, for the caret, selection and editing tests.
#include <memory>
#include <string>

#include "EngineTestUtil.h"
#include "testing/FakeHost.h"

namespace enginetest {

struct THostedEditor {
    TFakeHost host;
    TEditor e{&host};

    explicit THostedEditor(const std::string& text = {}) { e.Lines().SetTextStr(text); }
    std::string Text() const { return e.ListRows().GetTextStr(); }
    void Caret(int row, int col) { e.SetRowCol(row, col); }
    // Selects from (r1, c1) to (r2, c2) as a shift-move does.
    void Select(int r1, int c1, int r2, int c2)
    {
        e.SetRowCol(r1, c1);
        e.StartSelection();
        e.SetRowCol(r2, c2);
        e.ExtendSelection();
    }
};

} // namespace enginetest
