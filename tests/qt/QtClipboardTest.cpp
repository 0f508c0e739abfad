// The Qt clipboard seam: byte-exact between Varnet windows, Unicode for other programs, and
// input-method-friendly CP932 for what other programs put there.
#include "qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

#include <string>

namespace {

QClipboard* System() { return QGuiApplication::clipboard(); }

// Bytes no converter would carry: undecodable bytes, a lone lead byte before CR LF, a NUL,
// and a kanji of the NEC-selected row (encoding would give back its IBM-row twin).
const std::string kAwkward = std::string("\x80\xA0\xFD\x81\r\n", 6) + std::string("a\0b", 3) + "\xED\x40";

} // namespace

TEST(QtClipboard, CopiesBetweenVarnetWindowsAreByteExact)
{
    TQtClipboard one, other;
    one.SetText(kAwkward);
    EXPECT_TRUE(other.HasText());
    EXPECT_EQ(other.GetText(), kAwkward);
    EXPECT_FALSE(other.HasBoxFormat());

    // The raw bytes win over the text when both are there.
    auto* mime = new QMimeData;
    mime->setText(QStringLiteral("text"));
    mime->setData(TQtClipboard::kRawMimeType, QByteArray("raw"));
    System()->setMimeData(mime);
    EXPECT_EQ(other.GetText(), "raw");
}

TEST(QtClipboard, OtherProgramsSeeUnicodeWithTheirLineBreaks)
{
    TQtClipboard clipboard;
    clipboard.SetText("\x96\xB3\x91\xE8\r\n\x82\xA0" "b"); // 無題 CR LF あb
    EXPECT_EQ(System()->text(), QString::fromUtf8("無題\nあb"));

    // A byte that does not decode travels as a private-use character and comes back as itself
    // when another program hands the text back.
    clipboard.SetText("x\x85\x40y");
    const QString seen = System()->text();
    System()->setText(seen);
    EXPECT_EQ(clipboard.GetText(), "x\x85\x40y");
}

TEST(QtClipboard, TextFromOtherProgramsBecomesCp932)
{
    TQtClipboard clipboard;
    // What an input method on Linux types: wave dash, minus sign, yen sign.
    System()->setText(QString::fromUtf8("1\u301C2\n\u2212\u00A5"));
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_FALSE(clipboard.HasBoxFormat());
    EXPECT_EQ(clipboard.GetText(), "1\x81\x60" "2\n\x81\x7C\\");

    System()->setText(QString::fromUtf8("caf\u00E9 \U0001F600"));
    EXPECT_EQ(clipboard.GetText(), "caf? ?");
}

TEST(QtClipboard, BoxCopyCarriesTheMarkerUntilTheNextCopy)
{
    TQtClipboard clipboard;
    clipboard.SetBoxText("cd\r\n\r\n");
    EXPECT_TRUE(clipboard.HasBoxFormat());
    EXPECT_EQ(clipboard.GetText(), "cd\r\n\r\n");
    const QMimeData* mime = System()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->data(TQtClipboard::kBoxMimeType), QByteArray("cd\r\n\r\n", 6) + '\0');
    EXPECT_EQ(mime->text(), QStringLiteral("cd\n\n"));

    clipboard.SetText("plain");
    EXPECT_FALSE(clipboard.HasBoxFormat());

    clipboard.SetBoxText("box");
    System()->setText(QStringLiteral("from elsewhere"));
    EXPECT_FALSE(clipboard.HasBoxFormat());
    EXPECT_EQ(clipboard.GetText(), "from elsewhere");
}

TEST(QtClipboard, ContentsThatAreNotTextGiveNoText)
{
    TQtClipboard clipboard;
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
    System()->setMimeData(mime);
    EXPECT_FALSE(clipboard.HasText());
    EXPECT_EQ(clipboard.GetText(), "");
    EXPECT_FALSE(clipboard.HasBoxFormat());

    System()->clear();
    EXPECT_FALSE(clipboard.HasText());
    EXPECT_EQ(clipboard.GetText(), "");

    // An empty text is still text (a cut with nothing selected puts one there).
    clipboard.SetText("");
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.GetText(), "");
}
