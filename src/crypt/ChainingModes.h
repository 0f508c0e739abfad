#pragma once
// The chaining modes over one block cipher, as templates so the block transform inlines.
// B is the block size, F the feedback register. Every call is one run of the mode: a final
// part shorter than a block (the tail) is handled at the end of each call.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "crypt/Wipe.h"

namespace varnet::crypt::modes {

// Word-wise in 32-bit pieces: the primitives load and store their blocks as 32-bit words, and
// matching widths let each store feed the next load directly (a wider load over two narrower
// stores stalls, and the feedback chain of CTS pays that stall on every block).
template <int B>
inline void Xor(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b)
{
    if constexpr (B % 4 == 0) {
        for (int i = 0; i < B; i += 4) {
            std::uint32_t x, y;
            std::memcpy(&x, a + i, 4);
            std::memcpy(&y, b + i, 4);
            x ^= y;
            std::memcpy(d + i, &x, 4);
        }
    } else {
        for (int i = 0; i < B; ++i)
            d[i] = static_cast<std::uint8_t>(a[i] ^ b[i]);
    }
}

template <int B>
inline void Copy(std::uint8_t* d, const std::uint8_t* s)
{
    std::memcpy(d, s, B);
}

inline void XorBytes(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        d[i] = static_cast<std::uint8_t>(a[i] ^ b[i]);
}

// Shifts the register left by one byte and puts in at its end.
template <int B>
inline void ShiftIn(std::uint8_t* f, std::uint8_t in)
{
    std::memmove(f, f + 1, B - 1);
    f[B - 1] = in;
}

// C must offer E(in, out) and D(in, out) on one block (in may equal out).
template <int B, class C>
class TModes {
public:
    TModes(C& cipher, std::uint8_t* feedback) : c(cipher), F(feedback) {}
    ~TModes()
    {
        SecureFill(t, sizeof t, 0);
        SecureFill(k, sizeof k, 0);
    }
    TModes(const TModes&) = delete;
    TModes& operator=(const TModes&) = delete;

    // cmCTS, and the tail of cmCBC: T = E(F), out = in xor T, F = F xor T.
    void Tail(const std::uint8_t* s, std::uint8_t* d, std::size_t n)
    {
        c.E(F, t);
        XorBytes(d, s, t, n);
        Xor<B>(F, F, t);
    }

    void EncodeCTS(const std::uint8_t* s, std::uint8_t* d, std::size_t n)
    {
        for (; n >= B; n -= B, s += B, d += B) {
            Xor<B>(t, s, F);
            c.E(t, t);
            Xor<B>(F, F, t);
            Copy<B>(d, t);
        }
        if (n != 0)
            Tail(s, d, n);
    }
    void DecodeCTS(const std::uint8_t* s, std::uint8_t* d, std::size_t n)
    {
        for (; n >= B; n -= B, s += B, d += B) {
            Copy<B>(k, s);
            c.D(k, t);
            Xor<B>(d, t, F);
            Xor<B>(F, F, k);
        }
        if (n != 0)
            Tail(s, d, n);
    }

    void EncodeCBC(const std::uint8_t* s, std::uint8_t* d, std::size_t n)
    {
        for (; n >= B; n -= B, s += B, d += B) {
            Xor<B>(t, s, F);
            c.E(t, t);
            Copy<B>(F, t);
            Copy<B>(d, t);
        }
        if (n != 0)
            Tail(s, d, n);
    }
    void DecodeCBC(const std::uint8_t* s, std::uint8_t* d, std::size_t n)
    {
        for (; n >= B; n -= B, s += B, d += B) {
            Copy<B>(k, s);
            c.D(k, t);
            Xor<B>(d, t, F);
            Copy<B>(F, k);
        }
        if (n != 0)
            Tail(s, d, n);
    }

    // Byte-wise: the ciphertext byte (decoding: the input byte) enters the register.
    void EncodeCFB(const std::uint8_t* s, std::uint8_t* d, std::size_t n)
    {
        for (std::size_t i = 0; i < n; ++i) {
            c.E(F, t);
            std::uint8_t out = static_cast<std::uint8_t>(s[i] ^ t[0]);
            ShiftIn<B>(F, out);
            d[i] = out;
        }
    }
    void DecodeCFB(const std::uint8_t* s, std::uint8_t* d, std::size_t n)
    {
        for (std::size_t i = 0; i < n; ++i) {
            c.E(F, t);
            std::uint8_t in = s[i];
            ShiftIn<B>(F, in);
            d[i] = static_cast<std::uint8_t>(in ^ t[0]);
        }
    }

