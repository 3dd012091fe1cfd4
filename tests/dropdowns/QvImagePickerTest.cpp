// The image picker driven as a user drives it: items from an image list and from picture files
// in a folder, the choice and its events, the keys of the open and the closed picker, the typed
// search, clicks, cancelling, Enter over a hot item, and the open picker in a screenshot.

#include "dropdowns/QvImagePicker.h"
#include "support/FakeDesktop.h"
#include "support/MetafileBytes.h"
#include "support/PickerWindow.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace dropdowns;
using testsupport::FakeDesktop;
using testsupport::PickerWindow;

namespace {

class Picker : public TQvImagePickerDropDown {
public:
    using TQvImagePickerDropDown::KeyTimerTick;
    using TQvImagePickerDropDown::TQvImagePickerDropDown;
    QTimer* keyTimer() const { return findChild<QTimer*>(); }
};

QImage filled(QColor colour, QSize size = {16, 16})
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

const QColor kColours[] = {Qt::red,     Qt::green,   Qt::blue,      Qt::yellow,  Qt::cyan,
                           Qt::magenta, Qt::darkRed, Qt::darkGreen, Qt::darkBlue};

class ImagePicker : public ::testing::Test {
protected:
    void SetUp() override
    {
        w = std::make_unique<PickerWindow<Picker>>(desktop);
        dd = w->picker;
        dd->setFocus();
        dd->OnChange = [this](QObject*) { events += QLatin1Char('C'); };
        dd->OnSelect = [this](QObject*) { events += QLatin1Char('S'); };
    }
    // Items with a coloured picture each and the given captions.
    void addItems(const QStringList& captions)
    {
        for (int i = 0; i < captions.size(); ++i) {
            TImageItem& item = dd->Items().Add();
            item.SetCaption(captions[i]);
            item.SetImage(grid::TPicture(filled(kColours[i % 9])));
        }
    }
    void addItems(int n)
    {
        QStringList captions;
        for (int i = 0; i < n; ++i)
            captions << QStringLiteral("Item %1").arg(i);
        addItems(captions);
    }
    void popupKey(Qt::Key key) { QTest::keyClick(dd->DropDownForm(), key); }
    QWidget* panel() const { return dd->ItemSelector()->Panel(); }
    QPoint itemCentre(int index) const { return dd->ItemSelector()->Panel()->GetItemRect(index).toQRect().center(); }

    FakeDesktop desktop;
    std::unique_ptr<PickerWindow<Picker>> w;
    Picker* dd = nullptr;
    QString events;
};

} // namespace

// ---- items -----------------------------------------------------------------------------------

TEST_F(ImagePicker, ItemsFromTheImageListAndTheChoiceByImageIndex)
{
    dd->AddImagesFromImageList();
    EXPECT_EQ(dd->Items().Count(), 0) << "no list, no items";
    grid::TCustomImageList images;
    for (int i = 0; i < 5; ++i)
        images.Add(filled(kColours[i]));
    dd->SetImages(&images);
    dd->AddImagesFromImageList();
    ASSERT_EQ(dd->Items().Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(dd->Items().Items(i).ImageIndex(), i);
        EXPECT_TRUE(dd->Items().Items(i).Caption().isEmpty());
    }
    dd->SetImageIndex(3);
    EXPECT_EQ(dd->ItemIndex(), 3);
    EXPECT_EQ(dd->ImageIndex(), 3);
    dd->SetImageIndex(9);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->ImageIndex(), -1);
    dd->SetImages(nullptr);
}

