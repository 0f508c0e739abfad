#pragma once
// The list of every cipher primitive, for tests that hold for all of them.
#include <gtest/gtest.h>

#include "crypt/ciphers/Blowfish.h"
#include "crypt/ciphers/Gost.h"
#include "crypt/ciphers/Idea.h"
#include "crypt/ciphers/Q128.h"
#include "crypt/ciphers/Safer.h"
#include "crypt/ciphers/Scop.h"
#include "crypt/ciphers/Shark.h"
#include "crypt/ciphers/Square.h"
#include "crypt/ciphers/Tea.h"
#include "crypt/ciphers/ThreeWay.h"
#include "crypt/ciphers/Twofish.h"

namespace cipher_test {

using AllCiphers =
    ::testing::Types<cipher::ThreeWay, cipher::Blowfish, cipher::Gost, cipher::Idea, cipher::Q128,
                     cipher::SaferK40, cipher::SaferSK40, cipher::SaferK64, cipher::SaferSK64,
                     cipher::SaferK128, cipher::SaferSK128, cipher::Scop, cipher::Shark,
                     cipher::Square, cipher::Tea, cipher::Tean, cipher::Twofish>;

template <class C>
concept HasRestart = requires(typename C::Schedule& s) { C::Restart(s); };

// Brings a stream primitive back to its start; block ciphers have nothing to reset.
template <class C>
void RestartIfStream(typename C::Schedule& s)
{
    if constexpr (HasRestart<C>)
        C::Restart(s);
}

} // namespace cipher_test
