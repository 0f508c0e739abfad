#pragma once
// The byte streams that protections code: an abstract stream, a memory stream (used for
// string coding) and a file stream (used for file coding).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace varnet::crypt {

class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to count bytes at the position; returns how many were read.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // Writes count bytes at the position, growing the stream as needed; raises EStreamError
    // when not all could be written.
    virtual void Write(const void* buffer, std::size_t count) = 0;
    virtual std::int64_t Position() const = 0;
    virtual void SetPosition(std::int64_t position) = 0;
    virtual std::int64_t Size() const = 0;
};

// Bytes held in a string, so string coding can hand its text in and take it back out
// without copying.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string bytes) : FBytes(std::move(bytes)) {}

    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void* buffer, std::size_t count) override;
    std::int64_t Position() const override { return static_cast<std::int64_t>(FPosition); }
    void SetPosition(std::int64_t position) override;
    std::int64_t Size() const override { return static_cast<std::int64_t>(FBytes.size()); }

    const std::string& Bytes() const { return FBytes; }
    std::string TakeBytes();

private:
    std::string FBytes;
    std::size_t FPosition = 0;
};

class TFileStream : public TStream {
public:
    enum class TMode { Read, Create, ReadWrite };
    // Raises EStreamError when the file cannot be opened.
    TFileStream(const std::string& fileName, TMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void* buffer, std::size_t count) override;
    std::int64_t Position() const override;
    void SetPosition(std::int64_t position) override;
    std::int64_t Size() const override;
    // Flushes and closes; raises EStreamError when buffered bytes could not be written.
    void Close();

private:
    std::FILE* FFile = nullptr;
    std::string FFileName;
    bool FLastWasWrite = false;
    bool FLastWasRead = false;
};

} // namespace varnet::crypt