TEST_F(ImagePicker, ItemsFromTheFilesOfAFolderInNameOrder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto path = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    ASSERT_TRUE(filled(Qt::red, {8, 6}).save(path("pic_b.bmp"), "BMP"));
    ASSERT_TRUE(filled(Qt::blue, {5, 5}).save(path("pic_a.bmp"), "BMP"));
    {
        QFile text(path("pic_c.txt"));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("not a picture");
    }
    ASSERT_TRUE(filled(Qt::green).save(path("other.bmp"), "BMP"));

    dd->AddImagesFromFolder(dir.path() + QStringLiteral("/pic_*"), true);
    ASSERT_EQ(dd->Items().Count(), 3);
    EXPECT_EQ(dd->Items().Items(0).Caption(), QStringLiteral("pic_a.bmp"));
    EXPECT_EQ(dd->Items().Items(0).Image().Image.size(), QSize(5, 5));
    EXPECT_EQ(dd->Items().Items(1).Caption(), QStringLiteral("pic_b.bmp"));
    EXPECT_EQ(dd->Items().Items(1).Image().Image.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_TRUE(dd->Items().Items(2).Image().Empty());
    EXPECT_TRUE(dd->Items().Items(2).Caption().isEmpty());

    // Without captions; "*" also matches "." and "..", which load nothing.
    dd->Items().Clear();
    dd->AddImagesFromFolder(dir.path() + QStringLiteral("/*"), false);
    ASSERT_EQ(dd->Items().Count(), 6);
    EXPECT_TRUE(dd->Items().Items(0).Image().Empty()) << ".";
    EXPECT_TRUE(dd->Items().Items(1).Image().Empty()) << "..";
    for (int i = 0; i < dd->Items().Count(); ++i)
        EXPECT_TRUE(dd->Items().Items(i).Caption().isEmpty());

    // No match adds nothing.
    dd->Items().Clear();
    dd->AddImagesFromFolder(dir.path() + QStringLiteral("/none_*"), true);
    EXPECT_EQ(dd->Items().Count(), 0);
}

TEST_F(ImagePicker, JpegAndTiffPicturesLoadAndAFalseMetafileDoesNot)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(filled(Qt::blue, {12, 10}).save(dir.filePath(QStringLiteral("a.jpg")), "JPEG"));
    ASSERT_TRUE(filled(Qt::green, {7, 9}).save(dir.filePath(QStringLiteral("b.tif")), "TIFF"));
    ASSERT_TRUE(filled(Qt::red).save(dir.filePath(QStringLiteral("c.emf")), "BMP"));
    dd->AddImagesFromFolder(dir.path() + QStringLiteral("/?.?*"), true);
    ASSERT_EQ(dd->Items().Count(), 3);
    EXPECT_EQ(dd->Items().Items(0).Image().Image.size(), QSize(12, 10));
    EXPECT_EQ(dd->Items().Items(0).Caption(), QStringLiteral("a.jpg"));
    EXPECT_EQ(dd->Items().Items(1).Image().Image.size(), QSize(7, 9));
    EXPECT_EQ(dd->Items().Items(1).Image().Image.pixelColor(3, 3), QColor(Qt::green));
    EXPECT_TRUE(dd->Items().Items(2).Image().Empty()) << "a bitmap named as a metafile";
    EXPECT_TRUE(dd->Items().Items(2).Caption().isEmpty());
}

namespace {

// A picture over white, as the picker's light background shows it.
QImage overWhite(const QImage& picture)
{
    QImage out(picture.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, picture);
    return out;
}

// The share of pixels differing from the reference by more than a little in any channel.
double differingShare(const QImage& picture, const QImage& reference)
{
    const QImage a = overWhite(picture), b = reference.convertToFormat(QImage::Format_RGB32);
    if (a.size() != b.size())
        return 1;
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            if (std::abs(p.red() - q.red()) > 40 || std::abs(p.green() - q.green()) > 40
                || std::abs(p.blue() - q.blue()) > 40)
                ++differing;
        }
    return double(differing) / (a.width() * a.height());
}

} // namespace

