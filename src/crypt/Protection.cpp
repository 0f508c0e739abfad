#include "crypt/Protection.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "crypt/CryptErrors.h"
#include "crypt/StringFormat.h"
#include "crypt/Wipe.h"

namespace varnet::crypt {

void TProtection::SetProtection(TProtectionRef protection)
{
    for (TProtection* p = protection.get(); p != nullptr; p = p->FProtection.get()) {
        if (p == this)
            throw EProtection(messages::CircularProtection());
    }
    FProtection = std::move(protection);
}

void TProtection::CodeInit(TCodeAction action)
{
    if (FProtection)
        FProtection->CodeInit(action);
}

void TProtection::CodeDone(TCodeAction action)
{
    if (FProtection)
        FProtection->CodeDone(action);
}

void TProtection::CodeBuf(void* buffer, std::size_t size, TCodeAction action)
{
    if (FProtection)
        FProtection->CodeBuf(buffer, size, action);
}

void TProtection::CodeStream(TStream& source, TStream& dest, std::int64_t size, TCodeAction action)
{
    if (size < 0) {
        source.SetPosition(0);
        size = source.Size();
    }
    CodeInit(action);
    std::uint8_t chunk[kChunkSize];
    TWipeGuard wipeChunk(chunk, sizeof chunk);
    const bool inPlace = &source == &dest;
    while (size > 0) {
        std::size_t want = size < std::int64_t(kChunkSize) ? std::size_t(size) : kChunkSize;
        std::size_t got = source.Read(chunk, want);
        if (got != want)
            throw EStreamError("Stream read error.");
        CodeBuf(chunk, got, action);
        if (action != caCalc) {
            if (inPlace)
                dest.SetPosition(dest.Position() - std::int64_t(got));
            dest.Write(chunk, got);
        }
        size -= std::int64_t(got);
    }
    CodeDone(action);
}

namespace {

bool SameFile(const std::string& a, const std::string& b)
{
    if (a == b)
        return true;
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

} // namespace

void TProtection::CodeFile(const std::string& source, const std::string& dest, TCodeAction action)
{
    // Opening the destination for writing first would empty a source that is the same file
    // under another name, so that case is coded in place.
    if (action == caCalc || SameFile(source, dest)) {
        TFileStream file(source, action == caCalc ? TFileStream::TMode::Read
                                                  : TFileStream::TMode::ReadWrite);
        CodeStream(file, file, -1, action);
        file.Close();
        return;
    }
    TFileStream in(source, TFileStream::TMode::Read);
    TFileStream out(dest, TFileStream::TMode::Create);
    CodeStream(in, out, -1, action);
    out.Close();
}

std::string TProtection::CodeString(const std::string& source, TCodeAction action, int format)
{
    if (source.empty())
        return {};
    if (action == caDecode) {
        std::string bytes = StrToBin(source.data(), source.size(), format);
        if (!bytes.empty())
            CodeBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()), action);
        return bytes;
    }
    if (StringFormat(format) == TStringFormat_MIME64::Class())
        return CodeToMime64(source, action);
    std::string bytes = source;
    CodeBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()), action);
    return BinToStr(bytes.data(), bytes.size(), format);
}

// The same text as coding a copy of source and converting it afterwards, but each chunk is
// turned into Base 64 while it is still in the cache, and no copy of the whole text is made.
std::string TProtection::CodeToMime64(const std::string& source, TCodeAction action)
{
    const auto* in = reinterpret_cast<const std::uint8_t*>(source.data());
    const std::size_t size = source.size();
    std::string out(TStringFormat_MIME64::EncodedLength(size), '\0');
    char* o = out.data();
    // A chunk plus up to two bytes left over from the previous one (4096 is not a multiple of 3).
    std::uint8_t chunk[kChunkSize + 2];
    TWipeGuard wipeChunk(chunk, sizeof chunk);
    std::size_t carried = 0;
    CodeInit(action);
    for (std::size_t done = 0; done < size;) {
        const std::size_t n = std::min(kChunkSize, size - done);
        std::memcpy(chunk + carried, in + done, n);
        CodeBuf(chunk + carried, n, action);
        if (action == caCalc) // nothing is written back: the text stays as it was
            std::memcpy(chunk + carried, in + done, n);
        const std::size_t have = carried + n;
        o = TStringFormat_MIME64::EncodeGroups(chunk, have / 3, o);
        carried = have % 3;
        std::memmove(chunk, chunk + have - carried, carried);
        done += n;
    }
    CodeDone(action);
    TStringFormat_MIME64::EncodeLast(chunk, carried, o);
    return out;
}

std::int64_t TProtection::CodeBuffer(void* buffer, std::int64_t size, TCodeAction action)
{
    if (size <= 0 || buffer == nullptr)
        return 0;
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    std::uint8_t copy[kChunkSize];
    TWipeGuard wipeCopy(copy, sizeof copy);
    CodeInit(action);
    for (std::int64_t done = 0; done < size;) {
        std::size_t n = size - done < std::int64_t(kChunkSize) ? std::size_t(size - done) : kChunkSize;
        if (action == caCalc) {
            // As in a stream: the data is seen but not written back.
            std::memcpy(copy, bytes + done, n);
            CodeBuf(copy, n, action);
        } else {
            CodeBuf(bytes + done, n, action);
        }
        done += std::int64_t(n);
    }
    CodeDone(action);
    return size;
}

} // namespace varnet::crypt
