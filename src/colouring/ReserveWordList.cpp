#include "colouring/ReserveWordList.h"

#include <algorithm>
#include <cstring>

#include "platform/Cp932Bytes.h"

namespace {

// Folds one character starting at s[i] into out; returns the number of bytes it took.
std::size_t FoldChar(std::string_view s, std::size_t i, char out[2], std::size_t& outLen)
{
    const auto c = static_cast<unsigned char>(s[i]);
    if (IsLeadByte(c) && i + 1 < s.size()) {
        auto t = static_cast<unsigned char>(s[i + 1]);
        if (c == 0x82 && t >= 0x81 && t <= 0x9A) {
            t = static_cast<unsigned char>(t - 0x21); // full-width a-z to A-Z
        } else if (c == 0x83 && t >= 0xBF && t <= 0xD6) {
            t = static_cast<unsigned char>(t - 0x20); // Greek
        } else if (c == 0x84 && t >= 0x70 && t <= 0x7E) {
            t = static_cast<unsigned char>(t - 0x30); // Cyrillic, before the 0x7F gap
        } else if (c == 0x84 && t >= 0x80 && t <= 0x91) {
            t = static_cast<unsigned char>(t - 0x31);
        }
        out[0] = static_cast<char>(c);
        out[1] = static_cast<char>(t);
        outLen = 2;
        return 2;
    }
    out[0] = static_cast<char>(cp932::AsciiUpper(c));
    outLen = 1;
    return 1;
}

} // namespace

void FoldCaseCp932(std::string_view s, std::string& out)
{
    for (std::size_t i = 0; i < s.size();) {
        char buf[2];
        std::size_t n = 0;
        i += FoldChar(s, i, buf, n);
        out.append(buf, n);
    }
}

int CompareTextCp932(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        char ca[2], cb[2];
        std::size_t na = 0, nb = 0;
        i += FoldChar(a, i, ca, na);
        j += FoldChar(b, j, cb, nb);
        const int r = std::memcmp(ca, cb, std::min(na, nb));
        if (r != 0) {
            return r;
        }
        if (na != nb) {
            return na < nb ? -1 : 1;
        }
    }
    if (i < a.size()) {
        return 1;
    }
    return j < b.size() ? -1 : 0;
}

TReserveWordList::TReserveWordList(const TReserveWordList& other)
    : FWords(other.FWords)
{
    Reindex();
}

TReserveWordList& TReserveWordList::operator=(const TReserveWordList& other)
{
    Assign(other);
    return *this;
}

const std::string& TReserveWordList::Get(int i) const
{
    static const std::string empty;
    if (i < 0 || i >= Count()) {
        return empty;
    }
    return FWords[static_cast<std::size_t>(i)].Word;
}

std::vector<std::string> TReserveWordList::Words() const
{
    std::vector<std::string> out;
    out.reserve(FWords.size());
    for (const auto& e : FWords) {
        out.push_back(e.Word);
    }
    return out;
}

std::pair<std::size_t, bool> TReserveWordList::Locate(std::string_view key) const
{
    auto it = std::lower_bound(FWords.begin(), FWords.end(), key,
                               [](const TEntry& e, std::string_view k) { return e.Key < k; });
    const bool found = it != FWords.end() && it->Key == key;
    return {static_cast<std::size_t>(it - FWords.begin()), found};
}

int TReserveWordList::Add(std::string_view word)
{
    if (word.empty()) {
        return -1;
    }
    std::string key;
    FoldCaseCp932(word, key);
    const auto [at, found] = Locate(key);
    if (found) {
        return -1;
    }
    FWords.insert(FWords.begin() + static_cast<std::ptrdiff_t>(at),
                  TEntry{std::string(word), std::move(key)});
    Reindex();
    Changed();
    return static_cast<int>(at);
}

void TReserveWordList::Delete(int i)
{
    if (i < 0 || i >= Count()) {
        return;
    }
    FWords.erase(FWords.begin() + i);
    Reindex();
    Changed();
}

void TReserveWordList::Clear()
{
    if (FWords.empty()) {
        return;
    }
    FWords.clear();
    Reindex();
    Changed();
}

void TReserveWordList::Assign(const TReserveWordList& other)
{
    if (&other == this) {
        return;
    }
    FWords = other.FWords;
    Reindex();
    Changed();
}

void TReserveWordList::SetWords(const std::vector<std::string>& words)
{
    BeginUpdate();
    FWords.clear();
    Reindex();
    FPending = true;
    for (const auto& w : words) {
        Add(w);
    }
    EndUpdate();
}

int TReserveWordList::IndexOf(std::string_view word) const
{
    if (word.empty() || FWords.empty()) {
        return -1;
    }
    // Cheap rejections first: the painter asks this for every token of a row.
    const auto first = static_cast<unsigned char>(word[0]);
    if (!FFirstBytes[cp932::AsciiUpper(first)] || word.size() > FLongestKey) {
        return -1;
    }
    char stackBuf[64];
    std::string heap;
    std::string_view key;
    if (word.size() <= sizeof stackBuf) {
        std::size_t n = 0;
        for (std::size_t i = 0; i < word.size();) {
            std::size_t len = 0;
            i += FoldChar(word, i, stackBuf + n, len);
            n += len;
        }
        key = std::string_view(stackBuf, n);
    } else {
        FoldCaseCp932(word, heap);
        key = heap;
    }
    const auto [at, found] = Locate(key);
    return found ? static_cast<int>(at) : -1;
}

bool TReserveWordList::Contains(std::string_view word) const
{
    return IndexOf(word) >= 0;
}

bool TReserveWordList::SameWords(const TReserveWordList& other) const
{
    if (FWords.size() != other.FWords.size()) {
        return false;
    }
    for (std::size_t i = 0; i < FWords.size(); ++i) {
        if (FWords[i].Word != other.FWords[i].Word) {
            return false;
        }
    }
    return true;
}

void TReserveWordList::BeginUpdate()
{
    ++FUpdateCount;
}

void TReserveWordList::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FPending) {
        Changed();
    }
}

void TReserveWordList::Changed()
{
    if (FUpdateCount > 0) {
        FPending = true;
        return;
    }
    FPending = false;
    if (OnChange) {
        OnChange();
    }
}

void TReserveWordList::Reindex()
{
    std::fill(std::begin(FFirstBytes), std::end(FFirstBytes), false);
    FLongestKey = 0;
    for (const auto& e : FWords) {
        FFirstBytes[static_cast<unsigned char>(e.Key[0])] = true;
        FLongestKey = std::max(FLongestKey, e.Key.size());
    }
}
