#include "engine/FileLoad.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/FileError.h"
#include "engine/RowList.h"
#include "engine/Wrap.h"

namespace {

// The file is read in steps of this size.
constexpr std::size_t kReadStep = std::size_t{1} << 20;

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

// What counting the bytes tells before they are split: the rows they make (CR LF, lone CR
// and lone LF each end one, and a final line without a break is one more), and whether any
// of them is a tab, which the rows' weights would otherwise look up in a pass of their own.
struct TByteCounts {
    std::uint64_t Rows = 0;
    bool HasTab = false;
};

TByteCounts CountBytes(const char* buf, std::size_t n)
{
    // Byte-wide counters over runs of at most 255 bytes: loops the compiler turns into
    // vector compares.
    std::uint64_t cr = 0, lf = 0, pairs = 0, tabs = 0;
    for (std::size_t i = 0; i < n; i += 255) {
        const std::size_t end = std::min(n, i + 255);
        std::uint8_t c8 = 0, l8 = 0, p8 = 0, t8 = 0;
        for (std::size_t j = i; j < end; ++j) {
            c8 = static_cast<std::uint8_t>(c8 + (buf[j] == '\r'));
            l8 = static_cast<std::uint8_t>(l8 + (buf[j] == '\n'));
            t8 = static_cast<std::uint8_t>(t8 + (buf[j] == '\t'));
        }
        for (std::size_t j = std::max<std::size_t>(i, 1); j < end; ++j)
            p8 = static_cast<std::uint8_t>(p8 + ((buf[j - 1] == '\r') & (buf[j] == '\n')));
        cr += c8;
        lf += l8;
        pairs += p8;
        tabs += t8;
        // A CR LF across two runs.
        if (end < n && buf[end - 1] == '\r' && buf[end] == '\n')
            ++pairs;
    }
    std::uint64_t rows = cr + lf - pairs;
    if (n > 0 && buf[n - 1] != '\r' && buf[n - 1] != '\n')
        ++rows;
    return {rows, tabs != 0};
}

// Splits the loaded bytes into rows, appended to the (empty, reserved) list; with `wrap`
// the lines are broken into rows as they go.
void SplitRows(TTextChunk* chunk, std::size_t size, TEditorStringList& rows, const TWrapContext* wrap)
{
    const char* data = chunk->Data();
    const char* end = data + size;
    const char* p = data;
    std::vector<TRowPiece> pieces;
    std::string kinds;
    const std::size_t W = wrap != nullptr ? static_cast<std::size_t>(std::max(wrap->WrapByte, 0)) : 0;
    // The next tab at or after the line being split, found once and reused like the breaks;
    // in a text the counting found no tab in, there is none to look for.
    const char* nextTab = chunk->HasTab() ? nullptr : end;
    auto emit = [&](std::size_t offset, std::size_t length, TRowEnd lineEnd) {
        // Without a tab a line takes a cell per byte: a shorter line than the width is one row.
        if (wrap != nullptr && length < W && (nextTab == nullptr || nextTab < data + offset)) {
            const void* t = std::memchr(data + offset, '\t', size - offset);
            nextTab = t != nullptr ? static_cast<const char*>(t) : end;
        }
        if (wrap == nullptr || (length < W && nextTab >= data + offset + length)) {
            rows.AppendSpan(chunk, offset, length, lineEnd);
            return;
        }
        pieces.clear();
        BreakLine(std::string_view(data + offset, length), *wrap, pieces, kinds);
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            const TRowEnd e = k + 1 == pieces.size() && lineEnd == reEof ? reEof : pieces[k].End;
            rows.AppendSpan(chunk, offset + pieces[k].Offset, pieces[k].Length, e);
        }
    };
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
        emit(static_cast<std::size_t>(p - data), static_cast<std::size_t>(e - p), e == end ? reEof : reBreak);
        if (e == end)
            break;
        if (*e == '\r' && e + 1 < end && e[1] == '\n')
            ++e;
        p = e + 1;
    }
}

} // namespace

void ReadTextFile(const std::string& fileName, TEditorStringList& rows, bool nulAsBlank, const TWrapContext* wrap)
{
    ReadTextFile(fileName, rows, nulAsBlank, [wrap](const TFileShape&) { return wrap; });
}

void ReadTextFile(const std::string& fileName, TEditorStringList& rows, bool nulAsBlank, const TWrapChoice& choose)
{
    rows.Clear();
    FilePtr f(std::fopen(fileName.c_str(), "rb"));
    if (!f)
        Fail("Cannot open file", fileName, errno);
    // One read of the whole file into the buffer the rows point into; the rows are counted
    // in memory afterwards, which costs less than a second pass over the file.
    if (std::fseek(f.get(), 0, SEEK_END) != 0)
        Fail("Cannot read file", fileName, errno);
    const long size = std::ftell(f.get());
    if (size < 0)
        Fail("Cannot read file", fileName, errno);
    if (static_cast<std::uint64_t>(size) > MaxTextFileSize)
        throw EFileError("The file \"" + fileName + "\" is too large to edit (over 2 GB)", fileName);
    if (size == 0)
        return;
    if (std::fseek(f.get(), 0, SEEK_SET) != 0)
        Fail("Cannot read file", fileName, errno);
    ChunkRef chunk;
    chunk.c = TTextChunk::Allocate(static_cast<std::size_t>(size));
    std::size_t got = 0;
    while (got < static_cast<std::size_t>(size)) {
        const std::size_t want = std::min<std::size_t>(kReadStep, static_cast<std::size_t>(size) - got);
        const std::size_t n = std::fread(chunk.c->Data() + got, 1, want, f.get());
        if (n == 0)
            break;
        got += n;
    }
    if (std::ferror(f.get()))
        Fail("Cannot read file", fileName, errno);
    // A Ctrl-Z ends the text.
    if (const void* z = std::memchr(chunk.c->Data(), 0x1A, got))
        got = static_cast<std::size_t>(static_cast<const char*>(z) - chunk.c->Data());
    if (got == 0)
        return;
    if (nulAsBlank) {
        char* const data = chunk.c->Data();
        char* const end = data + got;
        for (char* p = data; (p = static_cast<char*>(std::memchr(p, 0, static_cast<std::size_t>(end - p)))) != nullptr;)
            *p++ = ' ';
    }

    // Room for every row counted, and some beyond (wrapped rows, the first edits), so the
    // list does not have to grow at once.
    const char* const data = chunk.c->Data();
    const TByteCounts counts = CountBytes(data, got);
    const std::uint64_t count = counts.Rows;
    // Only the bytes the rows show count: a tab past a Ctrl-Z is not in the text.
    chunk.c->SetHasTab(counts.HasTab);
    const TWrapContext* wrap = choose ? choose(TFileShape{count, data[got - 1] == '\r' || data[got - 1] == '\n'}) : nullptr;
    const std::uint64_t room = count + (wrap != nullptr ? count / 4 : count / 32) + 256;
    rows.Reserve(static_cast<int>(std::min<std::uint64_t>(room, MaxTextFileSize)));
    SplitRows(chunk.c, got, rows, wrap);
}
