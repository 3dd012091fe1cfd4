#include "grid/dragdrop/qsgdd.h"

#include "grid/GridTypes.h"
#include "grid/clipboard/ClipboardText.h"

#include "platform/TextCodec.h"

#include <QBuffer>
#include <QtEndian>

namespace grid {

using namespace platform;

bool OleDropRTFEnabled = false;

std::vector<PrivateFormat> GridDragFormats()
{
    // The column travels under the same scheme as the cell block, which the clipboard registers.
    return {{CF_GRIDCELLS, gridCellsClipboardMime()},
            {CF_GRIDCOLUMN, QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(CF_GRIDCOLUMN)}};
}

namespace {

constexpr int kCellsHead = 8;

// An enumerator's steps over a list of format names, shared by both enumerators.
HRESULT nextOf(const QStringList& entries, int& index, unsigned celt, TFormatEtc* elt, unsigned* fetched)
{
    unsigned n = 0;
    while (n < celt && index < entries.size()) {
        elt[n] = TFormatEtc{entries.at(index), false, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        ++n;
        ++index;
    }
    if (fetched)
        *fetched = n;
    return n == celt ? S_OK : S_FALSE;
}

HRESULT skipOf(const QStringList& entries, int& index, unsigned celt)
{
    const qsizetype target = qsizetype(index) + qsizetype(celt);
    if (target > entries.size()) {
        index = int(entries.size());
        return S_FALSE;
    }
    index = int(target);
    return S_OK;
}

// The formats a received drag carries, in their order.
class TNameEnumFormatEtc final : public IEnumFORMATETC {
public:
    TNameEnumFormatEtc(QStringList names, int index) : FNames(std::move(names)), FIndex(index) {}
    HRESULT Next(unsigned celt, TFormatEtc* elt, unsigned* fetched) override
    {
        return nextOf(FNames, FIndex, celt, elt, fetched);
    }
    HRESULT Skip(unsigned celt) override { return skipOf(FNames, FIndex, celt); }
    HRESULT Reset() override
    {
        FIndex = 0;
        return S_OK;
    }
    HRESULT Clone(std::unique_ptr<IEnumFORMATETC>& Enum) override
    {
        Enum = std::make_unique<TNameEnumFormatEtc>(FNames, FIndex);
        return S_OK;
    }

private:
    QStringList FNames;
    int FIndex;
};

bool isContentBlock(const TFormatEtc& f)
{
    return f.dwAspect == DVASPECT_CONTENT && f.tymed == TYMED_HGLOBAL;
}

} // namespace

// ---- received data ------------------------------------------------------------------------------

HRESULT TDragDataObject::QueryGetData(const TFormatEtc& format)
{
    return isContentBlock(format) && FData.has(format.cfFormat) ? S_OK : DV_E_FORMATETC;
}

HRESULT TDragDataObject::GetData(const TFormatEtc& format, QByteArray& medium)
{
    if (QueryGetData(format) != S_OK)
        return DV_E_FORMATETC;
    medium = FData.data(format.cfFormat);
    return S_OK;
}

HRESULT TBlockDataObject::GetCanonicalFormatEtc(const TFormatEtc&, TFormatEtc& out)
{
    out.ptd = false;
    return E_NOTIMPL;
}

HRESULT TDragDataObject::EnumFormatEtc(int dwDirection, std::unique_ptr<IEnumFORMATETC>& Enum)
{
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    QStringList names;
    for (const auto& entry : FData.formats())
        names << entry.first;
    Enum = std::make_unique<TNameEnumFormatEtc>(names, 0);
    return S_OK;
}

DragData DragDataOf(IDataObject& data)
{
    DragData out;
    std::unique_ptr<IEnumFORMATETC> e;
    if (data.EnumFormatEtc(DATADIR_GET, e) != S_OK || !e)
        return out;
    TFormatEtc f;
    unsigned fetched = 0;
    while (e->Next(1, &f, &fetched) == S_OK && fetched == 1) {
        QByteArray block;
        // Listed formats the object refuses (a column drag's text) are left out.
        if (data.GetData(f, block) == S_OK)
            out.set(f.cfFormat, block);
    }
    return out;
}

// ---- TEnumFormats -------------------------------------------------------------------------------

TEnumFormats::TEnumFormats(IDataObject& DataObject) : FDataObject(DataObject)
{
    if (FDataObject.EnumFormatEtc(DATADIR_GET, FEnumerator) != S_OK || !FEnumerator)
        throw EQvGridError(QStringLiteral("Cannot get the format enumerator"));
    Reset();
}

void TEnumFormats::Reset()
{
    FValid = false;
    FCount = 0;
    FEnumerator->Reset();
}

bool TEnumFormats::Next()
{
    unsigned fetched = 0;
    FEnumerator->Next(1, &FFormatEtc, &fetched);
    ++FCount;
    FValid = fetched == 1;
    return FValid;
}

bool TEnumFormats::HasFormat(const QString& ClipFormat)
{
    Reset();
    while (Next())
        if (FFormatEtc.cfFormat == ClipFormat)
            return true;
    return false;
}

std::optional<QByteArray> TEnumFormats::Handle(int Tymed)
{
    if (!FValid || (FFormatEtc.tymed & Tymed) != Tymed)
        return std::nullopt;
    TFormatEtc request = FFormatEtc;
    request.tymed = Tymed;
    QByteArray medium;
    if (FDataObject.GetData(request, medium) != S_OK)
        return std::nullopt;
    return medium;
}

QString TEnumFormats::Text()
{
    if (!HasText())
        return {};
    return wideTextOf(GlobalHandle().value_or(QByteArray()));
}

QString TEnumFormats::RTF()
{
    if (!HasRTF())
        return {};
    return fromAnsi(narrowTextOf(GlobalHandle().value_or(QByteArray())));
}

std::optional<QByteArray> TEnumFormats::Stream()
{
    if (!HasGridCells())
        return std::nullopt;
    const std::optional<QByteArray> block = GlobalHandle();
    if (!block || block->size() < kCellsHead)
        return std::nullopt;
    // The length comes from another program: it must fit the block it came in.
    const quint32 n = qFromLittleEndian<quint32>(block->constData());
    if (n > quint32(block->size() - kCellsHead))
        return std::nullopt;
    return block->mid(kCellsHead, qsizetype(n));
}

int TEnumFormats::Col()
{
    if (!HasCol())
        return -1;
    const std::optional<QByteArray> block = GlobalHandle();
    if (!block || block->size() < 4)
        return -1;
    return qFromLittleEndian<qint32>(block->constData());
}

bool TEnumFormats::HasFile()
{
    FFiles.clear();
    if (!HasFormat(CF_HDROP))
        return false;
    if (const std::optional<QByteArray> block = GlobalHandle())
        FFiles = readDropFiles(*block);
    return !FFiles.isEmpty();
}

int DropEffectFor(unsigned KeyState, int Allowed)
{
    if (KeyState & MK_CONTROL)
        return DROPEFFECT_COPY;
    return (Allowed & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

// ---- drop target --------------------------------------------------------------------------------

HRESULT TQSGDropTarget::DragEnter(IDataObject& DataObj, unsigned KeyState, QPoint, int& dwEffect)
{
    TEnumFormats f(DataObj);
    // Each offered format and whether it makes the drag acceptable; grid cells always do.
    const struct {
        TDropFormat format;
        bool present;
        bool accepted;
    } offered[] = {
        {dfText, f.HasText(), AcceptText},
        {dfFile, f.HasFile(), AcceptFiles},
        {dfRTF, f.HasRTF(), OleDropRTFEnabled && AcceptText},
        {dfCol, f.HasCol(), AcceptCols},
        {dfURL, f.HasURL(), AcceptURLs},
        {dfGridCells, f.HasGridCells(), true},
    };
    FOk = false;
    FDropFormats = 0;
    for (const auto& o : offered) {
        if (!o.present)
            continue;
        FDropFormats |= DropFormatBit(o.format);
        FOk = FOk || o.accepted;
    }
    dwEffect = FOk ? DropEffectFor(KeyState, dwEffect) : DROPEFFECT_NONE;
    DragMouseEnter();
    return S_OK;
}

HRESULT TQSGDropTarget::DragOver(unsigned KeyState, QPoint pt, int& dwEffect)
{
    dwEffect = FOk ? DropEffectFor(KeyState, dwEffect) : DROPEFFECT_NONE;
    bool allow = dwEffect != DROPEFFECT_NONE;
    DragMouseMove(pt, allow, FDropFormats);
    if (!allow)
        dwEffect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT TQSGDropTarget::DragLeave()
{
    DragMouseLeave();
    return S_OK;
}

HRESULT TQSGDropTarget::Drop(IDataObject& DataObj, unsigned KeyState, QPoint pt, int& dwEffect)
{
    if (!FOk) {
        dwEffect = DROPEFFECT_NONE;
        return S_OK;
    }
    TEnumFormats f(DataObj);
    if (f.HasCol()) {
        DropCol(pt, f.Col());
    } else {
        if (f.HasGridCells()) {
            if (std::optional<QByteArray> cells = f.Stream()) {
                QBuffer stream(&*cells);
                stream.open(QIODevice::ReadOnly);
                DropStream(pt, stream);
            }
        } else if (OleDropRTFEnabled && f.HasRTF()) {
            DropRTF(pt, f.RTF());
        } else if (f.HasText()) {
            DropText(pt, f.Text());
        }
        if (f.HasFile())
            DropFiles(pt, f.Files());
        if (f.HasURL())
            DropURL(pt, f.Text());
    }
    dwEffect = DropEffectFor(KeyState, dwEffect);
    return S_OK;
}

// ---- drop source --------------------------------------------------------------------------------

HRESULT TQSGDropSource::QueryContinueDrag(bool fEscapePressed, unsigned grfKeyState)
{
    HRESULT result = S_OK;
    if (fEscapePressed) {
        DragStopped();
        result = DRAGDROP_S_CANCEL;
    } else if (!(grfKeyState & MK_LBUTTON)) {
        DragStopped();
        result = DRAGDROP_S_DROP;
    }
    QueryDrag();
    return result;
}

HRESULT TQSGDropSource::GiveFeedback(int dwEffect)
{
    FNoAccept = dwEffect == DROPEFFECT_NONE;
    CurrentEffect(dwEffect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

// ---- source data object -------------------------------------------------------------------------

TSourceDataObject::TSourceDataObject(const QString& Text, const QByteArray* Stream, int ColIndex, const QString& RTF)
    : textdata(Text), rtfdata(RTF), scolidx(ColIndex), memstr(Stream)
{
}

HRESULT TSourceDataObject::QueryGetData(const TFormatEtc& format)
{
    if (!isContentBlock(format))
        return DV_E_FORMATETC;
    const QString& cf = format.cfFormat;
    const bool text = !textdata.isEmpty();
    if (text && (cf == CF_TEXT || cf == CF_UNICODETEXT))
        return S_OK;
    // An empty rich text would leave no room for its terminating zero: it is not offered.
    if (text && cf == CF_RICHTEXT && OleDropRTFEnabled && !rtfdata.isEmpty())
        return S_OK;
    if (memstr && cf == CF_GRIDCELLS)
        return S_OK;
    if (scolidx != -1 && cf == CF_GRIDCOLUMN)
        return S_OK;
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(const TFormatEtc& format, QByteArray& medium)
{
    if (QueryGetData(format) != S_OK)
        return DV_E_FORMATETC;
    const QString& cf = format.cfFormat;
    if (cf == CF_TEXT) {
        medium = toAnsi(textdata) + '\0';
    } else if (cf == CF_UNICODETEXT) {
        medium = wideTextBlock(textdata);
    } else if (cf == CF_RICHTEXT) {
        medium = toAnsi(rtfdata) + '\0';
    } else if (cf == CF_GRIDCOLUMN) {
        medium = QByteArray(4, '\0');
        qToLittleEndian<qint32>(scolidx, medium.data());
    } else {
        medium = QByteArray(kCellsHead, '\0');
        qToLittleEndian<quint32>(quint32(memstr->size()), medium.data());
        medium += *memstr;
    }
    return S_OK;
}

HRESULT TSourceDataObject::EnumFormatEtc(int dwDirection, std::unique_ptr<IEnumFORMATETC>& Enum)
{
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    Enum = std::make_unique<TSourceEnumFormatEtc>(scolidx != -1, memstr != nullptr);
    return S_OK;
}

QStringList TSourceEnumFormatEtc::entries() const
{
    // The three text formats are listed even for a column drag; the object then refuses them.
    QStringList list{CF_TEXT, CF_UNICODETEXT, CF_RICHTEXT};
    if (FHasCol)
        list << CF_GRIDCOLUMN;
    if (FHasGridCells)
        list << CF_GRIDCELLS;
    return list;
}

HRESULT TSourceEnumFormatEtc::Next(unsigned celt, TFormatEtc* elt, unsigned* pceltFetched)
{
    return nextOf(entries(), FIndex, celt, elt, pceltFetched);
}

HRESULT TSourceEnumFormatEtc::Skip(unsigned celt)
{
    return skipOf(entries(), FIndex, celt);
}

HRESULT TSourceEnumFormatEtc::Reset()
{
    FIndex = 0;
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Clone(std::unique_ptr<IEnumFORMATETC>& Enum)
{
    Enum = std::make_unique<TSourceEnumFormatEtc>(FHasCol, FHasGridCells, FIndex);
    return S_OK;
}

// ---- starting a drag ----------------------------------------------------------------------------

namespace {

HRESULT runDrag(TQSGDropSource& source, IDataObject& data, int okEffects, int& effect, const TDragRun& run)
{
    DragRequest request;
    request.source = run.source;
    request.data = DragDataOf(data);
    request.privateFormats = GridDragFormats();
    request.okEffects = okEffects;
    request.picture = run.picture;
    request.feedback = [&source](int e) { source.GiveFeedback(e); };
    // While it runs the button is held: each turn is a continue-query that goes on.
    request.query = [&source] { source.QueryContinueDrag(false, MK_LBUTTON); };
    const DragOutcome outcome = run.runner.run(request);
    // The platform's loop ends on Escape or on the release; the source hears which.
    source.QueryContinueDrag(outcome.result == DRAGDROP_S_CANCEL, 0);
    effect = outcome.effect;
    return source.NoAccept() ? DRAGDROP_S_CANCEL : outcome.result;
}

} // namespace

HRESULT BeginTextDrag(TQSGDropSource& DropSource, const QString& Text, const QString& RTF, int& Effect, int OkEffects,
                      const QByteArray* Stream, const TDragRun& run)
{
    TSourceDataObject data(Text, Stream, -1, RTF);
    return runDrag(DropSource, data, OkEffects, Effect, run);
}

HRESULT BeginColumnDrag(TQSGDropSource& DropSource, int Column, int OkEffects, int& Effect, const TDragRun& run)
{
    TSourceDataObject data(QString(), nullptr, Column, QString());
    return runDrag(DropSource, data, OkEffects, Effect, run);
}

} // namespace grid
