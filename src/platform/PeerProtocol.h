#pragma once
// The messages copies of the program send one another over their local sockets. One request
// per connection, answered (where an answer is due) on the same connection.
//
// Frame: "VRNT", a version byte, a type byte, a 4-byte big-endian payload length, the payload.
// Payload fields: 8-byte big-endian integers and strings (a 4-byte length and the bytes).
// A frame with another magic or version, an unknown type, a payload over kMaxPayload, or fields
// that do not fill the payload exactly is malformed: it is dropped and the connection closed.
//
// Version 1:
//   Query          -> Info(handle, minimised, caret line, title UTF-8, path bytes)
//   Activate       (no answer)
//   Close          -> CloseAnswer(closed)   (the peer runs its own save prompt first)
//   LineJump(line) (0-based logical line; no answer)
//   SetGeometry(left, top, width, height)   (no answer)
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace peer {

inline constexpr char kMagic[4] = {'V', 'R', 'N', 'T'};
inline constexpr std::uint8_t kVersion = 1;
inline constexpr std::size_t kHeaderSize = 10;
inline constexpr std::size_t kMaxPayload = 64 * 1024;
inline constexpr std::size_t kMaxString = 32 * 1024;

enum class TType : std::uint8_t {
    Query = 1,
    Info = 2,
    Activate = 3,
    Close = 4,
    CloseAnswer = 5,
    LineJump = 6,
    SetGeometry = 7,
};

struct TMessage {
    TType Type = TType::Query;
    std::vector<std::int64_t> Numbers; // in field order
    std::vector<std::string> Texts;    // in field order

    // Info
    std::int64_t Handle() const { return Numbers.size() > 0 ? Numbers[0] : 0; }
    bool Minimised() const { return Numbers.size() > 1 && Numbers[1] != 0; }
    std::int64_t CaretLine() const { return Numbers.size() > 2 ? Numbers[2] : 0; }
    const std::string& Title() const { return Texts[0]; }
    const std::string& Path() const { return Texts[1]; }
};

// The field layout of each type: 'n' a number, 's' a string.
inline std::optional<std::string_view> Layout(TType t)
{
    switch (t) {
    case TType::Query:
    case TType::Activate:
    case TType::Close:
        return "";
    case TType::Info:
        return "nnnss"; // handle, minimised, caret line, title, path
    case TType::CloseAnswer:
    case TType::LineJump:
        return "n";
    case TType::SetGeometry:
        return "nnnn";
    }
    return std::nullopt;
}

namespace detail {

inline void PutNumber(std::string& out, std::uint64_t v, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline std::uint64_t GetNumber(std::string_view in, std::size_t pos, int bytes)
{
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | static_cast<unsigned char>(in[pos + static_cast<std::size_t>(i)]);
    return v;
}

} // namespace detail

// The frame of a message; empty when the message does not fit its layout or the limits.
inline std::string Encode(const TMessage& m)
{
    const auto layout = Layout(m.Type);
    if (!layout)
        return {};
    std::string payload;
    std::size_t n = 0, s = 0;
    for (char f : *layout) {
        if (f == 'n') {
            if (n >= m.Numbers.size())
                return {};
            detail::PutNumber(payload, static_cast<std::uint64_t>(m.Numbers[n++]), 8);
        } else {
            if (s >= m.Texts.size() || m.Texts[s].size() > kMaxString)
                return {};
            detail::PutNumber(payload, m.Texts[s].size(), 4);
            payload += m.Texts[s++];
        }
    }
    if (n != m.Numbers.size() || s != m.Texts.size() || payload.size() > kMaxPayload)
        return {};
    std::string out(kMagic, 4);
    out.push_back(static_cast<char>(kVersion));
    out.push_back(static_cast<char>(m.Type));
    detail::PutNumber(out, payload.size(), 4);
    return out + payload;
}

enum class TDecode { Done, NeedMore, Malformed };

// Takes one frame from the front of `buffer`. Done: `out` holds it and `used` its size.
inline TDecode Decode(std::string_view buffer, TMessage& out, std::size_t& used)
{
    const std::size_t head = buffer.size() < 4 ? buffer.size() : 4;
    if (buffer.substr(0, head) != std::string_view(kMagic, head))
        return TDecode::Malformed;
    if (buffer.size() >= 5 && static_cast<std::uint8_t>(buffer[4]) != kVersion)
        return TDecode::Malformed;
    if (buffer.size() < kHeaderSize)
        return TDecode::NeedMore;
    const auto type = static_cast<TType>(static_cast<std::uint8_t>(buffer[5]));
    const auto layout = Layout(type);
    const std::uint64_t length = detail::GetNumber(buffer, 6, 4);
    if (!layout || length > kMaxPayload)
        return TDecode::Malformed;
    if (buffer.size() < kHeaderSize + length)
        return TDecode::NeedMore;
    const std::string_view payload = buffer.substr(kHeaderSize, static_cast<std::size_t>(length));
    TMessage m;
    m.Type = type;
    std::size_t pos = 0;
    for (char f : *layout) {
        if (f == 'n') {
            if (payload.size() - pos < 8)
                return TDecode::Malformed;
            m.Numbers.push_back(static_cast<std::int64_t>(detail::GetNumber(payload, pos, 8)));
            pos += 8;
        } else {
            if (payload.size() - pos < 4)
                return TDecode::Malformed;
            const std::uint64_t len = detail::GetNumber(payload, pos, 4);
            pos += 4;
            if (len > kMaxString || payload.size() - pos < len)
                return TDecode::Malformed;
            m.Texts.emplace_back(payload.substr(pos, static_cast<std::size_t>(len)));
            pos += static_cast<std::size_t>(len);
        }
    }
    if (pos != payload.size())
        return TDecode::Malformed;
    out = std::move(m);
    used = kHeaderSize + static_cast<std::size_t>(length);
    return TDecode::Done;
}

inline TMessage Make(TType t, std::vector<std::int64_t> numbers = {},
                     std::vector<std::string> texts = {})
{
    TMessage m;
    m.Type = t;
    m.Numbers = std::move(numbers);
    m.Texts = std::move(texts);
    return m;
}

} // namespace peer
