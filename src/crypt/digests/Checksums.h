#pragma once
// Checksums: XOR-16, XOR-32, CRC-16 CCITT, CRC-16 Standard and CRC-32.
// Every checksum is written least significant byte first: the register as it lies in memory
// on a little-endian machine, which is also how Crypto++ writes its CRC-32.
#include <cstddef>
#include <cstdint>

namespace digest {

// XOR of the data taken as 16-bit little-endian words, a short tail padded with zeros: digest
// byte i is the XOR of the data bytes at the positions equal to i modulo 2.
struct Xor16 {
    static constexpr int kDigestSize = 2;
    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Final(std::uint8_t* out);

    std::uint8_t lanes[2];
    std::size_t position;
};

// As Xor16 with 32-bit words.
struct Xor32 {
    static constexpr int kDigestSize = 4;
    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Final(std::uint8_t* out);

    std::uint8_t lanes[4];
    std::size_t position;
};

// CRC-16/CCITT-FALSE: polynomial 1021, not reflected, initial value FFFF, no final XOR.
struct Crc16Ccitt {
    static constexpr int kDigestSize = 2;
    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Final(std::uint8_t* out);

    std::uint16_t crc;
};

// CRC-16/ARC: polynomial 8005 reflected, initial value 0, no final XOR.
struct Crc16Standard {
    static constexpr int kDigestSize = 2;
    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Final(std::uint8_t* out);

    std::uint16_t crc;
};

// CRC-32 (ISO HDLC, as in zip and PNG): polynomial 04C11DB7 reflected, initial value and
// final XOR FFFFFFFF.
struct Crc32 {
    static constexpr int kDigestSize = 4;
    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Final(std::uint8_t* out);

    std::uint32_t crc;
};

} // namespace digest
