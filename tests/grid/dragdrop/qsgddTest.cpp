// The generic drag and drop: what the grid's data object offers and gives, how a drop target
// accepts a drag and which handlers a drop reaches, the effect rule, the format enumerator, and
// a drag run through the runner double.

#include "grid/dragdrop/qsgdd.h"
#include "grid/GridTypes.h"

#include "support/FakeDragDrop.h"

#include <gtest/gtest.h>

#include <QMimeData>

using namespace grid;
using namespace platform;

namespace {

// Records what reaches each handler, in order.
class RecordingTarget : public TQSGDropTarget {
public:
    QStringList calls;
    QByteArray stream;
    bool refuseMove = false;

protected:
    void DropText(QPoint, const QString& s) override { calls << "text:" + s; }
    void DropStream(QPoint, QIODevice& st) override
    {
        stream = st.readAll();
        calls << QStringLiteral("stream");
    }
    void DropCol(QPoint, int c) override { calls << "col:" + QString::number(c); }
    void DropRTF(QPoint, const QString& s) override { calls << "rtf:" + s; }
    void DropFiles(QPoint, const QStringList& f) override { calls << "files:" + f.join(','); }
    void DropURL(QPoint, const QString& s) override { calls << "url:" + s; }
    void DragMouseMove(QPoint, bool& allow, TDropFormats) override
    {
        if (refuseMove)
            allow = false;
    }
};

// A received drag holding the given formats.
TDragDataObject received(const std::vector<std::pair<QString, QByteArray>>& formats)
{
    DragData d;
    for (const auto& [name, bytes] : formats)
        d.set(name, bytes);
    return TDragDataObject(d);
}

QByteArray text(const QString& s)
{
    return wideTextBlock(s);
}

struct RtfSwitch {
    explicit RtfSwitch(bool on) { OleDropRTFEnabled = on; }
    ~RtfSwitch() { OleDropRTFEnabled = false; }
};

TFormatEtc request(const QString& cf)
{
    return TFormatEtc{cf};
}

} // namespace

TEST(QsgddDataObject, CellBlockTravelsWithItsHeadAndArrivesWithout)
{
    const QByteArray cells("0123456789abc"); // N = 13
    TSourceDataObject source(QStringLiteral("a"), &cells, -1, QString());
    QByteArray block;
    ASSERT_EQ(source.GetData(request(CF_GRIDCELLS), block), S_OK);
    // Length 13 little-endian, four zero bytes, then the 13 bytes: 21 in all.
    EXPECT_EQ(block, QByteArray("\x0d\0\0\0\0\0\0\0", 8) + cells);

    TDragDataObject arrived(DragDataOf(source));
    TEnumFormats f(arrived);
    EXPECT_EQ(f.Stream(), std::optional<QByteArray>(cells));

    // A head claiming more than the block holds gives no stream.
    TDragDataObject lying = received({{CF_GRIDCELLS, QByteArray("\x40\0\0\0\0\0\0\0abc", 11)}});
    EXPECT_FALSE(TEnumFormats(lying).Stream().has_value());
}

TEST(QsgddDataObject, TextFormatsAndTheirSizes)
{
    TSourceDataObject source(QStringLiteral("héllo"), nullptr, -1, QString());
    QByteArray wide, narrow;
    ASSERT_EQ(source.GetData(request(CF_UNICODETEXT), wide), S_OK);
    EXPECT_EQ(wide.size(), 2 * 5 + 2);
    ASSERT_EQ(source.GetData(request(CF_TEXT), narrow), S_OK);
    EXPECT_EQ(narrow, QByteArray("h\xe9llo", 5) + '\0');

    // Only the content aspect in a global block is given.
    TFormatEtc other = request(CF_TEXT);
    other.tymed = TYMED_HGLOBAL | TYMED_FILE;
    EXPECT_EQ(source.QueryGetData(other), DV_E_FORMATETC);
    other = request(CF_TEXT);
    other.dwAspect = 2;
    EXPECT_EQ(source.QueryGetData(other), DV_E_FORMATETC);
    EXPECT_EQ(source.QueryGetData(request(CF_GRIDCELLS)), DV_E_FORMATETC);
    EXPECT_EQ(source.DAdvise(), OLE_E_ADVISENOTSUPPORTED);
    EXPECT_EQ(source.SetData(request(CF_TEXT), {}), DV_E_FORMATETC);
}

