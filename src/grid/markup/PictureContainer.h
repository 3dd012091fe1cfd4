#pragma once
// Pictures of the markup's IMG tags and page backgrounds (call flow in RizIVUDE.h): named ones
// in a TPictureContainer the application fills, and pictures given by URL in the grid's
// THTMLPictureCache, kept between paints. Both hold THTMLPicture objects, which keep the image
// file's bytes and decode them with Qt's image readers (BMP, ICO, GIF, JPEG; WMF has no
// reader and does not load). An animated GIF shows one frame at a time: the bytes handed to
// the reader are the file's header and global data followed by the current frame and the ones
// after it, and the picture keeps only that frame's rectangle (its offset in the logical screen
// is FrameXPos/FrameYPos, added by whoever draws it).

#include "grid/QvObj.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QIODevice;
class QPainter;

namespace grid {

// Download events of remote pictures. No picture ever downloads, so they never fire.
using TDownloadProgressEvent = std::function<void(TObject* sender, int size, int totalSize)>;
using TDownloadCancelEvent = std::function<void(TObject* sender, bool& cancel)>;
using TDownloadErrorEvent = std::function<void(TObject* sender, const QString& error)>;

class THTMLPicture : public TPersistent {
public:
    THTMLPicture();
    ~THTMLPicture() override;
    THTMLPicture(const THTMLPicture&) = delete;
    THTMLPicture& operator=(const THTMLPicture&) = delete;

    QString ClassName() const override { return QStringLiteral("THTMLPicture"); }
    std::unique_ptr<TObject> Clone() const override;

    // Empties the picture, then takes a THTMLPicture's bytes and decodes them (decoding
    // errors pass). No source clears the bytes; other sources leave the picture empty.
    void Assign(const TPersistent* source);

    // Nothing when empty or not decoded. Stretched into rect, else at its natural size at
    // rect's top-left (its extent at 96 dpi scaled to the canvas's resolution).
    void Draw(QPainter& canvas, const TRect& rect) const;

    bool Empty() const { return FIsEmpty; }
    // The decoded frame's size at 96 dpi; 0 without a decoded picture.
    int Width() const;
    int Height() const;
    // Sizes follow the picture; writing them does nothing.
    void SetWidth(int) {}
    void SetHeight(int) {}
    // The logical screen of an animated GIF, else Width/Height.
    int MaxWidth() const;
    int MaxHeight() const;

    // Loads copy the bytes, decode them and fire OnChange. Decoding errors (EQvGridError with
    // "Could not load image. Invalid format") pass to the caller, except from LoadFromFile,
    // which leaves the picture empty instead.
    void LoadFromStream(QIODevice* stream);
    void LoadFromFile(const QString& fileName);
    void SaveToStream(QIODevice* stream) const;
    // The same without the change event: the picture inside a component stream.
    void ReadData(QIODevice* stream);
    void WriteData(QIODevice* stream) const;
    // Clipboard formats carry no pictures here.
    void LoadFromClipboardFormat() {}
    void SaveToClipboardFormat() const {}
    // Program resources live under ":/rcdata/". A missing name loads nothing; a missing
    // number raises.
    void LoadFromResourceName(const QString& name);
    void LoadFromResourceID(int id);
    // "RES://name" and "FILE://path" (scheme in any case) load; any other address never
    // touches the network: the picture stays empty and, with Asynch, Busy.
    void LoadFromURL(const QString& url);

    bool IsGIF() const;
    // Frames of a GIF, counted once per loaded picture; -1 for anything else.
    int FrameCount() const;
    int Frame() const { return FFrame; }
    // Decodes that frame (1-based) and fires OnFrameChange.
    void SetFrame(int frame);
    void FrameNext();
    void FramePrev();
    // Display time of a frame in hundredths of a second; -1 when not a GIF or no such frame.
    int GetFrameTime(int index) const;
    // One animation step of 100 ms; true when the frame changed.
    bool Step();

    int FrameXPos() const { return FFrameXPos; }
    int FrameYPos() const { return FFrameYPos; }

    bool Stretch() const { return FStretched; }
    void SetStretch(bool v) { FStretched = v; }
    QString ID() const { return FID; }
    void SetID(const QString& v) { FID = v; }
    QString URL() const { return FURL; }
    bool IsDB() const { return FIsDB; }
    void SetIsDB(bool v) { FIsDB = v; }
    bool Asynch() const { return FAsynch; }
    void SetAsynch(bool v) { FAsynch = v; }
    bool Busy() const { return FThreadBusy; }

