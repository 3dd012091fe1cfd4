#pragma once
// Drag and drop with other windows and programs, the generic half: reading what a dragged data
// object offers (TEnumFormats), a drop target that accepts or refuses a drag by its formats and
// hands a drop to one virtual handler per format (TQSGDropTarget), a drop source
// (TQSGDropSource), the data object a drag of the grid hands over (TSourceDataObject with
// TSourceEnumFormatEtc) and the two drag starters. The grid's own target and source derive from
// these (dragdrop/GridDragDrop.h).
//
// Formats are names here (platform/DragDrop.h), so nothing is registered before a drag: the
// first drag offers the same formats as any later one. A data object gives its blocks as
// bytes; the platform stand-in turns them into what Qt carries.

#include "platform/DragDrop.h"

#include <QByteArray>
#include <QIODevice>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QWidget;

namespace grid {

using platform::HRESULT;

// The two formats of the grid's own.
inline const QString CF_GRIDCOLUMN = QStringLiteral("Grid Column");        // one 32-bit column index
inline const QString CF_GRIDCELLS = QStringLiteral("TQvStringGrid Cells"); // length, 4 zeros, cell stream
// The grid's formats with the mime types they travel under.
std::vector<platform::PrivateFormat> GridDragFormats();

// Rich text is accepted on drops and offered by the data object only while this is set; the
// grids' DragDropSettings.OleDropRTF writes it, so the last grid to set it decides.
extern bool OleDropRTFEnabled;

enum TDropFormat { dfText, dfFile, dfCol, dfRTF, dfURL, dfGridCells };
using TDropFormats = unsigned; // bit n: TDropFormat n
inline constexpr TDropFormats DropFormatBit(TDropFormat f)
{
    return 1u << f;
}

inline constexpr int DVASPECT_CONTENT = 1;
inline constexpr int TYMED_HGLOBAL = 1;
inline constexpr int TYMED_FILE = 2;
inline constexpr int DATADIR_GET = 1;
inline constexpr int DATADIR_SET = 2;

struct TFormatEtc {
    QString cfFormat;
    bool ptd = false; // a target device named (never here)
    int dwAspect = DVASPECT_CONTENT;
    int lindex = -1;
    int tymed = TYMED_HGLOBAL;
};

class IEnumFORMATETC {
public:
    virtual ~IEnumFORMATETC() = default;
    virtual HRESULT Next(unsigned celt, TFormatEtc* elt, unsigned* pceltFetched) = 0;
    virtual HRESULT Skip(unsigned celt) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(std::unique_ptr<IEnumFORMATETC>& Enum) = 0;
};

class IDataObject {
public:
    virtual ~IDataObject() = default;
    // The medium of a TYMED_HGLOBAL request is the block's bytes.
    virtual HRESULT GetData(const TFormatEtc& format, QByteArray& medium) = 0;
    virtual HRESULT GetDataHere(const TFormatEtc& format, QByteArray& medium) = 0;
    virtual HRESULT QueryGetData(const TFormatEtc& format) = 0;
    virtual HRESULT GetCanonicalFormatEtc(const TFormatEtc& in, TFormatEtc& out) = 0;
    virtual HRESULT SetData(const TFormatEtc& format, const QByteArray& medium) = 0;
    virtual HRESULT EnumFormatEtc(int dwDirection, std::unique_ptr<IEnumFORMATETC>& Enum) = 0;
    virtual HRESULT DAdvise() = 0;
    virtual HRESULT DUnadvise() = 0;
    virtual HRESULT EnumDAdvise() = 0;
};

// What both data objects answer alike: one medium, no setting, no advise sinks.
class TBlockDataObject : public IDataObject {
public:
    HRESULT GetDataHere(const TFormatEtc&, QByteArray&) override { return platform::DV_E_FORMATETC; }
    HRESULT GetCanonicalFormatEtc(const TFormatEtc&, TFormatEtc& out) override;
    HRESULT SetData(const TFormatEtc&, const QByteArray&) override { return platform::DV_E_FORMATETC; }
    HRESULT DAdvise() override { return platform::OLE_E_ADVISENOTSUPPORTED; }
    HRESULT DUnadvise() override { return platform::OLE_E_ADVISENOTSUPPORTED; }
    HRESULT EnumDAdvise() override { return platform::OLE_E_ADVISENOTSUPPORTED; }
};

// What arrives with a drop from Qt: the converted formats, each one TYMED_HGLOBAL block.
class TDragDataObject final : public TBlockDataObject {
public:
    explicit TDragDataObject(platform::DragData data) : FData(std::move(data)) {}
    HRESULT GetData(const TFormatEtc& format, QByteArray& medium) override;
    HRESULT QueryGetData(const TFormatEtc& format) override;
    HRESULT EnumFormatEtc(int dwDirection, std::unique_ptr<IEnumFORMATETC>& Enum) override;

private:
    platform::DragData FData;
};

// Every format a data object gives, as the platform stand-in carries them.
platform::DragData DragDataOf(IDataObject& data);

// ---- reading a dragged data object ------------------------------------------------------------

class TEnumFormats {
public:
    // Raises EQvGridError "Cannot get the format enumerator" when the object gives none.
    explicit TEnumFormats(IDataObject& DataObject);
    void Reset();
    bool Next();
    // Stays on the matching entry, so the block readers read that one.
    bool HasFormat(const QString& ClipFormat);
    // The current entry's block when it offers every medium bit of Tymed.
    std::optional<QByteArray> Handle(int Tymed);
    std::optional<QByteArray> GlobalHandle() { return Handle(TYMED_HGLOBAL); }
    bool HasText() { return HasFormat(platform::CF_UNICODETEXT); }
    bool HasFile();
    bool HasRTF() { return HasFormat(platform::CF_RICHTEXT); }
    bool HasCol() { return HasFormat(CF_GRIDCOLUMN); }
    bool HasURL() { return HasFormat(platform::CF_URL); }
    bool HasGridCells() { return HasFormat(CF_GRIDCELLS); }
    QString Text();
    QString RTF();
    // The N bytes after the block's 8-byte head; none when absent or when N is more than the
    // block holds.
    std::optional<QByteArray> Stream();
    int Col();
    // The names HasFile read.
    const QStringList& Files() const { return FFiles; }

