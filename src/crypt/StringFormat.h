#pragma once
// Text forms of binary data. Each format is a class with class-level operations only; its one
// instance stands for the class and is what the format registry holds, keyed by the format id.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnet::crypt {

class TStringFormat;
using TStringFormatClass = const TStringFormat*;

// Format ids.
constexpr int fmtCopy = 1;
constexpr int fmtHEX = 16;
constexpr int fmtHEXL = 1016;
constexpr int fmtMIME64 = 4196;
constexpr int fmtUU = 21845;
constexpr int fmtXX = 22616;
constexpr int fmtDefault = fmtMIME64; // what format -1 means

// "copy Input to Output": bytes pass unchanged both ways.
class TStringFormat {
public:
    virtual ~TStringFormat() = default;
    static TStringFormatClass Class();

    // Text to binary. Characters outside the accepted set are skipped; malformed structure
    // (UU/XX lines) raises EStringFormat.
    virtual std::string StrTo(const char* text, std::size_t length) const;
    // Binary to text.
    virtual std::string ToStr(const void* bytes, std::size_t length) const;
    virtual std::string Name() const;
    virtual int Format() const;
    // Decoding: every character is accepted (and for UU/XX the lines are well formed).
    // Encoding: the bytes can be written in this format (always so for the formats here).
    virtual bool IsValid(const char* text, std::size_t length, bool decoding) const;
    // The characters accepted when decoding, the output alphabet first; empty for "any".
    virtual std::string_view CharTable() const { return FTable; }

protected:
    // table: the characters accepted when decoding; empty accepts everything.
    explicit TStringFormat(std::string_view table = {});
    bool Accepts(const char* text, std::size_t length) const;

private:
    std::string_view FTable;
    bool FAccepted[256];
};

class TStringFormat_HEX : public TStringFormat {
public:
    static TStringFormatClass Class();
    std::string StrTo(const char* text, std::size_t length) const override;
    std::string ToStr(const void* bytes, std::size_t length) const override;
    std::string Name() const override;
    int Format() const override;

protected:
    explicit TStringFormat_HEX(std::string_view table);
};

class TStringFormat_HEXL : public TStringFormat_HEX {
public:
    static TStringFormatClass Class();
    std::string ToStr(const void* bytes, std::size_t length) const override;
    std::string Name() const override;
    int Format() const override;

protected:
    TStringFormat_HEXL();
};

class TStringFormat_MIME64 : public TStringFormat_HEX {
public:
    static TStringFormatClass Class();

    // Pieces of ToStr for coding a long text chunk by chunk: whole 3-byte groups, then the
    // last 1 or 2 bytes with their padding. Each returns the end of what it wrote.
    static constexpr std::size_t EncodedLength(std::size_t bytes) { return (bytes + 2) / 3 * 4; }
    static char* EncodeGroups(const std::uint8_t* bytes, std::size_t groups, char* out);
    static char* EncodeLast(const std::uint8_t* bytes, std::size_t rest, char* out);

    std::string StrTo(const char* text, std::size_t length) const override;
    std::string ToStr(const void* bytes, std::size_t length) const override;
    std::string Name() const override;
    int Format() const override;

protected:
    TStringFormat_MIME64();
};

class TStringFormat_UU : public TStringFormat {
public:
    static TStringFormatClass Class();
    std::string StrTo(const char* text, std::size_t length) const override;
    std::string ToStr(const void* bytes, std::size_t length) const override;
    std::string Name() const override;
    int Format() const override;
    bool IsValid(const char* text, std::size_t length, bool decoding) const override;

    static constexpr int kMaxLineBytes = 45;

protected:
    explicit TStringFormat_UU(std::string_view table);
    // Value of a data character, or -1 for a character skipped between characters, or -2 for
    // one that is not accepted.
    virtual int CharValue(unsigned char c) const;
    // Walks the lines; writes the decoded bytes when out is given. Returns false for an
    // unaccepted character or a malformed line.
    bool Parse(const char* text, std::size_t length, std::string* out) const;
};

class TStringFormat_XX : public TStringFormat_UU {
public:
    static TStringFormatClass Class();
    std::string ToStr(const void* bytes, std::size_t length) const override;
    std::string Name() const override;
    int Format() const override;

protected:
    TStringFormat_XX();
    int CharValue(unsigned char c) const override;
};

// The format registry: id to class, created on first use with the six formats above.
// Registering a class whose id is present replaces the earlier class.
void RegisterStringFormat(TStringFormatClass format);
// The class for an id (-1: the default), or nullptr.
TStringFormatClass StringFormat(int format);
// Every registered class, in id order.
std::vector<TStringFormatClass> StringFormats();

// Binary to text in a format: raises EStringFormat for an unknown id or bytes the format
// cannot take.
std::string BinToStr(const void* bytes, std::size_t length, int format);
// Text in a format to binary: raises EStringFormat for an unknown id or text that is not in
// the format ("Input is not an valid <name> Format.").
std::string StrToBin(const char* text, std::size_t length, int format);

} // namespace varnet::crypt
