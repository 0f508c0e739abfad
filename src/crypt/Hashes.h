#pragma once
// The hash and checksum classes over the digest primitives, and the hash registry.
#include <string_view>

#include "crypt/Hash.h"
#include "crypt/Registry.h"
#include "crypt/digests/Checksums.h"
#include "crypt/digests/Haval.h"
#include "crypt/digests/Md.h"
#include "crypt/digests/RipeMd.h"
#include "crypt/digests/Sapphire.h"
#include "crypt/digests/Sha.h"
#include "crypt/digests/Snefru.h"
#include "crypt/digests/SquareHash.h"
#include "crypt/digests/Tiger.h"

namespace varnet::crypt {

using THash_MD4 = THashOf<digest::Md4, "THash_MD4">;
using THash_MD5 = THashOf<digest::Md5, "THash_MD5">;
using THash_SHA = THashOf<digest::Sha0, "THash_SHA">;
using THash_SHA1 = THashOf<digest::Sha1, "THash_SHA1">;
using THash_RipeMD128 = THashOf<digest::RipeMd128, "THash_RipeMD128">;
using THash_RipeMD160 = THashOf<digest::RipeMd160, "THash_RipeMD160">;
using THash_RipeMD256 = THashOf<digest::RipeMd256, "THash_RipeMD256">;
using THash_RipeMD320 = THashOf<digest::RipeMd320, "THash_RipeMD320">;
using THash_Haval128 = THashOf<digest::Haval<128>, "THash_Haval128">;
using THash_Haval160 = THashOf<digest::Haval<160>, "THash_Haval160">;
using THash_Haval192 = THashOf<digest::Haval<192>, "THash_Haval192">;
using THash_Haval224 = THashOf<digest::Haval<224>, "THash_Haval224">;
using THash_Haval256 = THashOf<digest::Haval<256>, "THash_Haval256">;
using THash_Sapphire128 = THashOf<digest::Sapphire<16>, "THash_Sapphire128">;
using THash_Sapphire160 = THashOf<digest::Sapphire<20>, "THash_Sapphire160">;
using THash_Sapphire192 = THashOf<digest::Sapphire<24>, "THash_Sapphire192">;
using THash_Sapphire224 = THashOf<digest::Sapphire<28>, "THash_Sapphire224">;
using THash_Sapphire256 = THashOf<digest::Sapphire<32>, "THash_Sapphire256">;
using THash_Sapphire288 = THashOf<digest::Sapphire<36>, "THash_Sapphire288">;
using THash_Sapphire320 = THashOf<digest::Sapphire<40>, "THash_Sapphire320">;
using THash_Snefru = THashOf<digest::Snefru, "THash_Snefru">;
using THash_Square = THashOf<digest::SquareHash, "THash_Square">;
using THash_Tiger = THashOf<digest::Tiger, "THash_Tiger">;
using THash_XOR16 = THashOf<digest::Xor16, "THash_XOR16", TChecksum>;
using THash_XOR32 = THashOf<digest::Xor32, "THash_XOR32", TChecksum>;
using THash_CRC16_CCITT = THashOf<digest::Crc16Ccitt, "THash_CRC16_CCITT", TChecksum>;
using Thash_CRC16_Standard = THashOf<digest::Crc16Standard, "Thash_CRC16_Standard", TChecksum>;
using THash_CRC16_Standard = Thash_CRC16_Standard;
using THash_CRC32 = THashOf<digest::Crc32, "THash_CRC32", TChecksum>;

// The process-wide hash registry, filled with the built-in classes on first use.
TClassRegistry<THashClass>& HashRegistry();
void RegisterHash(THashClass cls, std::string_view name = {}, std::string_view description = {});
// Name resolution as for THashManager::Algorithm; nullptr when nothing matches.
THashClass GetHashClass(std::string_view name);
THashClass DefaultHashClass();

} // namespace varnet::crypt