    // Byte-wise; the keystream byte enters the register. Its own inverse.
    void OFB(const std::uint8_t* s, std::uint8_t* d, std::size_t n)
    {
        for (std::size_t i = 0; i < n; ++i) {
            c.E(F, t);
            d[i] = static_cast<std::uint8_t>(s[i] ^ t[0]);
            ShiftIn<B>(F, t[0]);
        }
    }

    // No feedback. A tail is xored with E(F), F unchanged, so no byte leaves uncoded and
    // decoding the tail is the same operation.
    void EncodeECB(const std::uint8_t* s, std::uint8_t* d, std::size_t n)
    {
        for (; n >= B; n -= B, s += B, d += B)
            c.E(s, d);
        if (n != 0)
            EcbTail(s, d, n);
    }
    void DecodeECB(const std::uint8_t* s, std::uint8_t* d, std::size_t n)
    {
        for (; n >= B; n -= B, s += B, d += B)
            c.D(s, d);
        if (n != 0)
            EcbTail(s, d, n);
    }

    // The MAC modes leave the data as it is and only let F absorb it. A tail is absorbed as
    // a block padded with zero bytes, so the value depends on every byte of the data.
    void CTSMAC(const std::uint8_t* s, std::uint8_t* d, std::size_t n)
    {
        Pass(s, d, n);
        for (; n >= B; n -= B, s += B) {
            Xor<B>(t, s, F);
            c.E(t, t);
            Xor<B>(F, F, t);
        }
        if (n != 0) {
            PadTail(s, n);
            c.E(t, t);
            Xor<B>(F, F, t);
        }
    }
    void CBCMAC(const std::uint8_t* s, std::uint8_t* d, std::size_t n)
    {
        Pass(s, d, n);
        for (; n >= B; n -= B, s += B) {
            Xor<B>(t, s, F);
            c.E(t, t);
            Copy<B>(F, t);
        }
        if (n != 0) {
            PadTail(s, n);
            c.E(t, t);
            Copy<B>(F, t);
        }
    }
    void CFBMAC(const std::uint8_t* s, std::uint8_t* d, std::size_t n)
    {
        Pass(s, d, n);
        for (std::size_t i = 0; i < n; ++i) {
            c.E(F, t);
            ShiftIn<B>(F, static_cast<std::uint8_t>(s[i] ^ t[0]));
        }
    }

private:
    void EcbTail(const std::uint8_t* s, std::uint8_t* d, std::size_t n)
    {
        c.E(F, t);
        XorBytes(d, s, t, n);
    }
    static void Pass(const std::uint8_t* s, std::uint8_t* d, std::size_t n)
    {
        if (s != d)
            std::memmove(d, s, n);
    }
    // t = F xor (the tail padded with zero bytes)
    void PadTail(const std::uint8_t* s, std::size_t n)
    {
        Copy<B>(t, F);
        XorBytes(t, t, s, n);
    }

    C& c;
    std::uint8_t* F;
    alignas(16) std::uint8_t t[B];
    alignas(16) std::uint8_t k[B];
};

// Runs mode m (a TCipherMode value) over n bytes.
template <int B, class C>
void Code(int m, bool decode, C& cipher, std::uint8_t* feedback, const std::uint8_t* s,
          std::uint8_t* d, std::size_t n)
{
    TModes<B, C> run(cipher, feedback);
    switch (m) {
    case 0: decode ? run.DecodeCTS(s, d, n) : run.EncodeCTS(s, d, n); break;
    case 1: decode ? run.DecodeCBC(s, d, n) : run.EncodeCBC(s, d, n); break;
    case 2: decode ? run.DecodeCFB(s, d, n) : run.EncodeCFB(s, d, n); break;
    case 3: run.OFB(s, d, n); break;
    case 4: decode ? run.DecodeECB(s, d, n) : run.EncodeECB(s, d, n); break;
    case 5: run.CTSMAC(s, d, n); break;
    case 6: run.CBCMAC(s, d, n); break;
    case 7: run.CFBMAC(s, d, n); break;
    default: break;
    }
}

} // namespace varnet::crypt::modes