    IDataObject& DataObject() const { return FDataObject; }
    bool Valid() const { return FValid; }
    int Count() const { return FCount; }
    const TFormatEtc& FormatEtc() const { return FFormatEtc; }
    int Aspect() const { return FFormatEtc.dwAspect; }
    void SetAspect(int v) { FFormatEtc.dwAspect = v; }
    QString Format() const { return FFormatEtc.cfFormat; }
    void SetFormat(const QString& v) { FFormatEtc.cfFormat = v; }
    int Index() const { return FFormatEtc.lindex; }
    void SetIndex(int v) { FFormatEtc.lindex = v; }
    int Medium() const { return FFormatEtc.tymed; }
    void SetMedium(int v) { FFormatEtc.tymed = v; }

private:
    IDataObject& FDataObject;
    std::unique_ptr<IEnumFORMATETC> FEnumerator;
    TFormatEtc FFormatEtc;
    bool FValid = false;
    int FCount = 0;
    QStringList FFiles;
};

// The effect of a drag: Ctrl gives a copy, else a move where the source allows it, else a copy.
int DropEffectFor(unsigned KeyState, int Allowed);

// ---- drop target ------------------------------------------------------------------------------

class TQSGDropTarget {
public:
    TQSGDropTarget() = default;
    virtual ~TQSGDropTarget() = default;
    // dwEffect comes in as the effects the source allows and goes out as the one chosen. pt is
    // in screen coordinates. Every call answers S_OK.
    HRESULT DragEnter(IDataObject& DataObj, unsigned KeyState, QPoint pt, int& dwEffect);
    HRESULT DragOver(unsigned KeyState, QPoint pt, int& dwEffect);
    HRESULT DragLeave();
    HRESULT Drop(IDataObject& DataObj, unsigned KeyState, QPoint pt, int& dwEffect);

