#include "crypt/Streams.h"

#include <cstring>

#include "crypt/CryptErrors.h"

namespace varnet::crypt {

std::size_t TMemoryStream::Read(void* buffer, std::size_t count)
{
    if (fPosition >= fBytes.size())
        return 0;
    std::size_t n = std::min(count, fBytes.size() - fPosition);
    std::memcpy(buffer, fBytes.data() + fPosition, n);
    fPosition += n;
    return n;
}

void TMemoryStream::Write(const void* buffer, std::size_t count)
{
    if (count == 0)
        return;
    if (fPosition + count > fBytes.size())
        fBytes.resize(fPosition + count);
    std::memcpy(fBytes.data() + fPosition, buffer, count);
    fPosition += count;
}

void TMemoryStream::SetPosition(std::int64_t position)
{
    fPosition = position < 0 ? 0 : static_cast<std::size_t>(position);
}

std::string TMemoryStream::TakeBytes()
{
    fPosition = 0;
    return std::move(fBytes);
}

TFileStream::TFileStream(const std::string& fileName, TMode mode) : fFileName(fileName)
{
    const char* how = mode == TMode::Read ? "rb" : mode == TMode::Create ? "wb" : "r+b";
    fFile = std::fopen(fileName.c_str(), how);
    if (fFile == nullptr)
        throw EStreamError("Cannot open file \"" + fileName + "\".");
}

TFileStream::~TFileStream()
{
    if (fFile != nullptr)
        std::fclose(fFile);
}

// C streams need a seek between a write and a following read (and the other way about).
std::size_t TFileStream::Read(void* buffer, std::size_t count)
{
    if (fLastWasWrite)
        std::fseek(fFile, 0, SEEK_CUR);
    fLastWasWrite = false;
    fLastWasRead = true;
    std::size_t n = std::fread(buffer, 1, count, fFile);
    if (n < count && std::ferror(fFile))
        throw EStreamError("Stream read error in \"" + fFileName + "\".");
    return n;
}

void TFileStream::Write(const void* buffer, std::size_t count)
{
    if (fLastWasRead)
        std::fseek(fFile, 0, SEEK_CUR);
    fLastWasRead = false;
    fLastWasWrite = true;
    if (count != 0 && std::fwrite(buffer, 1, count, fFile) != count)
        throw EStreamError("Stream write error in \"" + fFileName + "\".");
}

std::int64_t TFileStream::Position() const
{
    return static_cast<std::int64_t>(std::ftell(fFile));
}

void TFileStream::SetPosition(std::int64_t position)
{
    if (std::fseek(fFile, static_cast<long>(position), SEEK_SET) != 0)
        throw EStreamError("Stream seek error in \"" + fFileName + "\".");
    fLastWasRead = fLastWasWrite = false;
}

std::int64_t TFileStream::Size() const
{
    long here = std::ftell(fFile);
    std::fseek(fFile, 0, SEEK_END);
    long size = std::ftell(fFile);
    std::fseek(fFile, here, SEEK_SET);
    return size;
}

void TFileStream::Close()
{
    if (fFile == nullptr)
        return;
    int rc = std::fclose(fFile);
    fFile = nullptr;
    if (rc != 0)
        throw EStreamError("Stream write error in \"" + fFileName + "\".");
}

} // namespace varnet::crypt