// Hand-made WMF (with and without the placeable header) and EMF files list and draw at their
// size: each picture against its reference within a small tolerance, and at the named places
// of the drawing. A cut or damaged metafile is refused like any unreadable picture.
TEST_F(ImagePicker, MetafilesListAndDrawAtTheirSize)
{
    namespace mf = testsupport::metafile;
    struct Case {
        const char* file;
        QByteArray bytes;
    };
    const Case cases[] = {{"placeable.wmf", mf::wmf(true)}, {"plain.wmf", mf::wmf(false)}, {"drawing.emf", mf::emf()}};
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Case& c : cases) {
        QFile fixture(testsupport::fixturePath(QStringLiteral("metafile/") + QString::fromLatin1(c.file)));
        ASSERT_TRUE(fixture.open(QIODevice::ReadOnly)) << c.file;
        EXPECT_EQ(fixture.readAll(), c.bytes) << c.file << ": the writer and the fixture differ";
        ASSERT_TRUE(QFile::copy(fixture.fileName(), dir.filePath(QString::fromLatin1(c.file))));
    }
    // Cut short, a record running past the end, a wrong placeable checksum.
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write("z_cut.emf", mf::emf().left(mf::emf().size() - 20));
    write("z_cut.wmf", mf::wmf(true).left(200));
    QByteArray wrongSum = mf::wmf(true);
    wrongSum[20] = char(wrongSum[20] ^ 1);
    write("z_sum.wmf", wrongSum);
    QByteArray overlong = mf::wmf(false);
    overlong[18] = char(0x7F); // the first record's size
    write("z_size.wmf", overlong);

    dd->AddImagesFromFolder(dir.path() + QStringLiteral("/*.?mf"), true);
    ASSERT_EQ(dd->Items().Count(), 7);
    QStringList captions;
    for (int i = 0; i < 7; ++i)
        captions << dd->Items().Items(i).Caption();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("drawing.emf"), QStringLiteral("placeable.wmf"),
                                     QStringLiteral("plain.wmf"), QString(), QString(), QString(), QString()}));
    for (int i = 3; i < 7; ++i)
        EXPECT_TRUE(dd->Items().Items(i).Image().Empty()) << i;

    const QString references[] = {QStringLiteral("drawing_emf.png"), QStringLiteral("placeable_wmf.png"),
                                  QStringLiteral("plain_wmf.png")};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(captions[i].toStdString());
        const QImage picture = dd->Items().Items(i).Image().Image;
        ASSERT_EQ(picture.size(), QSize(mf::kWidth, mf::kHeight));
        const QImage reference(testsupport::fixturePath(QStringLiteral("metafile/") + references[i]));
        ASSERT_FALSE(reference.isNull());
        EXPECT_LT(differingShare(picture, reference), 0.01);
        // The named places: inside and on the frame of the rectangle, the polyline's apex, the
        // bitmap's four quarters, ink in the text's box, and nothing drawn elsewhere.
        const QImage shown = overWhite(picture);
        EXPECT_EQ(shown.pixelColor(20, 12), QColor(Qt::blue));
        EXPECT_EQ(shown.pixelColor(2, 12), QColor(Qt::black));
        EXPECT_EQ(shown.pixelColor(39, 12), QColor(Qt::black));
        EXPECT_EQ(shown.pixelColor(41, 12), QColor(Qt::white));
        EXPECT_EQ(shown.pixelColor(56, 4), QColor(Qt::red));
        EXPECT_EQ(shown.pixelColor(77, 5), QColor(Qt::green));
        EXPECT_EQ(shown.pixelColor(87, 5), QColor(Qt::yellow));
        EXPECT_EQ(shown.pixelColor(77, 15), QColor(Qt::magenta));
        EXPECT_EQ(shown.pixelColor(87, 15), QColor(Qt::cyan));
        int ink = 0;
        for (int y = mf::kTextY; y < mf::kTextY + 14; ++y)
            for (int x = mf::kTextX; x < mf::kTextX + 20; ++x)
                ink += shown.pixelColor(x, y).lightness() < 100;
        EXPECT_GT(ink, 15);
        EXPECT_EQ(picture.pixelColor(93, 45).alpha(), 0);
    }

    // The open popup draws them; the chosen one is drawn over the edit.
    dd->SetItemIndex(1);
    dd->ShowDropDown();
    ASSERT_TRUE(dd->DroppedDown());
    const QImage panelShot = panel()->grab().toImage();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QRect r = dd->ItemSelector()->Panel()->GetItemRect(i).toQRect();
        bool blue = false;
        for (int y = r.top(); y <= r.bottom() && !blue; ++y)
            for (int x = r.left(); x <= r.right() && !blue; ++x)
                blue = panelShot.pixelColor(x, y) == QColor(Qt::blue);
        EXPECT_TRUE(blue);
    }
    dd->HideDropDown(false);
}

// ---- the choice ------------------------------------------------------------------------------

