#pragma once
#include <cstdint>

namespace digest::detail {

extern const std::uint32_t kSnefruBoxes[16][256];

} // namespace digest::detail