TEST(QsgddDataObject, RichTextOnlyWhileEnabledAndNeverEmpty)
{
    TSourceDataObject withRtf(QStringLiteral("a"), nullptr, -1, QStringLiteral("{\\rtf1 a}"));
    TSourceDataObject emptyRtf(QStringLiteral("a"), nullptr, -1, QString());
    EXPECT_EQ(withRtf.QueryGetData(request(CF_RICHTEXT)), DV_E_FORMATETC);
    RtfSwitch on(true);
    EXPECT_EQ(withRtf.QueryGetData(request(CF_RICHTEXT)), S_OK);
    QByteArray block;
    ASSERT_EQ(withRtf.GetData(request(CF_RICHTEXT), block), S_OK);
    EXPECT_EQ(block, QByteArray("{\\rtf1 a}") + '\0');
    // No room for a terminating zero in an empty text: not offered at all.
    EXPECT_EQ(emptyRtf.QueryGetData(request(CF_RICHTEXT)), DV_E_FORMATETC);
    EXPECT_FALSE(DragDataOf(emptyRtf).has(CF_RICHTEXT));
}

TEST(QsgddDataObject, ColumnDragAnswersOnlyGridColumn)
{
    TSourceDataObject column(QString(), nullptr, 4, QString());
    for (const QString& cf : {CF_TEXT, CF_UNICODETEXT, CF_RICHTEXT, CF_GRIDCELLS})
        EXPECT_EQ(column.QueryGetData(request(cf)), DV_E_FORMATETC) << cf.toStdString();
    EXPECT_EQ(column.QueryGetData(request(CF_GRIDCOLUMN)), S_OK);
    const DragData d = DragDataOf(column);
    ASSERT_EQ(d.formats().size(), 1u);
    TDragDataObject arrived(d);
    EXPECT_EQ(TEnumFormats(arrived).Col(), 4);
}

