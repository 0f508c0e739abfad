#include "engine/WrapOption.h"

#include <algorithm>

#include "platform/Cp932Bytes.h"

void TSjisCharSet::Assign(std::string_view chars)
{
    FBits.reset();
    for (std::size_t i = 0; i < chars.size();) {
        FBits[cp932::CharCode(chars, i)] = true;
        i += CharLength(chars, i);
    }
}

bool TSjisCharSet::Contains(std::string_view ch) const
{
    if (ch.empty())
        return false;
    return Contains(cp932::CharCode(ch, 0));
}

namespace {
// 、。，．,.｡､
const char* const kPunctuation = "\x81\x41\x81\x42\x81\x43\x81\x44,.\xA1\xA4";
// 、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ
const char* const kFollow =
    "\x81\x41\x81\x42\x81\x43\x81\x44\x81\x45\x81\x48\x81\x49\x81\x4A\x81\x4B\x81\x52\x81\x53"
    "\x81\x54\x81\x55\x81\x58\x81\x5B\x81\x6A\x81\x6E\x81\x70\x81\x76\x81\x78"
    "!),.:;?]}\xA1\xA3\xA4\xA5\xB0\xDE\xDF";
// （［｛「『([{｢
const char* const kLead = "\x81\x69\x81\x6D\x81\x6F\x81\x75\x81\x77([{\xA2";
} // namespace

TEditorWrapOption::TEditorWrapOption()
    : FPunctuationStr(kPunctuation), FFollowStr(kFollow), FLeadStr(kLead),
      FPunctuationSet(std::make_unique<TSjisCharSet>()), FFollowSet(std::make_unique<TSjisCharSet>()),
      FLeadSet(std::make_unique<TSjisCharSet>())
{
    FPunctuationSet->Assign(FPunctuationStr);
    FFollowSet->Assign(FFollowStr);
    FLeadSet->Assign(FLeadStr);
}

void TEditorWrapOption::SetWrapByte(int v)
{
    v = std::clamp(v, MinWrapByte, MaxWrapByte);
    if (v == FWrapByte)
        return;
    FWrapByte = v;
    Changed();
}

void TEditorWrapOption::Store(bool& field, bool v)
{
    if (field == v)
        return;
    field = v;
    Changed();
}

void TEditorWrapOption::Store(std::string& field, TSjisCharSet& set, const std::string& v)
{
    if (field == v)
        return;
    field = v;
    set.Assign(v);
    Changed();
}

void TEditorWrapOption::Assign(const TEditorWrapOption& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    SetWrapByte(source.FWrapByte);
    SetFollowRetMark(source.FFollowRetMark);
    SetFollowPunctuation(source.FFollowPunctuation);
    SetPunctuationStr(source.FPunctuationStr);
    SetLeading(source.FLeading);
    SetFollowStr(source.FFollowStr);
    SetLeadStr(source.FLeadStr);
    SetWordBreak(source.FWordBreak);
    EndUpdate();
}