    bool AcceptText = true;
    bool AcceptFiles = true;
    bool AcceptCols = false;
    bool AcceptURLs = true;
    TDropFormats DropFormats() const { return FDropFormats; }
    bool Ok() const { return FOk; }

protected:
    virtual void DropText(QPoint, const QString&) {}
    virtual void DropStream(QPoint, QIODevice&) {}
    virtual void DropCol(QPoint, int) {}
    virtual void DropRTF(QPoint, const QString&) {}
    virtual void DropFiles(QPoint, const QStringList&) {}
    virtual void DropURL(QPoint, const QString&) {}
    virtual void DragMouseMove(QPoint, bool&, TDropFormats) {}
    virtual void DragMouseEnter() {}
    virtual void DragMouseLeave() {}

private:
    bool FOk = false;
    TDropFormats FDropFormats = 0;
};

// ---- drop source ------------------------------------------------------------------------------

class TQSGDropSource {
public:
    virtual ~TQSGDropSource() = default;
    HRESULT QueryContinueDrag(bool fEscapePressed, unsigned grfKeyState);
    HRESULT GiveFeedback(int dwEffect);
    bool NoAccept() const { return FNoAccept; }

protected:
    virtual void DragStopped() {}
    virtual void CurrentEffect(int) {}
    virtual void QueryDrag() {}

private:
    bool FNoAccept = false;
};

// ---- the data object of a grid's drag ---------------------------------------------------------

class TSourceDataObject final : public TBlockDataObject {
public:
    // Stream: the grid cells or none; the caller keeps it alive for the drag. ColIndex -1: none.
    TSourceDataObject(const QString& Text, const QByteArray* Stream, int ColIndex, const QString& RTF);
    HRESULT GetData(const TFormatEtc& format, QByteArray& medium) override;
    HRESULT QueryGetData(const TFormatEtc& format) override;
    HRESULT EnumFormatEtc(int dwDirection, std::unique_ptr<IEnumFORMATETC>& Enum) override;

private:
    QString textdata;
    QString rtfdata;
    int scolidx = -1;
    const QByteArray* memstr = nullptr;
};

class TSourceEnumFormatEtc final : public IEnumFORMATETC {
public:
    TSourceEnumFormatEtc(bool HasCol, bool HasGridCells, int Index = 0)
        : FIndex(Index), FHasCol(HasCol), FHasGridCells(HasGridCells)
    {
    }
    HRESULT Next(unsigned celt, TFormatEtc* elt, unsigned* pceltFetched) override;
    HRESULT Skip(unsigned celt) override;
    HRESULT Reset() override;
    HRESULT Clone(std::unique_ptr<IEnumFORMATETC>& Enum) override;

private:
    QStringList entries() const;
    int FIndex;
    bool FHasCol;
    bool FHasGridCells;
};

// ---- starting a drag --------------------------------------------------------------------------

// Where a drag runs: the platform's runner, the widget it starts from and the picture that
// follows the pointer (none: the platform's own).
struct TDragRun {
    platform::DragRunner& runner;
    QWidget* source = nullptr;
    QPixmap picture;
};

// Both give DRAGDROP_S_CANCEL when the drag ended on a target that refused it, else the runner's
// result; Effect receives the effect.
HRESULT BeginTextDrag(TQSGDropSource& DropSource, const QString& Text, const QString& RTF, int& Effect, int OkEffects,
                      const QByteArray* Stream, const TDragRun& run);
HRESULT BeginColumnDrag(TQSGDropSource& DropSource, int Column, int OkEffects, int& Effect, const TDragRun& run);

} // namespace grid
