// JPEG files through libjpeg: what is written opens again as the same picture.

#include "platform/Jpeg.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

namespace {

TEST(Jpeg, WrittenPicturesOpenWithTheirSizeAndColours)
{
    QImage image(20, 10, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            image.setPixelColor(x, y, Qt::blue);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.jpg"));
    ASSERT_TRUE(platform::writeJpegFile(path, image));
    const QImage back(path);
    ASSERT_EQ(back.size(), QSize(20, 10));
    EXPECT_GT(back.pixelColor(4, 5).blue(), 200);
    EXPECT_LT(back.pixelColor(4, 5).red(), 40);
    EXPECT_GT(back.pixelColor(16, 5).red(), 220) << "transparent pixels on white";
    EXPECT_TRUE(testsupport::readFile(path).startsWith("\xFF\xD8\xFF"));
}

TEST(Jpeg, NothingToWrite)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_TRUE(platform::encodeJpeg(QImage()).isEmpty());
    EXPECT_FALSE(platform::writeJpegFile(dir.filePath(QStringLiteral("p.jpg")), QImage(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(
        platform::writeJpegFile(dir.filePath(QStringLiteral("none/p.jpg")), QImage(2, 2, QImage::Format_RGB32)));
}

} // namespace
