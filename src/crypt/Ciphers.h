#pragma once
// The cipher classes over the primitives, and the cipher registry.
#include <string_view>

#include "crypt/CipherOf.h"
#include "crypt/Registry.h"
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

namespace varnet::crypt {

using TCipher_3Way = TCipherOf<cipher::ThreeWay, "TCipher_3Way">;
using TCipher_Blowfish = TCipherOf<cipher::Blowfish, "TCipher_Blowfish">;
using TCipher_Gost = TCipherOf<cipher::Gost, "TCipher_Gost">;
using TCipher_IDEA = TCipherOf<cipher::Idea, "TCipher_IDEA">;
using TCipher_Q128 = TCipherOf<cipher::Q128, "TCipher_Q128">;
using TCipher_SAFER_K40 = TCipherOf<cipher::SaferK40, "TCipher_SAFER_K40", TCipher_SAFER>;
using TCipher_SAFER_SK40 = TCipherOf<cipher::SaferSK40, "TCipher_SAFER_SK40", TCipher_SAFER>;
using TCipher_SAFER_K64 = TCipherOf<cipher::SaferK64, "TCipher_SAFER_K64", TCipher_SAFER>;
using TCipher_SAFER_SK64 = TCipherOf<cipher::SaferSK64, "TCipher_SAFER_SK64", TCipher_SAFER>;
using TCipher_SAFER_K128 = TCipherOf<cipher::SaferK128, "TCipher_SAFER_K128", TCipher_SAFER>;
using TCipher_SAFER_SK128 = TCipherOf<cipher::SaferSK128, "TCipher_SAFER_SK128", TCipher_SAFER>;
using TCipher_SCOP = TCipherOf<cipher::Scop, "TCipher_SCOP">;
using TCipher_Shark = TCipherOf<cipher::Shark, "TCipher_Shark">;
using TCipher_Square = TCipherOf<cipher::Square, "TCipher_Square">;
using TCipher_TEA = TCipherOf<cipher::Tea, "TCipher_TEA">;
using TCipher_TEAN = TCipherOf<cipher::Tean, "TCipher_TEAN">;
using TCipher_Twofish = TCipherOf<cipher::Twofish, "TCipher_Twofish">;

// The process-wide cipher registry, filled with the built-in classes on first use.
TClassRegistry<TCipherClass>& CipherRegistry();
// An empty name gives the class name's part after the first "_".
void RegisterCipher(TCipherClass cls, std::string_view name = {}, std::string_view description = {});
// Name resolution as for TCipherManager::Algorithm; nullptr when nothing matches.
TCipherClass GetCipherClass(std::string_view name);
// The class used when none is chosen.
TCipherClass DefaultCipherClass();

} // namespace varnet::crypt
