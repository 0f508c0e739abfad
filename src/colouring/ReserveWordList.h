#pragma once
// The reserved words of a fountain: a sorted list without duplicates in which words compare
// case-insensitively (ASCII and the full-width Latin, Greek and Cyrillic letters of code
// page 932), so 'begin' in the list also finds 'Begin' and 'BEGIN'.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Case-insensitive comparison of two code page 932 strings, character by character; trail bytes
// are never folded. Negative, zero or positive like strcmp.
int CompareTextCp932(std::string_view a, std::string_view b);

// Appends the case-folded form of `s` to `out`.
void FoldCaseCp932(std::string_view s, std::string& out);

class TReserveWordList {
public:
    TReserveWordList() = default;
    TReserveWordList(const TReserveWordList& other);
    TReserveWordList& operator=(const TReserveWordList& other);

    int Count() const { return static_cast<int>(FWords.size()); }
    // The word at index i in sorted order; empty outside 0..Count-1.
    const std::string& Get(int i) const;
    std::vector<std::string> Words() const;

    // Adds a word unless it is empty or already present (in any case); returns its index, or
    // -1 when nothing was added.
    int Add(std::string_view word);
    void Delete(int i);
    void Clear();
    // Replaces the words by those of `other` (one change).
    void Assign(const TReserveWordList& other);
    void SetWords(const std::vector<std::string>& words);

    // Index of the word equal to `word` ignoring case, or -1.
    int IndexOf(std::string_view word) const;
    bool Contains(std::string_view word) const;
    // Same words in the same order, byte for byte.
    bool SameWords(const TReserveWordList& other) const;

    void BeginUpdate();
    void EndUpdate();

    // Called after every change outside an update block.
    std::function<void()> OnChange;

private:
    struct TEntry {
        std::string Word;
        std::string Key; // folded
    };
    // Index where `key` is or would be inserted, and whether it is there.
    std::pair<std::size_t, bool> Locate(std::string_view key) const;
    void Changed();

    std::vector<TEntry> FWords;
    std::size_t FLongestKey = 0;
    bool FFirstBytes[256] = {};
    int FUpdateCount = 0;
    bool FPending = false;
    void Reindex();
};
