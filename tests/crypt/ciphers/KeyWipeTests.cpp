// Key schedules leave no copy of the key on the stack.
//
// How the probe works, and why a plain memset fails it: the key is kept in static storage and
// the schedule too, so the only place the key's bytes can reach the stack is a schedule's own
// temporaries (the padded key, expanded registers). The probe first fills a deep stack area
// with zeros, runs SetKey a few kilobytes below the probe's own frame, and after it returns
// reads that area back looking for any run of key bytes. In an optimised build (the normal
// test build, -O2) the compiler drops a memset of a local array right before the function
// returns, so the padded key survives there and the probe finds it; only stores it may not
// remove (volatile writes) clear it. An unoptimised build keeps every memset, so there the
// test passes either way; it is the optimised run that holds the code to the wipe.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include <gtest/gtest.h>

#include "AllCiphers.h"

namespace {

constexpr std::size_t kProbeDepth = 24 * 1024; // the area cleared and read back
constexpr std::size_t kCallDepth = 4 * 1024;   // how far below the probe SetKey runs

// Clears the stack below the caller, so whatever the probe finds there came afterwards.
[[gnu::noinline]] void ClearStackBelow()
{
    volatile std::uint8_t area[kProbeDepth + kCallDepth];
    for (std::size_t i = 0; i < sizeof area; ++i)
        area[i] = 0;
}

// Runs the key schedule under a frame of kCallDepth bytes, so its stack lies below the
// small frame of the reading function that follows it.
template <class C>
[[gnu::noinline]] void KeyDeep(typename C::Schedule& schedule, const std::uint8_t* key, int length)
{
    volatile std::uint8_t spacer[kCallDepth];
    spacer[0] = 1;
    C::SetKey(schedule, key, length);
    spacer[kCallDepth - 1] = spacer[0];
}

// Reads the stack area the schedule ran in for a run of `run` consecutive key bytes. Reading
// memory below the frame is outside what the language promises, but the pages are mapped (the
// clearing touched them) and nothing else runs on this thread meanwhile.
[[gnu::noinline]] [[gnu::no_sanitize_address]] bool StackHoldsKey(const std::uint8_t* key,
                                                                 int length, int run)
{
    volatile std::uint8_t here = 0;
    // Start below this frame's own locals.
    const auto* top = reinterpret_cast<const volatile std::uint8_t*>(
        reinterpret_cast<std::uintptr_t>(&here) - 256);
    const volatile std::uint8_t* bottom = top - kProbeDepth;
    for (const volatile std::uint8_t* p = bottom; p + run <= top; ++p)
        for (int start = 0; start + run <= length; ++start) {
            int n = 0;
            while (n < run && p[n] == key[start + n])
                ++n;
            if (n == run)
                return true;
        }
    return false;
}

template <class C>
class KeyWipe : public ::testing::Test {};
TYPED_TEST_SUITE(KeyWipe, cipher_test::AllCiphers);

TYPED_TEST(KeyWipe, NoKeyBytesLeftOnTheStack)
{
    using C = TypeParam;
    // Bytes unlikely to occur on a cleared stack by chance: none zero, none repeated.
    static std::uint8_t key[C::kKeySize];
    for (int i = 0; i < C::kKeySize; ++i)
        key[i] = std::uint8_t(0x5B + 97 * i) | 0x01;
    static typename C::Schedule schedule;
    const int run = std::min(C::kKeySize, 5);

    // Full and short keys: a short key takes the padding path.
    for (int length : {C::kKeySize, C::kKeySize - 1}) {
        ClearStackBelow();
        KeyDeep<C>(schedule, key, length);
        EXPECT_FALSE(StackHoldsKey(key, std::min(length, C::kKeySize), std::min(run, length)))
            << "key length " << length;
    }
}

} // namespace
