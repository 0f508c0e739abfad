#pragma once
// Blowfish's initial P-array and S-boxes (the hexadecimal digits of pi).
#include <cstdint>

namespace cipher::blowfish_tables {

extern const std::uint32_t kInitialP[18];
extern const std::uint32_t kInitialS[4][256];

} // namespace cipher::blowfish_tables
