// Markup pictures: decoding the hand-made fixtures, GIF frames and their times, animation
// steps, loading by URL, the find rules of container and cache, and drawing.

#include "grid/markup/PictureContainer.h"

#include "grid/support/GridTestHelpers.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>

using namespace grid;
using grid::test::errorOf;

namespace {

QString picturePath(const QString& name)
{
    return testsupport::fixturePath(QStringLiteral("grid/pictures/") + name);
}

QByteArray pictureBytes(const QString& name)
{
    return testsupport::readFile(picturePath(name));
}

void loadBytes(THTMLPicture& picture, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    picture.LoadFromStream(&buffer);
}

// The picture drawn on a black canvas.
QImage drawn(const THTMLPicture& picture, const TRect& rect, QSize canvasSize = {24, 24})
{
    QImage canvas(canvasSize, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QPainter p(&canvas);
    picture.Draw(p, rect);
    return canvas;
}

const QRgb black = qRgb(0, 0, 0), red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255),
           white = qRgb(255, 255, 255);

} // namespace

// ---- GIF frames ------------------------------------------------------------------------------

TEST(HTMLPicture, ThreeFrameGifShowsOneFrameAtATime)
{
    THTMLPicture gif;
    gif.LoadFromFile(picturePath("three_frames.gif"));
    ASSERT_FALSE(gif.Empty());
    EXPECT_TRUE(gif.IsGIF());
    EXPECT_EQ(gif.FrameCount(), 3);
    EXPECT_EQ(gif.Frame(), 1);
    EXPECT_EQ(gif.Width(), 8);
    EXPECT_EQ(gif.Height(), 6);
    EXPECT_EQ(drawn(gif, {0, 0, 8, 6}).pixel(7, 5), red);

    int frameChanges = 0;
    gif.OnFrameChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &gif);
        ++frameChanges;
    };
    gif.SetFrame(2);
    EXPECT_EQ(frameChanges, 1);
    EXPECT_EQ(gif.FrameXPos(), 2);
    EXPECT_EQ(gif.FrameYPos(), 1);
    EXPECT_EQ(gif.Width(), 3);
    EXPECT_EQ(gif.Height(), 2);
    EXPECT_EQ(gif.MaxWidth(), 8);
    EXPECT_EQ(gif.MaxHeight(), 6);
    // Only the frame's own rectangle is the picture; its offset is the drawer's business.
    const QImage frame2 = drawn(gif, {0, 0, 20, 20});
    EXPECT_EQ(frame2.pixel(0, 0), green);
    EXPECT_EQ(frame2.pixel(2, 1), green);
    EXPECT_EQ(frame2.pixel(3, 0), black);
    EXPECT_EQ(frame2.pixel(0, 2), black);

    gif.SetFrame(3);
    EXPECT_EQ(gif.FrameXPos(), 4);
    EXPECT_EQ(gif.FrameYPos(), 3);
    EXPECT_EQ(gif.Width(), 2);
    EXPECT_EQ(drawn(gif, {0, 0, 20, 20}).pixel(1, 1), blue);
}

TEST(HTMLPicture, FrameTimesAndWrappingFrameSteps)
{
    THTMLPicture gif;
    gif.LoadFromFile(picturePath("three_frames.gif"));
    const std::pair<int, int> times[] = {{1, 10}, {2, 20}, {3, 30}, {0, -1}, {4, -1}};
    for (const auto& [index, time] : times)
        EXPECT_EQ(gif.GetFrameTime(index), time) << index;

    gif.SetFrame(3);
    gif.FrameNext();
    EXPECT_EQ(gif.Frame(), 1);
    gif.FrameNext();
    EXPECT_EQ(gif.Frame(), 2);
    gif.FramePrev();
    gif.FramePrev();
    EXPECT_EQ(gif.Frame(), 3);
    EXPECT_EQ(gif.FrameXPos(), 4);
}