TEST(QsgddEnumerator, OrderAndEnds)
{
    TSourceEnumFormatEtc e(true, true);
    TFormatEtc got[6];
    unsigned fetched = 0;
    EXPECT_EQ(e.Next(6, got, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 5u);
    const QStringList order{CF_TEXT, CF_UNICODETEXT, CF_RICHTEXT, CF_GRIDCOLUMN, CF_GRIDCELLS};
    for (unsigned i = 0; i < fetched; ++i) {
        EXPECT_EQ(got[i].cfFormat, order[int(i)]);
        EXPECT_EQ(got[i].lindex, -1);
        EXPECT_EQ(got[i].tymed, TYMED_HGLOBAL);
    }
    EXPECT_EQ(e.Next(1, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);

    EXPECT_EQ(e.Reset(), S_OK);
    EXPECT_EQ(e.Skip(2), S_OK);
    std::unique_ptr<IEnumFORMATETC> clone;
    ASSERT_EQ(e.Clone(clone), S_OK);
    EXPECT_EQ(clone->Next(1, got, &fetched), S_OK);
    EXPECT_EQ(got[0].cfFormat, CF_RICHTEXT);
    EXPECT_EQ(e.Skip(9), S_FALSE);
    EXPECT_EQ(e.Next(1, got, &fetched), S_FALSE);

    // Without a column or cells: the three text formats, cells always last when present.
    TSourceEnumFormatEtc cellsOnly(false, true);
    EXPECT_EQ(cellsOnly.Next(4, got, &fetched), S_OK);
    EXPECT_EQ(got[3].cfFormat, CF_GRIDCELLS);
    TSourceEnumFormatEtc plain(false, false);
    EXPECT_EQ(plain.Skip(3), S_OK);
    EXPECT_EQ(plain.Skip(1), S_FALSE);
}

TEST(QsgddEnumFormats, ReaderWithoutEnumeratorRaises)
{
    class Refusing final : public IDataObject {
    public:
        HRESULT GetData(const TFormatEtc&, QByteArray&) override { return DV_E_FORMATETC; }
        HRESULT GetDataHere(const TFormatEtc&, QByteArray&) override { return DV_E_FORMATETC; }
        HRESULT QueryGetData(const TFormatEtc&) override { return DV_E_FORMATETC; }
        HRESULT GetCanonicalFormatEtc(const TFormatEtc&, TFormatEtc&) override { return E_NOTIMPL; }
        HRESULT SetData(const TFormatEtc&, const QByteArray&) override { return E_NOTIMPL; }
        HRESULT EnumFormatEtc(int, std::unique_ptr<IEnumFORMATETC>&) override { return E_NOTIMPL; }
        HRESULT DAdvise() override { return E_NOTIMPL; }
        HRESULT DUnadvise() override { return E_NOTIMPL; }
        HRESULT EnumDAdvise() override { return E_NOTIMPL; }
    } refusing;
    try {
        TEnumFormats f(refusing);
        FAIL() << "no error";
    } catch (const EQvGridError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot get the format enumerator"));
    }
    // A missing format reads as empty text, -1 or no stream.
    TDragDataObject empty = received({});
    TEnumFormats f(empty);
    EXPECT_EQ(f.Text(), QString());
    EXPECT_EQ(f.Col(), -1);
    EXPECT_FALSE(f.Stream().has_value());
    EXPECT_FALSE(f.HasFile());
}

TEST(QsgddEffects, EffectRule)
{
    struct Case {
        unsigned keys;
        int allowed;
        int effect;
    } cases[] = {
        {MK_CONTROL, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY}, // Ctrl copies even where move is allowed
        {0, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE},
        {0, DROPEFFECT_MOVE, DROPEFFECT_MOVE},
        {0, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {MK_LBUTTON, DROPEFFECT_COPY, DROPEFFECT_COPY},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DropEffectFor(c.keys, c.allowed), c.effect) << c.keys << " " << c.allowed;
}

TEST(QsgddDropTarget, AcceptanceAndDispatch)
{
    const QByteArray cellsBlock = QByteArray("\x02\0\0\0\0\0\0\0xy", 10);
    const QByteArray url = QByteArray("https://example.com/") + '\0';
    struct Case {
        const char* what;
        std::vector<std::pair<QString, QByteArray>> formats;
        bool rtfOn;
        bool acceptText;
        int effect;
        QStringList calls;
        TDropFormats offered;
    } cases[] = {
        {"text and a link deliver both, the link with the text",
         {{CF_UNICODETEXT, text("https://example.com/")}, {CF_URL, url}},
         false,
         true,
         DROPEFFECT_MOVE,
         {"text:https://example.com/", "url:https://example.com/"},
         DropFormatBit(dfText) | DropFormatBit(dfURL)},
        {"cells and text deliver only the cells",
         {{CF_UNICODETEXT, text("a")}, {CF_GRIDCELLS, cellsBlock}},
         false,
         true,
         DROPEFFECT_MOVE,
         {"stream"},
         DropFormatBit(dfText) | DropFormatBit(dfGridCells)},
        {"cells are taken even where text is not",
         {{CF_GRIDCELLS, cellsBlock}},
         false,
         false,
         DROPEFFECT_MOVE,
         {"stream"},
         DropFormatBit(dfGridCells)},
        {"rich text alone is refused while off",
         {{CF_RICHTEXT, QByteArray("r") + '\0'}},
         false,
         true,
         DROPEFFECT_NONE,
         {},
         DropFormatBit(dfRTF)},
        {"rich text alone is refused without accept-text",
         {{CF_RICHTEXT, QByteArray("r") + '\0'}},
         true,
         false,
         DROPEFFECT_NONE,
         {},
         DropFormatBit(dfRTF)},
        {"rich text alone, on and accepted",
         {{CF_RICHTEXT, QByteArray("r") + '\0'}},
         true,
         true,
         DROPEFFECT_MOVE,
         {"rtf:r"},
         DropFormatBit(dfRTF)},
        {"rich text before text while on",
         {{CF_UNICODETEXT, text("t")}, {CF_RICHTEXT, QByteArray("r") + '\0'}},
         true,
         true,
         DROPEFFECT_MOVE,
         {"rtf:r"},
         DropFormatBit(dfText) | DropFormatBit(dfRTF)},
        {"files",
         {{CF_HDROP, dropFilesBlock({"/a.csv", "/b.csv"})}},
         false,
         true,
         DROPEFFECT_MOVE,
         {"files:/a.csv,/b.csv"},
         DropFormatBit(dfFile)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RtfSwitch rtf(c.rtfOn);
        RecordingTarget t;
        t.AcceptText = c.acceptText;
        TDragDataObject data = received(c.formats);
        int effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(t.DragEnter(data, 0, {}, effect), S_OK);
        EXPECT_EQ(effect, c.effect);
        EXPECT_EQ(t.DropFormats(), c.offered);
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        t.Drop(data, 0, {}, effect);
        EXPECT_EQ(effect, c.effect);
        EXPECT_EQ(t.calls, c.calls);
    }
}

TEST(QsgddDropTarget, ColumnsNeedTheirFlagAndDeliverNothingElse)
{
    TDragDataObject data = received({{CF_GRIDCOLUMN, QByteArray("\x02\0\0\0", 4)}, {CF_UNICODETEXT, text("x")}});
    RecordingTarget t;
    t.AcceptText = false;
    int effect = DROPEFFECT_COPY;
    t.DragEnter(data, 0, {}, effect);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    t.AcceptCols = true;
    effect = DROPEFFECT_COPY;
    t.DragEnter(data, 0, {}, effect);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    t.Drop(data, 0, {}, effect);
    EXPECT_EQ(t.calls, QStringList{"col:2"});
}

TEST(QsgddDropTarget, DragOverFollowsTheEnterAndTheHandler)
{
    TDragDataObject data = received({{CF_UNICODETEXT, text("x")}});
    RecordingTarget t;
    int effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    t.DragEnter(data, 0, {}, effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    t.DragOver(MK_CONTROL, {}, effect);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    t.refuseMove = true;
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    t.DragOver(0, {}, effect);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
}

TEST(QsgddDropSource, ContinueAndFeedback)
{
    struct Source : TQSGDropSource {
        QStringList calls;
        void DragStopped() override { calls << "stopped"; }
        void CurrentEffect(int e) override { calls << "effect" + QString::number(e); }
        void QueryDrag() override { calls << "query"; }
    } s;
    EXPECT_EQ(s.QueryContinueDrag(false, MK_LBUTTON), S_OK);
    EXPECT_EQ(s.QueryContinueDrag(true, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(s.QueryContinueDrag(false, 0), DRAGDROP_S_DROP);
    EXPECT_EQ(s.calls, (QStringList{"query", "stopped", "query", "stopped", "query"}));
    EXPECT_EQ(s.GiveFeedback(DROPEFFECT_NONE), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_TRUE(s.NoAccept());
    s.GiveFeedback(DROPEFFECT_MOVE);
    EXPECT_FALSE(s.NoAccept());
}

TEST(QsgddBeginDrag, ResultsThroughTheRunner)
{
    testsupport::FakeDragRunner runner;
    const TDragRun run{runner, nullptr, QPixmap()};
    TQSGDropSource source;
    int effect = -1;
    const QByteArray cells("abc");

    runner.effect = DROPEFFECT_MOVE;
    EXPECT_EQ(
        BeginTextDrag(source, QStringLiteral("t"), QString(), effect, DROPEFFECT_COPY | DROPEFFECT_MOVE, &cells, run),
        DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    EXPECT_EQ(runner.last.okEffects, DROPEFFECT_COPY | DROPEFFECT_MOVE);
    EXPECT_TRUE(runner.last.data.has(CF_GRIDCELLS));
    EXPECT_EQ(runner.mime->text(), QStringLiteral("t"));
    EXPECT_TRUE(runner.mime->hasFormat(GridDragFormats()[0].mime));

    // A target that refused: the drag reports a cancel.
    runner.effect = DROPEFFECT_NONE;
    EXPECT_EQ(BeginTextDrag(source, QStringLiteral("t"), QString(), effect, DROPEFFECT_COPY, nullptr, run),
              DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);

    runner.cancel = true;
    EXPECT_EQ(BeginColumnDrag(source, 3, DROPEFFECT_COPY, effect, run), DRAGDROP_S_CANCEL);
    EXPECT_EQ(runner.last.data.formats().size(), 1u);
    EXPECT_TRUE(runner.mime->hasFormat(GridDragFormats()[1].mime));
}
