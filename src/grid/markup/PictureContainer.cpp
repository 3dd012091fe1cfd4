#include "grid/markup/PictureContainer.h"

#include "grid/input/GridInput.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace grid {

namespace {

// Pictures are measured in hundredths of a millimetre; their pixels count at this resolution.
constexpr int kHimetricPerInch = 2540;

const QString resourceFolder = QStringLiteral(":/rcdata/");

int word(const QByteArray& data, qsizetype at)
{
    return int(quint8(data[at])) | int(quint8(data[at + 1])) << 8;
}

// A frame starts where a 4-byte graphic control extension (21 F9 04) is followed by an image
// descriptor (2C at +8). The whole descriptor, through +16, must lie inside the data: a cut
// file would otherwise be read past its end.
std::vector<qsizetype> frameMarkers(const QByteArray& data)
{
    std::vector<qsizetype> markers;
    for (qsizetype j = 0; j + 16 < data.size(); ++j)
        if (quint8(data[j]) == 0x21 && quint8(data[j + 1]) == 0xF9 && quint8(data[j + 2]) == 0x04
            && quint8(data[j + 8]) == 0x2C)
            markers.push_back(j);
    return markers;
}

QByteArray readWhole(QIODevice* stream)
{
    if (!stream->isSequential())
        stream->seek(0);
    return stream->readAll();
}

} // namespace

// ---- THTMLPicture ----------------------------------------------------------------------------

THTMLPicture::THTMLPicture() = default;
THTMLPicture::~THTMLPicture() = default;

std::unique_ptr<TObject> THTMLPicture::Clone() const
{
    auto copy = std::make_unique<THTMLPicture>();
    copy->Assign(this);
    copy->FStretched = FStretched;
    copy->FID = FID;
    copy->FIsDB = FIsDB;
    copy->FAsynch = FAsynch;
    return copy;
}

void THTMLPicture::resetFrames()
{
    FFrameCount = -1;
    FNextCount = -1;
    FTimerCount = -1;
    FFrame = 1;
}

// Every new set of bytes starts at frame 1 with its frames counted afresh: a count or frame
// kept from the previous picture would pick frames the new one does not have.
void THTMLPicture::takeBytes(QByteArray bytes)
{
    FDatastream = std::move(bytes);
    resetFrames();
}

void THTMLPicture::changed()
{
    if (OnChange)
        OnChange(this);
}

void THTMLPicture::Assign(const TPersistent* source)
{
    gpPicture = QImage();
    resetFrames();
    const auto* picture = dynamic_cast<const THTMLPicture*>(source);
    if (!picture) {
        FDatastream.clear();
        FIsEmpty = true;
        return;
    }
    FDatastream = picture->FDatastream;
    FIsEmpty = picture->FIsEmpty;
    // An empty picture has nothing to decode; decoding no bytes would raise.
    if (!FIsEmpty && !FDatastream.isEmpty())
        LoadPictureData();
    changed();
}

void THTMLPicture::LoadPictureData()
{
    FFrameXPos = FFrameYPos = FFrameXSize = FFrameYSize = 0;
    FAnimMaxX = FAnimMaxY = 0;
    gpPicture = QImage();
    FExtentX = FExtentY = 0;

    const bool animated = IsGIF() && FrameCount() > 0;
    QByteArray bytes;
    if (animated) {
        FAnimMaxX = word(FDatastream, 6);
        FAnimMaxY = word(FDatastream, 8);
        // Header and global data, then the current frame and every later one: the reader
        // shows the first frame it meets.
        const std::vector<qsizetype> markers = frameMarkers(FDatastream);
        bytes.reserve(FDatastream.size());
        bytes.append(FDatastream.first(markers.front()));
        for (size_t i = 0; i < markers.size(); ++i) {
            const int k = int(i) + 1;
            const qsizetype from = markers[i];
            const qsizetype to = i + 1 < markers.size() ? markers[i + 1] : FDatastream.size();
            if (k == FFrame) {
                FFrameXPos = word(FDatastream, from + 9);
                FFrameYPos = word(FDatastream, from + 11);
                FFrameXSize = word(FDatastream, from + 13);
                FFrameYSize = word(FDatastream, from + 15);
            }
            if (FFrame <= k)
                bytes.append(FDatastream.mid(from, to - from));
        }
    } else {
        bytes = FDatastream;
    }

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage image = reader.read();
    if (image.isNull())
        throw EQvGridError(QStringLiteral("Could not load image. Invalid format"));
    if (animated) {
        // The reader places the frame on the whole logical screen; the picture is the frame.
        const QRect frame = QRect(FFrameXPos, FFrameYPos, FFrameXSize, FFrameYSize) & image.rect();
        if (!frame.isEmpty())
            image = image.copy(frame);
    }
    gpPicture = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    FExtentX = MulDivRound(gpPicture.width(), kHimetricPerInch, FLogPixX);
    FExtentY = MulDivRound(gpPicture.height(), kHimetricPerInch, FLogPixY);
}