TEST(HTMLPicture, StepFollowsTheFrameTimesInTenthsOfASecond)
{
    THTMLPicture gif;
    gif.LoadFromFile(picturePath("three_frames.gif"));
    // Frame times 10, 20, 30 hundredths; one step stands for 10 of them, the first step counts
    // from -1.
    const std::pair<bool, int> steps[] = {{false, 1}, {false, 1}, {true, 2}, {false, 2}, {true, 3},
                                          {false, 3}, {false, 3}, {true, 1}, {true, 2}};
    int n = 0;
    for (const auto& [changed, frame] : steps) {
        ++n;
        EXPECT_EQ(gif.Step(), changed) << "step " << n;
        EXPECT_EQ(gif.Frame(), frame) << "step " << n;
    }
}

TEST(HTMLPicture, CacheAndCollectionAnimateTheirPictures)
{
    THTMLPictureCache cache;
    cache.AddPicture()->LoadFromFile(picturePath("quadrants.bmp"));
    cache.AddPicture()->LoadFromFile(picturePath("three_frames.gif"));
    TPictureContainer container;
    container.Items().Add()->Picture().LoadFromFile(picturePath("three_frames.gif"));
    const bool expected[] = {false, false, true};
    for (bool changed : expected) {
        EXPECT_EQ(cache.Animate(), changed);
        EXPECT_EQ(container.Items().Animate(), changed);
    }
    EXPECT_EQ(cache.GetPicture(1)->Frame(), 2);
    EXPECT_EQ(container.Items().GetItem(0)->Picture().Frame(), 2);
}

TEST(HTMLPicture, GifCutInsideItsLastDescriptorHasOneFrameFewer)
{
    THTMLPicture gif;
    gif.LoadFromFile(picturePath("three_frames_cut.gif"));
    ASSERT_FALSE(gif.Empty());
    EXPECT_EQ(gif.FrameCount(), 2);
    EXPECT_EQ(gif.GetFrameTime(2), 20);
    EXPECT_EQ(gif.GetFrameTime(3), -1);
    gif.SetFrame(2);
    EXPECT_EQ(gif.Width(), 3);
    EXPECT_EQ(gif.FrameXPos(), 2);
    gif.FrameNext();
    EXPECT_EQ(gif.Frame(), 1);
    gif.FramePrev();
    EXPECT_EQ(gif.Frame(), 2);
}

TEST(HTMLPicture, FourBytesGif8AreNoGif)
{
    THTMLPicture picture;
    EXPECT_EQ(errorOf([&] { loadBytes(picture, "GIF8"); }), "Could not load image. Invalid format");
    EXPECT_FALSE(picture.IsGIF());
    EXPECT_EQ(picture.FrameCount(), -1);
    THTMLPicture five;
    EXPECT_EQ(errorOf([&] { loadBytes(five, "GIF89"); }), "Could not load image. Invalid format");
    EXPECT_TRUE(five.IsGIF());
    EXPECT_EQ(five.FrameCount(), 0);
}

// ---- still pictures --------------------------------------------------------------------------

TEST(HTMLPicture, StillPicturesHaveNoFrames)
{
    struct Case {
        const char* file;
        int width;
        int height;
        QPoint at;
        QRgb color;
    };
    const Case cases[] = {
        {"quadrants.bmp", 4, 4, {3, 3}, white},
        {"magenta.ico", 4, 4, {0, 0}, qRgb(255, 0, 255)},
        {"grey_blocks.jpg", 16, 8, {0, 0}, qRgb(200, 200, 200)},
        {"grey_blocks.jpg", 16, 8, {15, 7}, qRgb(56, 56, 56)},
    };
    for (const Case& c : cases) {
        THTMLPicture picture;
        int changes = 0;
        picture.OnChange = [&](TObject*) { ++changes; };
        picture.LoadFromFile(picturePath(c.file));
        ASSERT_FALSE(picture.Empty()) << c.file;
        EXPECT_EQ(changes, 1) << c.file;
        EXPECT_FALSE(picture.IsGIF()) << c.file;
        EXPECT_EQ(picture.Width(), c.width) << c.file;
        EXPECT_EQ(picture.Height(), c.height) << c.file;
        EXPECT_EQ(picture.MaxWidth(), c.width) << c.file;
        EXPECT_EQ(picture.MaxHeight(), c.height) << c.file;
        EXPECT_EQ(picture.FrameCount(), -1) << c.file;
        EXPECT_FALSE(picture.Step()) << c.file;
        EXPECT_EQ(picture.GetFrameTime(1), -1) << c.file;
        EXPECT_EQ(drawn(picture, {0, 0, 16, 8}).pixel(c.at), c.color) << c.file;
    }
}

