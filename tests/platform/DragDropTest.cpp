// The drag data's formats through the one table to Qt's mime data and back, and the file list
// block as the platform lays it out.

#include "platform/DragDrop.h"

#include <gtest/gtest.h>

#include <QMimeData>
#include <QUrl>

using namespace platform;

namespace {

const std::vector<PrivateFormat> kPrivate{{QStringLiteral("Grid Column"), QStringLiteral("application/x-test-column")}};

DragData roundTrip(const DragData& d)
{
    const std::unique_ptr<QMimeData> mime = toMimeData(d, kPrivate);
    return fromMimeData(*mime, kPrivate);
}

} // namespace

TEST(DragDropFormats, TextTravelsAsPlainTextAndComesBackInBothForms)
{
    DragData d;
    d.set(CF_UNICODETEXT, wideTextBlock(QStringLiteral("Grüße\t1")));
    const std::unique_ptr<QMimeData> mime = toMimeData(d, kPrivate);
    EXPECT_EQ(mime->text(), QStringLiteral("Grüße\t1"));

    const DragData back = fromMimeData(*mime, kPrivate);
    // Zero-terminated: UTF-16 takes 2 x length + 2 bytes, the 8-bit form length + 1.
    EXPECT_EQ(back.data(CF_UNICODETEXT).size(), 2 * 7 + 2);
    EXPECT_EQ(wideTextOf(back.data(CF_UNICODETEXT)), QStringLiteral("Grüße\t1"));
    EXPECT_EQ(back.data(CF_TEXT), QByteArray("Gr\xfc\xdf"
                                             "e\t1",
                                             7)
                                      + '\0');
}

TEST(DragDropFormats, LineEndsOfOtherProgramsBecomeCrLf)
{
    QMimeData mime;
    mime.setText(QStringLiteral("a\tb\nc\td\n"));
    EXPECT_EQ(wideTextOf(fromMimeData(mime, kPrivate).data(CF_UNICODETEXT)), QStringLiteral("a\tb\r\nc\td\r\n"));
    // A text with CR LF already keeps its lone LFs (a quoted field's line breaks).
    mime.setText(QStringLiteral("\"x\ny\"\r\nz"));
    EXPECT_EQ(wideTextOf(fromMimeData(mime, kPrivate).data(CF_UNICODETEXT)), QStringLiteral("\"x\ny\"\r\nz"));
    // A file drag brings no text.
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/x.csv"))});
    EXPECT_FALSE(fromMimeData(files, kPrivate).has(CF_UNICODETEXT));
}

TEST(DragDropFormats, EightBitTextAloneStillGivesPlainText)
{
    DragData d;
    d.set(CF_TEXT, QByteArray("caf\xe9", 4) + '\0');
    EXPECT_EQ(toMimeData(d, kPrivate)->text(), QStringLiteral("café"));
}

TEST(DragDropFormats, RichTextFilesLinksAndPrivateFormatsRoundTrip)
{
    DragData d;
    d.set(CF_RICHTEXT, QByteArray("{\\rtf1 x}") + '\0');
    d.set(CF_HDROP, dropFilesBlock({QStringLiteral("/tmp/a b.csv"), QStringLiteral("/tmp/c.xls")}));
    d.set(CF_URL, QByteArray("https://example.com/x") + '\0');
    d.set(QStringLiteral("Grid Column"), QByteArray("\x03\0\0\0", 4));

    const std::unique_ptr<QMimeData> mime = toMimeData(d, kPrivate);
    EXPECT_EQ(mime->data(QStringLiteral("text/rtf")), QByteArray("{\\rtf1 x}"));
    EXPECT_EQ(mime->urls(), (QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/tmp/a b.csv")),
                                         QUrl::fromLocalFile(QStringLiteral("/tmp/c.xls")),
                                         QUrl(QStringLiteral("https://example.com/x"))}));
    EXPECT_EQ(mime->data(QStringLiteral("application/x-test-column")), QByteArray("\x03\0\0\0", 4));

    const DragData back = roundTrip(d);
    EXPECT_EQ(back.data(CF_RICHTEXT), d.data(CF_RICHTEXT));
    EXPECT_EQ(readDropFiles(back.data(CF_HDROP)), (QStringList{"/tmp/a b.csv", "/tmp/c.xls"}));
    EXPECT_EQ(back.data(CF_URL), d.data(CF_URL));
    // A link without text brings its text along, as browsers give both.
    EXPECT_EQ(wideTextOf(back.data(CF_UNICODETEXT)), QStringLiteral("https://example.com/x"));
    EXPECT_EQ(back.data(QStringLiteral("Grid Column")), QByteArray("\x03\0\0\0", 4));
}

TEST(DragDropFormats, FileListBlock)
{
    // Hand-made: head of 20 bytes (offset 20, wide flag 1), "a" and "bc" in UTF-16, two zeros.
    const QByteArray block = QByteArray("\x14\0\0\0"
                                        "\0\0\0\0"
                                        "\0\0\0\0"
                                        "\0\0\0\0"
                                        "\x01\0\0\0"
                                        "a\0\0\0"
                                        "b\0c\0\0\0"
                                        "\0\0",
                                        32);
    EXPECT_EQ(dropFilesBlock({"a", "bc"}), block);
    EXPECT_EQ(readDropFiles(block), (QStringList{"a", "bc"}));

    // 8-bit names, an odd offset taken down to the even one before it.
    const QByteArray narrow = QByteArray("\x15\0\0\0"
                                         "\0\0\0\0"
                                         "\0\0\0\0"
                                         "\0\0\0\0"
                                         "\0\0\0\0"
                                         "x.csv\0\0",
                                         27);
    EXPECT_EQ(readDropFiles(narrow), QStringList{"x.csv"});

    // Cut short or pointing outside: what lies inside, nothing more.
    EXPECT_TRUE(readDropFiles(block.left(10)).isEmpty());
    EXPECT_EQ(readDropFiles(block.left(23)), QStringList{"a"});
    QByteArray outside = block;
    outside[0] = char(0xF0);
    EXPECT_TRUE(readDropFiles(outside).isEmpty());
}

TEST(DragDropFormats, EffectsAndQtActions)
{
    EXPECT_EQ(effectOf(Qt::IgnoreAction), DROPEFFECT_NONE);
    EXPECT_EQ(effectOf(Qt::CopyAction), DROPEFFECT_COPY);
    EXPECT_EQ(effectOf(Qt::MoveAction), DROPEFFECT_MOVE);
    EXPECT_EQ(effectOf(Qt::LinkAction), DROPEFFECT_NONE);
    EXPECT_EQ(effectsOf(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction), DROPEFFECT_COPY | DROPEFFECT_MOVE);
    EXPECT_EQ(qtDropActionsOf(DROPEFFECT_COPY | DROPEFFECT_MOVE), int(Qt::CopyAction | Qt::MoveAction));
}
