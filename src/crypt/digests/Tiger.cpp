#include "crypt/digests/Tiger.h"

namespace digest {
namespace {

using detail::Load64Le;

using Table = std::uint64_t[4 * 256];

[[gnu::always_inline]] inline void Round(const std::uint64_t* t, std::uint64_t& a,
                                         std::uint64_t& b, std::uint64_t& c, std::uint64_t x,
                                         std::uint64_t mul)
{
    c ^= x;
    a -= t[c & 0xFF] ^ t[256 + ((c >> 16) & 0xFF)] ^ t[512 + ((c >> 32) & 0xFF)] ^
         t[768 + ((c >> 48) & 0xFF)];
    b += t[768 + ((c >> 8) & 0xFF)] ^ t[512 + ((c >> 24) & 0xFF)] ^ t[256 + ((c >> 40) & 0xFF)] ^
         t[c >> 56];
    b *= mul;
}

[[gnu::always_inline]] inline void Pass(const std::uint64_t* t, std::uint64_t& a,
                                        std::uint64_t& b, std::uint64_t& c,
                                        const std::uint64_t* x, std::uint64_t mul)
{
    Round(t, a, b, c, x[0], mul);
    Round(t, b, c, a, x[1], mul);
    Round(t, c, a, b, x[2], mul);
    Round(t, a, b, c, x[3], mul);
    Round(t, b, c, a, x[4], mul);
    Round(t, c, a, b, x[5], mul);
    Round(t, a, b, c, x[6], mul);
    Round(t, b, c, a, x[7], mul);
}

[[gnu::always_inline]] inline void KeySchedule(std::uint64_t* x)
{
    x[0] -= x[7] ^ 0xA5A5A5A5A5A5A5A5ULL;
    x[1] ^= x[0];
    x[2] += x[1];
    x[3] -= x[2] ^ ((~x[1]) << 19);
    x[4] ^= x[3];
    x[5] += x[4];
    x[6] -= x[5] ^ ((~x[4]) >> 23);
    x[7] ^= x[6];
    x[0] += x[7];
    x[1] -= x[0] ^ ((~x[7]) << 19);
    x[2] ^= x[1];
    x[3] += x[2];
    x[4] -= x[3] ^ ((~x[2]) >> 23);
    x[5] ^= x[4];
    x[6] += x[5];
    x[7] -= x[6] ^ 0x0123456789ABCDEFULL;
}

void CompressWith(const std::uint64_t* t, std::uint64_t* state, const std::uint8_t* p,
                  std::size_t blocks)
{
    std::uint64_t a = state[0], b = state[1], c = state[2];
    for (; blocks != 0; --blocks, p += 64) {
        std::uint64_t x[8];
        for (int i = 0; i < 8; ++i)
            x[i] = Load64Le(p + 8 * i);
        const std::uint64_t aa = a, bb = b, cc = c;
        Pass(t, a, b, c, x, 5);
        KeySchedule(x);
        Pass(t, c, a, b, x, 7);
        KeySchedule(x);
        Pass(t, b, c, a, x, 9);
        a ^= aa;
        b -= bb;
        c += cc;
    }
    state[0] = a;
    state[1] = b;
    state[2] = c;
}

// The S-boxes are defined by the authors' generation procedure: start from the identity in
// every byte column, then shuffle the columns five times, drawing swap positions from the
// Tiger state as it hashes a fixed text with the boxes built so far. Computed once.
struct Boxes {
    Table t;

    Boxes()
    {
        static const char kSeed[] = "Tiger - A Fast New Hash Function, by Ross Anderson and Eli Biham";
        static_assert(sizeof kSeed == 65);
        std::uint64_t state[3] = {0x0123456789ABCDEFULL, 0xFEDCBA9876543210ULL,
                                  0xF096A5B4C3B2E187ULL};
        for (int i = 0; i < 1024; ++i)
            t[i] = std::uint64_t(i & 0xFF) * 0x0101010101010101ULL;
        int abc = 2;
        for (int pass = 0; pass < 5; ++pass)
            for (int i = 0; i < 256; ++i)
                for (int box = 0; box < 1024; box += 256) {
                    if (++abc == 3) {
                        abc = 0;
                        CompressWith(t, state, reinterpret_cast<const std::uint8_t*>(kSeed), 1);
                    }
                    for (int col = 0; col < 8; ++col) {
                        const int shift = 8 * col;
                        const int j = int((state[abc] >> shift) & 0xFF);
                        const std::uint64_t mask = 0xFFULL << shift;
                        std::uint64_t& p = t[box + i];
                        std::uint64_t& q = t[box + j];
                        const std::uint64_t pb = p & mask, qb = q & mask;
                        p = (p & ~mask) | qb;
                        q = (q & ~mask) | pb;
                    }
                }
    }
};

const std::uint64_t* Sboxes()
{
    static const Boxes boxes;
    return boxes.t;
}

} // namespace

void Tiger::Init()
{
    state[0] = 0x0123456789ABCDEFULL;
    state[1] = 0xFEDCBA9876543210ULL;
    state[2] = 0xF096A5B4C3B2E187ULL;
    buffer.Reset();
}

void Tiger::Update(const std::uint8_t* data, std::size_t length)
{
    const std::uint64_t* t = Sboxes();
    buffer.Feed(data, length,
                [this, t](const std::uint8_t* p, std::size_t n) { CompressWith(t, state, p, n); });
}

void Tiger::Final(std::uint8_t* out)
{
    const std::uint64_t* t = Sboxes();
    const std::uint64_t bits = buffer.total * 8;
    auto run = [this, t](const std::uint8_t* p, std::size_t n) { CompressWith(t, state, p, n); };
    buffer.PadTo(0x01, 8, run);
    detail::Store64Le(buffer.block + 56, bits);
    run(buffer.block, 1);
    for (int i = 0; i < 3; ++i)
        detail::Store64Le(out + 8 * i, state[i]);
}

} // namespace digest
