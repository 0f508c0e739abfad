#include "crypt/digests/SquareHash.h"

#include <cstring>

#include "crypt/ciphers/KeyWipe.h"
#include "crypt/ciphers/Square.h"

namespace digest {
namespace {

void Compress(std::uint8_t* chain, const std::uint8_t* p, std::size_t blocks)
{
    cipher::Square::Schedule schedule;
    for (; blocks != 0; --blocks, p += 16) {
        cipher::Square::SetKey(schedule, chain, 16);
        std::uint8_t out[16];
        cipher::Square::Encrypt(schedule, p, out);
        for (int i = 0; i < 16; ++i)
            chain[i] = std::uint8_t(out[i] ^ p[i]);
    }
    // The schedule was keyed with the chaining value; leave no copy of it on the stack.
    cipher::SecureWipe(schedule);
}

} // namespace

void SquareHash::Init()
{
    std::memset(chain, 0, sizeof chain);
    buffer.Reset();
}

void SquareHash::Update(const std::uint8_t* data, std::size_t length)
{
    buffer.Feed(data, length, [this](const std::uint8_t* p, std::size_t n) { Compress(chain, p, n); });
}

void SquareHash::Final(std::uint8_t* out)
{
    const std::uint64_t bits = buffer.total * 8;
    auto run = [this](const std::uint8_t* p, std::size_t n) { Compress(chain, p, n); };
    buffer.PadTo(0x80, 8, run);
    detail::Store64Le(buffer.block + 8, bits);
    run(buffer.block, 1);
    std::memcpy(out, chain, sizeof chain);
}

} // namespace digest