TEST(HTMLPicture, MetafilesDoNotLoad)
{
    THTMLPicture fromStream;
    int changes = 0;
    fromStream.OnChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(errorOf([&] { loadBytes(fromStream, pictureBytes("empty.wmf")); }),
              "Could not load image. Invalid format");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(fromStream.Width(), 0);
    EXPECT_EQ(fromStream.MaxWidth(), 0);
    EXPECT_EQ(drawn(fromStream, {0, 0, 24, 24}), drawn(THTMLPicture(), {0, 0, 24, 24}));

    THTMLPicture fromFile;
    fromFile.LoadFromFile(picturePath("empty.wmf"));
    EXPECT_TRUE(fromFile.Empty());
    EXPECT_EQ(fromFile.Width(), 0);

    // A picture that loaded before and then fails is empty afterwards, not the old picture.
    THTMLPicture reused;
    reused.LoadFromFile(picturePath("quadrants.bmp"));
    reused.LoadFromFile(picturePath("missing.bmp"));
    EXPECT_TRUE(reused.Empty());
    EXPECT_EQ(reused.Width(), 0);
}

TEST(HTMLPicture, StreamsCarryTheBytesAsTheyAre)
{
    const QByteArray bytes = pictureBytes("three_frames.gif");
    THTMLPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    QByteArray in = bytes;
    QBuffer source(&in);
    source.open(QIODevice::ReadOnly);
    source.seek(7);
    picture.ReadData(&source);
    EXPECT_EQ(changes, 0) << "reading a component stream fires no change";
    EXPECT_EQ(picture.FrameCount(), 3) << "the whole stream is read, wherever it stood";

    QByteArray out;
    QBuffer target(&out);
    target.open(QIODevice::WriteOnly);
    picture.SaveToStream(&target);
    EXPECT_EQ(out, bytes);
    picture.SetFrame(2);
    out.clear();
    target.seek(0);
    picture.WriteData(&target);
    EXPECT_EQ(out, bytes) << "the stored bytes, not the rebuilt frame stream";

    picture.LoadFromStream(nullptr);
    picture.SaveToStream(nullptr);
    EXPECT_EQ(picture.Frame(), 2);
}

// A new picture in the same object starts at frame 1 with its own frame count.
TEST(HTMLPicture, EveryLoadCountsFramesAfresh)
{
    THTMLPicture picture;
    picture.LoadFromFile(picturePath("quadrants.bmp"));
    EXPECT_EQ(picture.FrameCount(), -1);
    picture.LoadFromFile(picturePath("three_frames.gif"));
    EXPECT_EQ(picture.FrameCount(), 3);
    picture.SetFrame(3);
    picture.LoadFromFile(picturePath("three_frames_cut.gif"));
    EXPECT_FALSE(picture.Empty());
    EXPECT_EQ(picture.Frame(), 1);
    EXPECT_EQ(picture.FrameCount(), 2);
    EXPECT_EQ(picture.Width(), 8);
    picture.LoadFromFile(picturePath("magenta.ico"));
    EXPECT_EQ(picture.FrameCount(), -1);
    EXPECT_FALSE(picture.Step());
}

// ---- URLs and resources ----------------------------------------------------------------------

