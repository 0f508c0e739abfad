#pragma once
// Q128's fixed table of 1024 words (derived from Blowfish, see tools/Q128TableGen.h).
#include <cstdint>

namespace cipher::q128_tables {

extern const std::uint32_t kTable[1024];

} // namespace cipher::q128_tables
