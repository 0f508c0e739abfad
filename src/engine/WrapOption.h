#pragma once
// Word-wrap settings of the row store and the character sets the line breaker uses.
#include <bitset>
#include <memory>
#include <string>
#include <string_view>

#include "engine/Notify.h"

// A set of CP932 characters, built from an option string at character boundaries, so a
// one-byte character never matches half of a two-byte one.
class TSjisCharSet {
public:
    void Assign(std::string_view chars);
    bool Contains(unsigned code) const { return code < 65536 && FBits[code]; }
    // The character at byte i of s (empty or partial views are simply not contained).
    bool Contains(std::string_view ch) const;

private:
    std::bitset<65536> FBits;
};

class TEditorWrapOption : public TNotifyPersistent {
public:
    TEditorWrapOption();

    int WrapByte() const { return FWrapByte; }
    // Clamped to 20..250.
    void SetWrapByte(int v);
    bool FollowRetMark() const { return FFollowRetMark; }
    void SetFollowRetMark(bool v) { Store(FFollowRetMark, v); }
    bool FollowPunctuation() const { return FFollowPunctuation; }
    void SetFollowPunctuation(bool v) { Store(FFollowPunctuation, v); }
    const std::string& PunctuationStr() const { return FPunctuationStr; }
    void SetPunctuationStr(const std::string& v) { Store(FPunctuationStr, *FPunctuationSet, v); }
    bool Leading() const { return FLeading; }
    void SetLeading(bool v) { Store(FLeading, v); }
    const std::string& FollowStr() const { return FFollowStr; }
    void SetFollowStr(const std::string& v) { Store(FFollowStr, *FFollowSet, v); }
    const std::string& LeadStr() const { return FLeadStr; }
    void SetLeadStr(const std::string& v) { Store(FLeadStr, *FLeadSet, v); }
    bool WordBreak() const { return FWordBreak; }
    void SetWordBreak(bool v) { Store(FWordBreak, v); }

    // Copies all eight values and notifies once.
    void Assign(const TEditorWrapOption& source);

    const TSjisCharSet& PunctuationSet() const { return *FPunctuationSet; }
    const TSjisCharSet& FollowSet() const { return *FFollowSet; }
    const TSjisCharSet& LeadSet() const { return *FLeadSet; }

    static constexpr int MinWrapByte = 20;
    static constexpr int MaxWrapByte = 250;

private:
    void Store(bool& field, bool v);
    void Store(std::string& field, TSjisCharSet& set, const std::string& v);

    int FWrapByte = 80;
    bool FFollowRetMark = false;
    bool FFollowPunctuation = false;
    std::string FPunctuationStr;
    bool FLeading = false;
    std::string FFollowStr;
    std::string FLeadStr;
    bool FWordBreak = false;
    std::unique_ptr<TSjisCharSet> FPunctuationSet, FFollowSet, FLeadSet;
};