TEST_F(ImagePicker, ItemIndexFiresChangeThenSelectOnlyOnAChange)
{
    addItems(3);
    dd->SetItemIndex(1);
    EXPECT_EQ(events, QStringLiteral("CS"));
    dd->SetItemIndex(1);
    dd->SetItemIndex(3);
    EXPECT_EQ(events, QStringLiteral("CS")) << "the same index and one past the items fire nothing";
    EXPECT_EQ(dd->ItemIndex(), 1);
    dd->SetItemIndex(-1);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(events, QStringLiteral("CSCS"));
    // A choice the items no longer reach shows nothing and has no image.
    dd->SetItemIndex(2);
    dd->Items().Clear();
    EXPECT_EQ(dd->ImageIndex(), -1);
    QImage img(dd->size(), QImage::Format_RGB32);
    dd->render(&img);
}

TEST_F(ImagePicker, KeysOfTheClosedPickerStepThroughTheItems)
{
    addItems(3);
    struct Case {
        int from;
        Qt::Key key;
        int to;
    };
    const Case cases[] = {
        {-1, Qt::Key_Down, 0}, {0, Qt::Key_Down, 1}, {2, Qt::Key_Down, 2}, {2, Qt::Key_Up, 1},
        {0, Qt::Key_Up, 0},    {0, Qt::Key_End, 2},  {2, Qt::Key_Home, 0}, {1, Qt::Key_Right, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " " << c.key);
        dd->SetItemIndex(c.from);
        QTest::keyClick(dd, c.key);
        EXPECT_EQ(dd->ItemIndex(), c.to);
        EXPECT_FALSE(dd->DroppedDown());
    }
    events.clear();
    QTest::keyClick(dd, Qt::Key_Return);
    EXPECT_EQ(events, QStringLiteral("S")) << "Enter reports the choice again";
}

TEST_F(ImagePicker, UpAndDownInTheOpenPopupMoveByARow)
{
    addItems(9);
    dd->SetColumns(3);
    dd->SetItemIndex(4);
    dd->ShowDropDown();
    ASSERT_TRUE(dd->DroppedDown());
    popupKey(Qt::Key_Up);
    EXPECT_EQ(dd->ItemIndex(), 1);
    popupKey(Qt::Key_Up);
    EXPECT_EQ(dd->ItemIndex(), 1) << "no row above";
    dd->SetItemIndex(4);
    dd->HideDropDown(false);
    dd->ShowDropDown();
    popupKey(Qt::Key_Down);
    EXPECT_EQ(dd->ItemIndex(), 7);
    popupKey(Qt::Key_Down);
    EXPECT_EQ(dd->ItemIndex(), 7) << "no item 10";
    popupKey(Qt::Key_Left);
    EXPECT_EQ(dd->ItemIndex(), 6);
    EXPECT_TRUE(dd->DroppedDown()) << "keys choose without closing";
}

TEST_F(ImagePicker, PageDownMovesByTheVisibleCountAndStopsAtTheLastItem)
{
    addItems(5);
    dd->SetItemIndex(1);
    // An opening fills the selector; then it is made six items high.
    dd->ShowDropDown();
    dd->HideDropDown(false);
    TQvCustomItemSelector* s = dd->ItemSelector();
    const int itemHeight = s->Panel()->GetItemRect(0).Height();
    s->resize(s->width(), 6 * itemHeight + itemHeight / 2);
    ASSERT_EQ(s->GetVisibleItemCount(), 6);
    QTest::keyClick(dd, Qt::Key_PageDown);
    EXPECT_EQ(dd->ItemIndex(), 4);
    QTest::keyClick(dd, Qt::Key_PageUp);
    EXPECT_EQ(dd->ItemIndex(), 0);
}

