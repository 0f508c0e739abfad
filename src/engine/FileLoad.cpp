#include "engine/FileLoad.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "engine/FileError.h"
#include "engine/RowList.h"

namespace {

constexpr std::size_t kBlock = 8192;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

struct ChunkRef {
    TTextChunk* c = nullptr;
    ~ChunkRef() { TTextChunk::Release(c); }
};

[[noreturn]] void Fail(const char* what, const std::string& name, int err)
{
    std::string msg = std::string(what) + " \"" + name + "\"";
    if (err != 0)
        msg += std::string(": ") + std::strerror(err);
    throw EFileError(msg, name);
}

// Pass 1: the number of bytes before the first Ctrl-Z and the number of rows they make.
void CountRows(std::FILE* f, const std::string& name, std::uint64_t& bytes, std::uint64_t& rows)
{
    char buf[kBlock + 1];
    bytes = 0;
    rows = 0;
    std::uint64_t cr = 0, lf = 0, crlf = 0;
    char last = '\n'; // the byte before the current block ("no pending text" at the start)
    for (;;) {
        std::size_t n = std::fread(buf, 1, kBlock, f);
        if (n == 0)
            break;
        bool stop = false;
        if (const void* z = std::memchr(buf, 0x1A, n)) {
            n = static_cast<std::size_t>(static_cast<const char*>(z) - buf);
            stop = true;
        }
        // Byte-wide counters over runs of at most 255 bytes: loops the compiler turns into
        // vector compares.
        std::uint64_t c = 0, l = 0, pairs = 0;
        for (std::size_t i = 0; i < n; i += 255) {
            std::size_t end = std::min(n, i + 255);
            std::uint8_t c8 = 0, l8 = 0, p8 = 0;
            for (std::size_t j = i; j < end; ++j) {
                c8 = static_cast<std::uint8_t>(c8 + (buf[j] == '\r'));
                l8 = static_cast<std::uint8_t>(l8 + (buf[j] == '\n'));
            }
            for (std::size_t j = std::max<std::size_t>(i, 1); j < end; ++j)
                p8 = static_cast<std::uint8_t>(p8 + ((buf[j - 1] == '\r') & (buf[j] == '\n')));
            c += c8;
            l += l8;
            pairs += p8;
        }
        if (n > 0 && last == '\r' && buf[0] == '\n')
            ++pairs;
        cr += c;
        lf += l;
        crlf += pairs;
        bytes += n;
        if (n > 0)
            last = buf[n - 1];
        if (bytes > MaxTextFileSize)
            throw EFileError("The file \"" + name + "\" is too large to edit (over 2 GB)", name);
        if (stop)
            break;
    }
    if (std::ferror(f))
        Fail("Cannot read file", name, errno);
    rows = cr + lf - crlf;
    if (bytes > 0 && last != '\r' && last != '\n')
        ++rows;
}

// Splits the loaded bytes into rows, appended to the (empty, reserved) list.
void SplitRows(TTextChunk* chunk, std::size_t size, TEditorStringList& rows)
{
    const char* data = chunk->Data();
    const char* end = data + size;
    const char* p = data;
    // The next CR and the next LF at or after p, found once each and reused, so text with
    // only one kind of line break is scanned once.
    const char* nextCr = nullptr;
    const char* nextLf = nullptr;
    auto find = [end](const char* from, char ch) {
        const void* q = std::memchr(from, ch, static_cast<std::size_t>(end - from));
        return q ? static_cast<const char*>(q) : end;
    };
    while (p < end) {
        if (!nextCr || nextCr < p)
            nextCr = find(p, '\r');
        if (!nextLf || nextLf < p)
            nextLf = find(p, '\n');
        const char* e = nextCr < nextLf ? nextCr : nextLf;
        rows.AppendSpan(chunk, static_cast<std::size_t>(p - data), static_cast<std::size_t>(e - p),
                        e == end ? reEof : reBreak);
        if (e == end)
            break;
        if (*e == '\r' && e + 1 < end && e[1] == '\n')
            ++e;
        p = e + 1;
    }
}

} // namespace

void ReadTextFile(const std::string& fileName, TEditorStringList& rows, bool nulAsBlank)
{
    rows.Clear();
    FilePtr f(std::fopen(fileName.c_str(), "rb"));
    if (!f)
        Fail("Cannot open file", fileName, errno);
    // The text is scanned in 8192-byte blocks, but the system is asked for more at a time:
    // a system call per block would cost more than the scan.
    std::setvbuf(f.get(), nullptr, _IOFBF, 1 << 20);

    std::uint64_t bytes = 0, count = 0;
    CountRows(f.get(), fileName, bytes, count);
    if (bytes == 0)
        return;

    if (std::fseek(f.get(), 0, SEEK_SET) != 0)
        Fail("Cannot read file", fileName, errno);
    ChunkRef chunk;
    chunk.c = TTextChunk::Allocate(static_cast<std::size_t>(bytes));
    std::size_t got = 0;
    while (got < bytes) {
        std::size_t want = std::min<std::size_t>(kBlock * 128, static_cast<std::size_t>(bytes) - got);
        std::size_t n = std::fread(chunk.c->Data() + got, 1, want, f.get());
        if (n == 0)
            break;
        got += n;
    }
    if (std::ferror(f.get()))
        Fail("Cannot read file", fileName, errno);
    // The file may have changed since the first pass: a Ctrl-Z still ends the text.
    if (const void* z = std::memchr(chunk.c->Data(), 0x1A, got))
        got = static_cast<std::size_t>(static_cast<const char*>(z) - chunk.c->Data());
    if (nulAsBlank) {
        char* const data = chunk.c->Data();
        char* const end = data + got;
        for (char* p = data; (p = static_cast<char*>(std::memchr(p, 0, static_cast<std::size_t>(end - p)))) != nullptr;)
            *p++ = ' ';
    }

    // Room for every row counted, and some beyond, so the first edits do not have to grow
    // the list at once.
    rows.Reserve(static_cast<int>(count + count / 32 + 256));
    SplitRows(chunk.c, got, rows);
}
