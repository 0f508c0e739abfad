#pragma once
// Wiping the framework's key, vector and feedback areas. The fill itself lives beneath the
// cipher primitives, which use it for their key schedules.
#include <cstddef>
#include <cstdint>

#include "crypt/ciphers/KeyWipe.h"

namespace varnet::crypt {

using cipher::SecureFill;
using cipher::TWipeGuard;

// The wipe sequence of key material: 0xAA, then 0x55, then the final value.
inline void WipeArea(void* area, std::size_t size, std::uint8_t finalValue)
{
    SecureFill(area, size, 0xAA);
    SecureFill(area, size, 0x55);
    SecureFill(area, size, finalValue);
}

} // namespace varnet::crypt
