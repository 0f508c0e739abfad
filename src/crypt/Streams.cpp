#include "crypt/Streams.h"

#include <cstring>

#include "crypt/CryptErrors.h"

namespace varnet::crypt {

std::size_t TMemoryStream::Read(void* buffer, std::size_t count)
{
    if (FPosition >= FBytes.size())
        return 0;
    std::size_t n = std::min(count, FBytes.size() - FPosition);
    std::memcpy(buffer, FBytes.data() + FPosition, n);
    FPosition += n;
    return n;
}

void TMemoryStream::Write(const void* buffer, std::size_t count)
{
    if (count == 0)
        return;
    if (FPosition + count > FBytes.size())
        FBytes.resize(FPosition + count);
    std::memcpy(FBytes.data() + FPosition, buffer, count);
    FPosition += count;
}

void TMemoryStream::SetPosition(std::int64_t position)
{
    FPosition = position < 0 ? 0 : static_cast<std::size_t>(position);
}

std::string TMemoryStream::TakeBytes()
{
    FPosition = 0;
    return std::move(FBytes);
}

TFileStream::TFileStream(const std::string& fileName, TMode mode) : FFileName(fileName)
{
    const char* how = mode == TMode::Read ? "rb" : mode == TMode::Create ? "wb" : "r+b";
    FFile = std::fopen(fileName.c_str(), how);
    if (FFile == nullptr)
        throw EStreamError("Cannot open file \"" + fileName + "\".");
}

TFileStream::~TFileStream()
{
    if (FFile != nullptr)
        std::fclose(FFile);
}

// C streams need a seek between a write and a following read (and the other way about).
std::size_t TFileStream::Read(void* buffer, std::size_t count)
{
    if (FLastWasWrite)
        std::fseek(FFile, 0, SEEK_CUR);
    FLastWasWrite = false;
    FLastWasRead = true;
    std::size_t n = std::fread(buffer, 1, count, FFile);
    if (n < count && std::ferror(FFile))
        throw EStreamError("Stream read error in \"" + FFileName + "\".");
    return n;
}

void TFileStream::Write(const void* buffer, std::size_t count)
{
    if (FLastWasRead)
        std::fseek(FFile, 0, SEEK_CUR);
    FLastWasRead = false;
    FLastWasWrite = true;
    if (count != 0 && std::fwrite(buffer, 1, count, FFile) != count)
        throw EStreamError("Stream write error in \"" + FFileName + "\".");
}

std::int64_t TFileStream::Position() const
{
    return static_cast<std::int64_t>(std::ftell(FFile));
}

void TFileStream::SetPosition(std::int64_t position)
{
    if (std::fseek(FFile, static_cast<long>(position), SEEK_SET) != 0)
        throw EStreamError("Stream seek error in \"" + FFileName + "\".");
    FLastWasRead = FLastWasWrite = false;
}

std::int64_t TFileStream::Size() const
{
    long here = std::ftell(FFile);
    std::fseek(FFile, 0, SEEK_END);
    long size = std::ftell(FFile);
    std::fseek(FFile, here, SEEK_SET);
    return size;
}

void TFileStream::Close()
{
    if (FFile == nullptr)
        return;
    int rc = std::fclose(FFile);
    FFile = nullptr;
    if (rc != 0)
        throw EStreamError("Stream write error in \"" + FFileName + "\".");
}

} // namespace varnet::crypt
