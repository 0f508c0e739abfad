// The copies' message frames: round trips, partial input, and input that must be dropped.
#include "platform/PeerProtocol.h"
#include "platform/PeerSocket.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "platform/TempDir.h"

namespace {

using namespace peer;

TEST(PeerProtocol, EveryMessageRoundTripsAndArrivesInPieces)
{
    const std::string path = std::string("/home/u/\xE6\x97\xA5\n.txt", 16);
    const TMessage messages[] = {
        Make(TType::Query),
        Make(TType::Info, {1234500, 1, 119}, {"TITLE－Varnet", path}),
        Make(TType::Close),
        Make(TType::CloseAnswer, {1}),
        Make(TType::LineJump, {-5}),
        Make(TType::SetGeometry, {-10, 20, 800, 600}),
    };
    std::string stream;
    for (const TMessage& m : messages) {
        const std::string frame = Encode(m);
        ASSERT_FALSE(frame.empty());
        stream += frame;
    }
    // Fed a byte at a time, each frame is complete only at its last byte.
    std::size_t pos = 0;
    for (const TMessage& m : messages) {
        TMessage out;
        std::size_t used = 0;
        std::size_t have = 1;
        while (Decode(std::string_view(stream).substr(pos, have), out, used) == TDecode::NeedMore)
            ++have;
        ASSERT_EQ(Decode(std::string_view(stream).substr(pos, have), out, used), TDecode::Done);
        EXPECT_EQ(used, have);
        EXPECT_EQ(out.Type, m.Type);
        EXPECT_EQ(out.Numbers, m.Numbers);
        EXPECT_EQ(out.Texts, m.Texts);
        pos += used;
    }
    EXPECT_EQ(pos, stream.size());
}

TEST(PeerProtocol, MalformedFramesAreRejected)
{
    const std::string good = Encode(Make(TType::LineJump, {7}));
    TMessage out;
    std::size_t used = 0;
    auto decode = [&](std::string s) { return Decode(s, out, used); };

    EXPECT_EQ(decode("GET / HTTP/1.1\r\n"), TDecode::Malformed);
    std::string v = good;
    v[4] = 2; // a version this copy does not speak
    EXPECT_EQ(decode(v), TDecode::Malformed);
    std::string t = good;
    t[5] = 99; // an unknown type
    EXPECT_EQ(decode(t), TDecode::Malformed);
    std::string big = good.substr(0, 6) + std::string("\x7F\xFF\xFF\xFF", 4);
    EXPECT_EQ(decode(big), TDecode::Malformed); // too large: not waited for
    std::string shortPayload = good;
    shortPayload[9] = 4; // the layout needs 8 bytes
    EXPECT_EQ(decode(shortPayload.substr(0, 14)), TDecode::Malformed);
    std::string extra = Encode(Make(TType::Query));
    extra[9] = 1;
    EXPECT_EQ(decode(extra + "x"), TDecode::Malformed); // bytes the layout does not use
    std::string text = Encode(Make(TType::Info, {1, 0, 0}, {"ab", "c"}));
    text[kHeaderSize + 24 + 3] = 100; // a string longer than the payload
    EXPECT_EQ(decode(text), TDecode::Malformed);

    // Messages that do not fit their layout are never sent.
    EXPECT_TRUE(Encode(Make(TType::LineJump)).empty());
    EXPECT_TRUE(Encode(Make(TType::Info, {1, 0, 0}, {std::string(kMaxString + 1, 'x'), ""})).empty());

    // Random bytes never crash the decoder and are never taken for more than they hold.
    std::mt19937 rng(12345);
    for (int i = 0; i < 20000; ++i) {
        std::string junk = good.substr(0, static_cast<std::size_t>(rng() % 6));
        const std::size_t n = rng() % 40;
        for (std::size_t k = 0; k < n; ++k)
            junk.push_back(static_cast<char>(rng() & 0xFF));
        if (Decode(junk, out, used) == TDecode::Done) {
            EXPECT_LE(used, junk.size());
        }
    }
}

TEST(PeerFolder, IsMadePrivateAndRefusedWhenNotSafe)
{
    TTempDir tmp;
    const std::string path = tmp / "varnet";
    const TPeerFolder made = PreparePeerFolder(path);
    ASSERT_EQ(made.Path, path) << made.Error;
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // A folder opened up by someone is closed again.
    ASSERT_EQ(chmod(path.c_str(), 0777), 0);
    EXPECT_EQ(PreparePeerFolder(path).Path, path);
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // A link (perhaps to another user's folder) and a plain file are not used.
    const std::string link = tmp / "link";
    std::filesystem::create_directory_symlink(path, link);
    EXPECT_TRUE(PreparePeerFolder(link).Path.empty());
    WriteWholeFile(tmp / "file", "x");
    EXPECT_TRUE(PreparePeerFolder(tmp / "file").Path.empty());

    // A folder of another user is refused (only root can make one to try).
    if (geteuid() == 0) {
        const std::string theirs = tmp / "theirs";
        ASSERT_EQ(mkdir(theirs.c_str(), 0700), 0);
        ASSERT_EQ(chown(theirs.c_str(), 65534, 65534), 0);
        const TPeerFolder refused = PreparePeerFolder(theirs);
        EXPECT_TRUE(refused.Path.empty());
        EXPECT_NE(refused.Error.find("another user"), std::string::npos);
    }
}

} // namespace
