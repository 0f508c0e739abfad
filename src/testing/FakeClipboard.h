#pragma once
// An in-memory clipboard for tests of the editor core. It keeps the bytes exactly and counts
// the writes, so a test can see that a box copy was one write, not two.
#include "platform/Clipboard.h"

#include <optional>
#include <string>
#include <string_view>

class TFakeClipboard : public TClipboard {
public:
    bool HasText() const override { return FText.has_value(); }
    std::string GetText() const override { return FText.value_or(std::string()); }
    void SetText(std::string_view cp932) override { Write(cp932, false); }
    void SetBoxText(std::string_view cp932) override { Write(cp932, true); }
    bool HasBoxFormat() const override { return FBox; }

    // Another program put something on the clipboard that is not text.
    void SetNonText()
    {
        FText.reset();
        FBox = false;
        ++FWrites;
    }
    int WriteCount() const { return FWrites; }

private:
    void Write(std::string_view cp932, bool box)
    {
        FText = std::string(cp932);
        FBox = box;
        ++FWrites;
    }
    std::optional<std::string> FText;
    bool FBox = false;
    int FWrites = 0;
};