    TNotifyEvent OnChange;
    TNotifyEvent OnFrameChange;
    TDownloadProgressEvent OnDownLoadProgress;
    TDownloadCancelEvent OnDownLoadCancel;
    TNotifyEvent OnDownLoadComplete;
    TDownloadErrorEvent OnDownLoadError;

private:
    void takeBytes(QByteArray bytes);
    void resetFrames();
    void LoadPictureData();
    void changed();

    QByteArray FDatastream;
    bool FIsEmpty = true;
    bool FStretched = false;
    QImage gpPicture; // the decoded current frame; null when not decoded
    int FExtentX = 0; // its extent in hundredths of a millimetre
    int FExtentY = 0;
    int FLogPixX = 96;
    int FLogPixY = 96;
    QString FURL;
    QString FID;
    bool FIsDB = false;
    bool FAsynch = true;
    bool FThreadBusy = false;
    int FFrame = 1;
    mutable int FFrameCount = -1;
    int FFrameXPos = 0;
    int FFrameYPos = 0;
    int FFrameXSize = 0;
    int FFrameYSize = 0;
    int FAnimMaxX = 0;
    int FAnimMaxY = 0;
    int FNextCount = -1;
    int FTimerCount = -1;
};

// Pictures given by URL, owned, found by their ID.
class THTMLPictureCache {
public:
    THTMLPictureCache() = default;
    ~THTMLPictureCache() { ClearPictures(); }
    THTMLPictureCache(const THTMLPictureCache&) = delete;
    THTMLPictureCache& operator=(const THTMLPictureCache&) = delete;

    int Count() const { return int(pictures.size()); }
    THTMLPicture* AddPicture();
    // The first picture whose ID equals id exactly; nullptr when none.
    THTMLPicture* FindPicture(const QString& id) const;
    // Outside the list: EListError.
    THTMLPicture* GetPicture(int index) const;
    // The picture at index replaced (the old one freed).
    void SetPicture(int index, std::unique_ptr<THTMLPicture> picture);
    void ClearPictures() { pictures.clear(); }
    // One animation step of every picture; true when any frame changed.
    bool Animate();

private:
    std::vector<std::unique_ptr<THTMLPicture>> pictures;
};

class TPictureCollection;
class TPictureContainer;

class TPictureItem {
public:
    explicit TPictureItem(TPictureCollection* collection) : FCollection(collection) {}
    TPictureCollection* Collection() const { return FCollection; }

    THTMLPicture& Picture() { return FPicture; }
    const THTMLPicture& Picture() const { return FPicture; }
    // The picture is copied (Assign), never shared.
    void SetPicture(const THTMLPicture& picture) { FPicture.Assign(&picture); }
    QString Name() const { return FName; }
    void SetName(const QString& v) { FName = v; }
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }
    void Assign(const TPictureItem& source);

private:
    TPictureCollection* FCollection;
    THTMLPicture FPicture;
    QString FName;
    int FTag = 0;
};

class TPictureCollection {
public:
    explicit TPictureCollection(TPictureContainer* owner) : FOwner(owner) {}
    TPictureCollection(const TPictureCollection&) = delete;
    TPictureCollection& operator=(const TPictureCollection&) = delete;

    TPictureContainer* GetOwner() const { return FOwner; }
    int Count() const { return int(items.size()); }
    TPictureItem* Add();
    // A new item at index (0..Count); elsewhere EListError.
    TPictureItem* Insert(int index);
    // Outside the collection: EListError.
    TPictureItem* GetItem(int index) const;
    void SetItem(int index, const TPictureItem& value) { GetItem(index)->Assign(value); }
    void Delete(int index);
    void Clear() { items.clear(); }
    // One animation step of every item's picture; true when any frame changed.
    bool Animate();

private:
    TPictureContainer* FOwner;
    std::vector<std::unique_ptr<TPictureItem>> items;
};

class TPictureContainer {
public:
    TPictureContainer() : FItems(this) {}
    virtual ~TPictureContainer() = default;
    TPictureContainer(const TPictureContainer&) = delete;
    TPictureContainer& operator=(const TPictureContainer&) = delete;

    TPictureCollection& Items() { return FItems; }
    const TPictureCollection& Items() const { return FItems; }
    // The picture of the first item whose name equals name ignoring case; nullptr when none.
    virtual THTMLPicture* FindPicture(const QString& name) const;

private:
    TPictureCollection FItems;
};

} // namespace grid
