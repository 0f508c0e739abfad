#pragma once
// An in-memory clipboard for tests of the editor core. It keeps the bytes exactly and counts
// the writes, so a test can see that a box copy was one write, not two.
#include "platform/Clipboard.h"

#include <optional>
#include <string>
#include <string_view>

class TFakeClipboard : public TClipboard {
public:
    bool HasText() const override { return text_.has_value(); }
    std::string GetText() const override { return text_.value_or(std::string()); }
    void SetText(std::string_view cp932) override { Write(cp932, false); }
    void SetBoxText(std::string_view cp932) override { Write(cp932, true); }
    bool HasBoxFormat() const override { return box_; }

    // Another program put something on the clipboard that is not text.
    void SetNonText()
    {
        text_.reset();
        box_ = false;
        ++writes_;
    }
    int WriteCount() const { return writes_; }

private:
    void Write(std::string_view cp932, bool box)
    {
        text_ = std::string(cp932);
        box_ = box;
        ++writes_;
    }
    std::optional<std::string> text_;
    bool box_ = false;
    int writes_ = 0;
};