TEST_F(ImagePicker, TypedLettersSearchUntilTheTimerTicks)
{
    addItems({QStringLiteral("Bark"), QStringLiteral("Blue"), QStringLiteral("Lime")});
    dd->ShowDropDown();
    QTimer* timer = dd->keyTimer();
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 500);
    popupKey(Qt::Key_B);
    EXPECT_EQ(dd->ItemIndex(), 0);
    ASSERT_TRUE(timer->isActive());
    const int left = timer->remainingTime();
    popupKey(Qt::Key_L);
    EXPECT_EQ(dd->ItemIndex(), 1) << "the search is BL";
    EXPECT_LE(timer->remainingTime(), left) << "a later key does not restart the timer";
    EXPECT_TRUE(dd->DroppedDown());
    dd->KeyTimerTick();
    EXPECT_FALSE(timer->isActive());
    popupKey(Qt::Key_L);
    EXPECT_EQ(dd->ItemIndex(), 2) << "a new search: L";
}

// ---- mouse, cancel, Enter --------------------------------------------------------------------

TEST_F(ImagePicker, AClickOnAnItemChoosesItAndCloses)
{
    addItems(4);
    dd->SetItemIndex(0);
    events.clear();
    dd->ShowDropDown();
    QTest::mouseClick(panel(), Qt::LeftButton, {}, itemCentre(2));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(events, QStringLiteral("CS"));
}

TEST_F(ImagePicker, ACancelAfterKeyMovesRestoresTheChoiceOfTheOpening)
{
    addItems(4);
    dd->SetItemIndex(1);
    events.clear();
    dd->ShowDropDown();
    popupKey(Qt::Key_Down);
    popupKey(Qt::Key_Down);
    EXPECT_EQ(dd->ItemIndex(), 3);
    EXPECT_EQ(events, QStringLiteral("CSCS"));
    popupKey(Qt::Key_Escape);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(events, QStringLiteral("CSCSCS"));
    // Escape on the closed picker brings back nothing.
    QTest::keyClick(dd, Qt::Key_Down);
    QTest::keyClick(dd, Qt::Key_Escape);
    EXPECT_EQ(dd->ItemIndex(), 2);
}

TEST_F(ImagePicker, EnterOverAHotItemChoosesItWithoutAnotherSelect)
{
    addItems(4);
    dd->ShowDropDown();
    QTest::mouseMove(panel(), itemCentre(2));
    ASSERT_EQ(dd->ItemSelector()->ItemHot(), 2);
    events.clear();
    popupKey(Qt::Key_Return);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(events, QStringLiteral("CS"));
}

TEST_F(ImagePicker, TheWheelMovesTheHotMarkInThePopupAndTheChoiceWhenClosed)
{
    addItems(3);
    dd->ShowDropDown();
    dd->HideDropDown(false);
    QWheelEvent down(QPointF(5, 5), dd->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(dd, &down);
    EXPECT_EQ(dd->ItemIndex(), 0);
    QCoreApplication::sendEvent(dd, &down);
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_FALSE(dd->DroppedDown());
}

TEST_F(ImagePicker, ScreenshotOfTheOpenPicker)
{
    addItems(6);
    dd->SetColumns(3);
    dd->SetItemIndex(4);
    dd->ShowDropDown();
    // The popup fits the whole panel: nothing scrolls.
    EXPECT_FALSE(dd->ItemSelector()->verticalScrollBar()->isVisible());
    EXPECT_FALSE(dd->ItemSelector()->horizontalScrollBar()->isVisible());
    ASSERT_TRUE(w->screenshot(QStringLiteral("ImagePicker_open.png")));
    const QImage& shot = w->shot;
    ASSERT_FALSE(shot.isNull());
    const QPoint origin = w->window->geometry().topLeft();
    // Each item's picture in the popup: its top-left quarter is the item's colour.
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        bool found = false;
        const QRect r = dd->ItemSelector()->Panel()->GetItemRect(i).toQRect();
        for (int y = r.top(); y <= r.bottom() && !found; ++y)
            for (int x = r.left(); x <= r.right() && !found; ++x)
                found = shot.pixelColor(panel()->mapToGlobal(QPoint(x, y)) - origin) == kColours[i];
        EXPECT_TRUE(found);
    }
    // The chosen picture centred in the edit's text rectangle.
    const grid::TRect e = dd->EditRect();
    const QPoint centre(e.Left + e.Width() / 2, e.Top + e.Height() / 2);
    EXPECT_EQ(shot.pixelColor(dd->mapToGlobal(centre) - origin), kColours[4]);
}