TEST(HTMLPicture, ResourceUrlInAnyCaseLoadsTheNamedResource)
{
    THTMLPicture picture;
    picture.LoadFromURL("res://logo");
    EXPECT_FALSE(picture.Empty());
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.ID(), "res://logo");

    THTMLPicture missing;
    missing.LoadFromURL("RES://nothing");
    EXPECT_TRUE(missing.Empty());
    EXPECT_EQ(missing.ID(), "RES://nothing");

    THTMLPicture byNumber;
    byNumber.LoadFromResourceID(7);
    EXPECT_EQ(byNumber.Width(), 4);
    EXPECT_EQ(errorOf([&] { byNumber.LoadFromResourceID(8); }), "Resource 8 not found");
}

TEST(HTMLPicture, FileUrlLoadsTheFile)
{
    THTMLPicture picture;
    const QString url = "File://" + picturePath("grey_blocks.jpg");
    picture.LoadFromURL(url);
    EXPECT_EQ(picture.Width(), 16);
    EXPECT_EQ(picture.ID(), url);
    EXPECT_FALSE(picture.Busy());
}

TEST(HTMLPicture, WebUrlStaysEmpty)
{
    THTMLPicture asynch;
    EXPECT_TRUE(asynch.Asynch());
    asynch.LoadFromURL("http://127.0.0.1/picture.gif");
    EXPECT_TRUE(asynch.Empty());
    EXPECT_TRUE(asynch.Busy());
    EXPECT_EQ(asynch.URL(), "http://127.0.0.1/picture.gif");
    EXPECT_EQ(asynch.ID(), "");
    asynch.LoadFromURL("http://127.0.0.1/other.gif");
    EXPECT_EQ(asynch.URL(), "http://127.0.0.1/picture.gif") << "one worker per picture";

    THTMLPicture direct;
    direct.SetAsynch(false);
    direct.LoadFromURL("http://127.0.0.1/picture.gif");
    EXPECT_TRUE(direct.Empty());
    EXPECT_FALSE(direct.Busy());
    EXPECT_EQ(direct.ID(), "http://127.0.0.1/picture.gif");
    EXPECT_EQ(direct.URL(), "http://127.0.0.1/picture.gif");
}

// ---- copies, container and cache -------------------------------------------------------------

TEST(HTMLPicture, AssignCopiesTheBytesAndStartsAtFrameOne)
{
    THTMLPicture gif;
    gif.LoadFromFile(picturePath("three_frames.gif"));
    gif.SetFrame(2);

    THTMLPicture copy;
    int changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    copy.Assign(&gif);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(copy.Empty());
    EXPECT_EQ(copy.Frame(), 1);
    EXPECT_EQ(copy.Width(), 8);
    EXPECT_EQ(copy.FrameCount(), 3);

    // An empty picture copies as empty instead of failing to decode nothing.
    const THTMLPicture empty;
    EXPECT_EQ(errorOf([&] { copy.Assign(&empty); }), "no error");
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Width(), 0);

    copy.Assign(&gif);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Width(), 0);
    TPersistent other;
    copy.Assign(&gif);
    copy.Assign(&other);
    EXPECT_TRUE(copy.Empty());

    gif.SetStretch(true);
    gif.SetID("x");
    const auto clone = gif.Clone();
    const auto* cloned = dynamic_cast<const THTMLPicture*>(clone.get());
    ASSERT_NE(cloned, nullptr);
    EXPECT_EQ(cloned->Width(), 8);
    EXPECT_TRUE(cloned->Stretch());
    EXPECT_EQ(cloned->ID(), "x");
}