void THTMLPicture::Draw(QPainter& canvas, const TRect& rect) const
{
    if (FIsEmpty || gpPicture.isNull())
        return;
    if (FStretched) {
        canvas.drawImage(rect.toQRect(), gpPicture);
        return;
    }
    const QPaintDevice* device = canvas.device();
    const int dpiX = device ? device->logicalDpiX() : FLogPixX;
    const int dpiY = device ? device->logicalDpiY() : FLogPixY;
    const QRect natural(rect.Left, rect.Top, MulDivRound(FExtentX, dpiX, kHimetricPerInch),
                        MulDivRound(FExtentY, dpiY, kHimetricPerInch));
    canvas.drawImage(natural, gpPicture);
}

int THTMLPicture::Width() const
{
    return gpPicture.isNull() ? 0 : MulDivRound(FExtentX, FLogPixX, kHimetricPerInch);
}

int THTMLPicture::Height() const
{
    return gpPicture.isNull() ? 0 : MulDivRound(FExtentY, FLogPixY, kHimetricPerInch);
}

int THTMLPicture::MaxWidth() const
{
    if (gpPicture.isNull())
        return 0;
    return FAnimMaxX != 0 ? FAnimMaxX : Width();
}

int THTMLPicture::MaxHeight() const
{
    if (gpPicture.isNull())
        return 0;
    return FAnimMaxY != 0 ? FAnimMaxY : Height();
}

void THTMLPicture::LoadFromStream(QIODevice* stream)
{
    if (!stream)
        return;
    ReadData(stream);
    changed();
}

void THTMLPicture::ReadData(QIODevice* stream)
{
    if (!stream)
        return;
    takeBytes(readWhole(stream));
    FIsEmpty = false;
    LoadPictureData();
}

void THTMLPicture::LoadFromFile(const QString& fileName)
{
    try {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly))
            throw EQvGridError(QStringLiteral("Cannot open file ") + fileName);
        takeBytes(file.readAll());
        LoadPictureData();
        FIsEmpty = false;
        changed();
    } catch (const std::exception&) {
        gpPicture = QImage();
        FIsEmpty = true;
    }
}

void THTMLPicture::SaveToStream(QIODevice* stream) const
{
    WriteData(stream);
}

void THTMLPicture::WriteData(QIODevice* stream) const
{
    if (stream)
        stream->write(FDatastream);
}

void THTMLPicture::LoadFromResourceName(const QString& name)
{
    QFile resource(resourceFolder + name);
    if (QFileInfo(resource).isFile() && resource.open(QIODevice::ReadOnly))
        LoadFromStream(&resource);
}

void THTMLPicture::LoadFromResourceID(int id)
{
    QFile resource(resourceFolder + QString::number(id));
    if (!QFileInfo(resource).isFile() || !resource.open(QIODevice::ReadOnly))
        throw EQvGridError(QStringLiteral("Resource %1 not found").arg(id));
    LoadFromStream(&resource);
}

