#include "crypt/digests/Sapphire.h"

namespace digest::detail {
namespace {

// One byte through the cipher: shuffle the deck a little, then mix two card lookups into
// the output byte.
[[gnu::always_inline]] inline std::uint8_t Encrypt(SapphireState& s, std::uint8_t* cards,
                                                   std::uint8_t b)
{
    s.ratchet = std::uint8_t(s.ratchet + cards[s.rotor++]);
    const std::uint8_t swap = cards[s.lastCipher];
    cards[s.lastCipher] = cards[s.ratchet];
    cards[s.ratchet] = cards[s.lastPlain];
    cards[s.lastPlain] = cards[s.rotor];
    cards[s.rotor] = swap;
    s.avalanche = std::uint8_t(s.avalanche + cards[swap]);
    s.lastCipher = std::uint8_t(
        b ^ cards[std::uint8_t(cards[s.ratchet] + cards[s.rotor])] ^
        cards[cards[std::uint8_t(cards[s.lastPlain] + cards[s.lastCipher] + cards[s.avalanche])]]);
    s.lastPlain = b;
    return s.lastCipher;
}

} // namespace

// The unkeyed start: fixed index values and the cards in reverse order.
void SapphireState::Init()
{
    rotor = 1;
    ratchet = 3;
    avalanche = 5;
    lastPlain = 7;
    lastCipher = 11;
    for (int i = 0; i < 256; ++i)
        cards[i] = std::uint8_t(255 - i);
}

void SapphireState::Update(const std::uint8_t* data, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
        Encrypt(*this, cards, data[i]);
}

void SapphireState::Finish(std::uint8_t* out, int length)
{
    for (int i = 255; i >= 0; --i)
        Encrypt(*this, cards, std::uint8_t(i));
    for (int i = 0; i < length; ++i)
        out[i] = Encrypt(*this, cards, 0);
}

} // namespace digest::detail