TEST(PictureContainer, FindsItemsByNameInAnyCase)
{
    TPictureContainer container;
    TPictureItem* logo = container.Items().Add();
    logo->SetName("Logo");
    logo->Picture().LoadFromFile(picturePath("quadrants.bmp"));
    TPictureItem* second = container.Items().Add();
    second->SetName("LOGO");
    TPictureItem* first = container.Items().Insert(0);
    first->SetName("icon");
    first->SetTag(3);
    EXPECT_EQ(first->Collection(), &container.Items());
    EXPECT_EQ(container.Items().GetOwner(), &container);

    EXPECT_EQ(container.FindPicture("LOGO"), &logo->Picture());
    EXPECT_EQ(container.FindPicture("logo"), &logo->Picture());
    EXPECT_EQ(container.FindPicture("Icon"), &first->Picture());
    EXPECT_EQ(container.FindPicture("Log"), nullptr);

    // Items take copies of pictures.
    THTMLPicture source;
    source.LoadFromFile(picturePath("magenta.ico"));
    second->SetPicture(source);
    source.LoadFromFile(picturePath("grey_blocks.jpg"));
    EXPECT_EQ(second->Picture().Width(), 4);
    container.Items().SetItem(0, *container.Items().GetItem(1));
    EXPECT_EQ(container.Items().GetItem(0)->Name(), "Logo");
    EXPECT_EQ(container.Items().GetItem(0)->Tag(), 0);
    EXPECT_EQ(container.Items().GetItem(0)->Picture().Width(), 4);

    EXPECT_THROW(container.Items().Insert(5), EListError);
    EXPECT_THROW(container.Items().GetItem(3), EListError);
    container.Items().Delete(0);
    EXPECT_EQ(container.Items().Count(), 2);
}

TEST(HTMLPictureCache, FindsPicturesByExactID)
{
    THTMLPictureCache cache;
    THTMLPicture* a = cache.AddPicture();
    a->LoadFromURL("res://logo");
    THTMLPicture* b = cache.AddPicture();
    b->SetID("res://logo");
    EXPECT_EQ(cache.Count(), 2);
    EXPECT_EQ(cache.FindPicture("res://logo"), a);
    EXPECT_EQ(cache.FindPicture("RES://LOGO"), nullptr);
    EXPECT_EQ(cache.GetPicture(1), b);
    EXPECT_THROW(cache.GetPicture(2), EListError);

    auto replacement = std::make_unique<THTMLPicture>();
    replacement->SetID("new");
    cache.SetPicture(0, std::move(replacement));
    EXPECT_EQ(cache.FindPicture("res://logo"), b);
    EXPECT_NE(cache.FindPicture("new"), nullptr);
    cache.ClearPictures();
    EXPECT_EQ(cache.Count(), 0);
    EXPECT_EQ(cache.FindPicture("new"), nullptr);
}

// ---- drawing ---------------------------------------------------------------------------------

TEST(HTMLPicture, DrawsStretchedOrAtNaturalSize)
{
    THTMLPicture bmp;
    bmp.LoadFromFile(picturePath("quadrants.bmp"));

    const QImage natural = drawn(bmp, {1, 1, 20, 20});
    EXPECT_EQ(natural.pixel(1, 1), red);
    EXPECT_EQ(natural.pixel(4, 1), green);
    EXPECT_EQ(natural.pixel(1, 4), blue);
    EXPECT_EQ(natural.pixel(4, 4), white);
    EXPECT_EQ(natural.pixel(5, 1), black);
    EXPECT_EQ(natural.pixel(1, 5), black);
    EXPECT_EQ(natural.pixel(0, 0), black);

    bmp.SetStretch(true);
    const QImage stretched = drawn(bmp, {2, 2, 10, 10});
    const std::pair<QPoint, QRgb> pixels[] = {
        {{2, 2}, red},   {{5, 5}, red},   {{6, 2}, green},  {{9, 5}, green},  {{2, 6}, blue},  {{5, 9}, blue},
        {{6, 6}, white}, {{9, 9}, white}, {{10, 9}, black}, {{9, 10}, black}, {{1, 2}, black},
    };
    for (const auto& [at, color] : pixels)
        EXPECT_EQ(stretched.pixel(at), color) << at.x() << "," << at.y();
}