void THTMLPicture::LoadFromURL(const QString& url)
{
    const QString upper = url.toUpper();
    if (upper.startsWith(QLatin1String("RES://"))) {
        FID = url;
        const QString name = url.mid(6);
        if (!name.isEmpty())
            LoadFromResourceName(name);
    } else if (upper.startsWith(QLatin1String("FILE://"))) {
        FID = url;
        const QString path = url.mid(7);
        if (!path.isEmpty())
            LoadFromFile(path);
    } else if (!FAsynch) {
        FURL = url;
        FID = url;
    } else if (!FThreadBusy) {
        // Remote pictures are never fetched: the picture stays empty and counts as busy.
        FURL = url;
        FThreadBusy = true;
    }
}

bool THTMLPicture::IsGIF() const
{
    return FDatastream.size() >= 5 && FDatastream.startsWith("GIF8");
}

int THTMLPicture::FrameCount() const
{
    if (FFrameCount == -1 && IsGIF())
        FFrameCount = int(frameMarkers(FDatastream).size());
    return FFrameCount;
}

void THTMLPicture::SetFrame(int frame)
{
    FFrame = frame;
    if (!FDatastream.isEmpty()) {
        LoadPictureData();
        if (OnFrameChange)
            OnFrameChange(this);
    }
}

void THTMLPicture::FrameNext()
{
    SetFrame(FFrame < FrameCount() ? FFrame + 1 : 1);
}

void THTMLPicture::FramePrev()
{
    SetFrame(FFrame > 1 ? FFrame - 1 : FrameCount());
}

int THTMLPicture::GetFrameTime(int index) const
{
    if (!IsGIF() || index < 1)
        return -1;
    const std::vector<qsizetype> markers = frameMarkers(FDatastream);
    if (size_t(index) > markers.size())
        return -1;
    return word(FDatastream, markers[index - 1] + 4);
}

bool THTMLPicture::Step()
{
    if (FrameCount() < 2 || FIsEmpty)
        return false;
    if (FNextCount == -1)
        FNextCount = GetFrameTime(FFrame);
    bool changedFrame = false;
    if (FTimerCount * 10 >= FNextCount) {
        FrameNext();
        FNextCount += GetFrameTime(FFrame);
        changedFrame = true;
    }
    ++FTimerCount;
    return changedFrame;
}

// ---- THTMLPictureCache -----------------------------------------------------------------------

THTMLPicture* THTMLPictureCache::AddPicture()
{
    pictures.push_back(std::make_unique<THTMLPicture>());
    return pictures.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const QString& id) const
{
    for (const auto& picture : pictures)
        if (picture->ID() == id)
            return picture.get();
    return nullptr;
}

THTMLPicture* THTMLPictureCache::GetPicture(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return pictures[size_t(index)].get();
}

void THTMLPictureCache::SetPicture(int index, std::unique_ptr<THTMLPicture> picture)
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    pictures[size_t(index)] = std::move(picture);
}

bool THTMLPictureCache::Animate()
{
    bool any = false;
    for (const auto& picture : pictures)
        if (picture->Step())
            any = true;
    return any;
}

// ---- TPictureItem, TPictureCollection, TPictureContainer -------------------------------------

void TPictureItem::Assign(const TPictureItem& source)
{
    FPicture.Assign(&source.FPicture);
    FName = source.FName;
    FTag = source.FTag;
}

TPictureItem* TPictureCollection::Add()
{
    items.push_back(std::make_unique<TPictureItem>(this));
    return items.back().get();
}

TPictureItem* TPictureCollection::Insert(int index)
{
    if (index < 0 || index > Count())
        throw EListError(index);
    auto at = items.insert(items.begin() + index, std::make_unique<TPictureItem>(this));
    return at->get();
}

TPictureItem* TPictureCollection::GetItem(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return items[size_t(index)].get();
}

void TPictureCollection::Delete(int index)
{
    GetItem(index);
    items.erase(items.begin() + index);
}

bool TPictureCollection::Animate()
{
    bool any = false;
    for (const auto& item : items)
        if (item->Picture().Step())
            any = true;
    return any;
}

THTMLPicture* TPictureContainer::FindPicture(const QString& name) const
{
    const QString wanted = name.toUpper();
    for (int i = 0; i < FItems.Count(); ++i) {
        TPictureItem* item = FItems.GetItem(i);
        if (item->Name().toUpper() == wanted)
            return &item->Picture();
    }
    return nullptr;
}

} // namespace grid
