#pragma once
#include <cstddef>
#include <cstdint>

namespace digest::detail {

// Runs the SHA-1 compression function over `blocks` 64-byte blocks.
using Sha1Transform = void (*)(std::uint32_t* state, const std::uint8_t* blocks,
                               std::size_t count);

// The transform on the processor's SHA instructions, or null where there are none.
Sha1Transform Sha1HardwareTransform();

// The portable transform (also the one SHA-0 shares).
void Sha1PortableTransform(std::uint32_t* state, const std::uint8_t* blocks, std::size_t count);

} // namespace digest::detail
