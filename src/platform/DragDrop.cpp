#include "platform/DragDrop.h"

#include "platform/Services.h"
#include "platform/TextCodec.h"

#include <QDrag>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QtEndian>

namespace platform {

// ---- data --------------------------------------------------------------------------------------

void DragData::set(const QString& format, const QByteArray& bytes)
{
    for (auto& [name, block] : FFormats)
        if (name == format) {
            block = bytes;
            return;
        }
    FFormats.emplace_back(format, bytes);
}

bool DragData::has(const QString& format) const
{
    for (const auto& entry : FFormats)
        if (entry.first == format)
            return true;
    return false;
}

QByteArray DragData::data(const QString& format) const
{
    for (const auto& [name, block] : FFormats)
        if (name == format)
            return block;
    return {};
}

// ---- blocks ------------------------------------------------------------------------------------

namespace {

constexpr int kDropFilesHead = 20;

QByteArray zeroTerminated(QByteArray bytes)
{
    bytes.append('\0');
    return bytes;
}

} // namespace

QByteArray wideTextBlock(const QString& text)
{
    QByteArray out;
    out.reserve((text.size() + 1) * 2);
    for (const QChar ch : text) {
        out.append(char(ch.unicode() & 0xFF));
        out.append(char(ch.unicode() >> 8));
    }
    out.append(2, '\0');
    return out;
}

QByteArray narrowTextOf(const QByteArray& block)
{
    const qsizetype end = block.indexOf('\0');
    return end < 0 ? block : block.left(end);
}

namespace {

// Up to the first zero character from offset (even), or to the block's end.
QString wideText(const QByteArray& block, qsizetype offset, qsizetype* next = nullptr)
{
    QString out;
    qsizetype i = offset;
    for (; i + 1 < block.size(); i += 2) {
        const char16_t ch = char16_t(uchar(block[i]) | (uchar(block[i + 1]) << 8));
        if (ch == 0)
            break;
        out.append(QChar(ch));
    }
    if (next)
        *next = i + 2;
    return out;
}

} // namespace

QString wideTextOf(const QByteArray& block)
{
    return wideText(block, 0);
}

QByteArray dropFilesBlock(const QStringList& files)
{
    QByteArray block(kDropFilesHead, '\0');
    qToLittleEndian<quint32>(kDropFilesHead, block.data());
    qToLittleEndian<quint32>(1, block.data() + 16); // wide names
    for (const QString& f : files)
        block += wideTextBlock(f);
    block.append(2, '\0');
    return block;
}

QStringList readDropFiles(const QByteArray& block)
{
    QStringList files;
    if (block.size() < kDropFilesHead)
        return files;
    // The names start on an even offset, as the platform's own reader takes them.
    const qsizetype start = qsizetype(qFromLittleEndian<quint32>(block.constData()) & ~1u);
    const bool wide = qFromLittleEndian<quint32>(block.constData() + 16) != 0;
    qsizetype at = start;
    while (at < block.size()) {
        QString name;
        if (wide) {
            name = wideText(block, at, &at);
        } else {
            const qsizetype end = block.indexOf('\0', at);
            const qsizetype stop = end < 0 ? block.size() : end;
            name = fromAnsi(block.mid(at, stop - at));
            at = stop + 1;
        }
        if (name.isEmpty())
            break;
        files << name;
    }
    return files;
}

// ---- the conversion table ----------------------------------------------------------------------

namespace {

// Qt counts a link list as text too; here only real text is, as file and link drags carry none.
bool hasPlainText(const QMimeData& mime)
{
    for (const QString& f : mime.formats())
        if (f.startsWith(QLatin1String("text/plain")))
            return true;
    return false;
}

// The platform's texts end their lines with CR LF; a text from a program that ends them with
// LF alone gets CR LF, so its lines stay lines. A text holding any CR is taken as it is.
QString platformLines(QString text)
{
    if (!text.contains(QLatin1Char('\r')))
        text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

QList<QUrl> urlsOf(const QMimeData& mime, bool local)
{
    QList<QUrl> out;
    for (const QUrl& u : mime.urls())
        if (u.isLocalFile() == local)
            out << u;
    return out;
}

void addUrls(QMimeData& mime, const QList<QUrl>& more)
{
    mime.setUrls(mime.urls() + more);
}

struct StandardFormat {
    const QString& format;
    // Puts the format's block into the mime data.
    void (*out)(const QByteArray& block, QMimeData& mime);
    // The format's block read from the mime data; empty when the mime data does not carry it.
    QByteArray (*in)(const QMimeData& mime);
};

const StandardFormat kStandardFormats[] = {
    {CF_UNICODETEXT, [](const QByteArray& block, QMimeData& mime) { mime.setText(wideText(block, 0)); },
     [](const QMimeData& mime) {
         return hasPlainText(mime) ? wideTextBlock(platformLines(mime.text())) : QByteArray();
     }},
    {CF_TEXT,
     [](const QByteArray& block, QMimeData& mime) {
         if (!hasPlainText(mime))
             mime.setText(fromAnsi(narrowTextOf(block)));
     },
     [](const QMimeData& mime) {
         return hasPlainText(mime) ? zeroTerminated(toAnsi(platformLines(mime.text()))) : QByteArray();
     }},
    {CF_RICHTEXT,
     [](const QByteArray& block, QMimeData& mime) { mime.setData(QStringLiteral("text/rtf"), narrowTextOf(block)); },
     [](const QMimeData& mime) {
         return mime.hasFormat(QStringLiteral("text/rtf")) ? zeroTerminated(mime.data(QStringLiteral("text/rtf")))
                                                           : QByteArray();
     }},
    {CF_HDROP,
     [](const QByteArray& block, QMimeData& mime) {
         QList<QUrl> urls;
         for (const QString& f : readDropFiles(block))
             urls << QUrl::fromLocalFile(f);
         addUrls(mime, urls);
     },
     [](const QMimeData& mime) {
         QStringList files;
         for (const QUrl& u : urlsOf(mime, true))
             files << u.toLocalFile();
         return files.isEmpty() ? QByteArray() : dropFilesBlock(files);
     }},
    {CF_URL,
     [](const QByteArray& block, QMimeData& mime) { addUrls(mime, {QUrl(QString::fromLatin1(narrowTextOf(block)))}); },
     [](const QMimeData& mime) {
         const QList<QUrl> links = urlsOf(mime, false);
         return links.isEmpty() ? QByteArray() : zeroTerminated(links.first().toEncoded());
     }},
};

} // namespace

std::unique_ptr<QMimeData> toMimeData(const DragData& data, const std::vector<PrivateFormat>& privateFormats)
{
    auto mime = std::make_unique<QMimeData>();
    for (const StandardFormat& f : kStandardFormats)
        if (data.has(f.format))
            f.out(data.data(f.format), *mime);
    for (const PrivateFormat& p : privateFormats)
        if (data.has(p.format))
            mime->setData(p.mime, data.data(p.format));
    return mime;
}

DragData fromMimeData(const QMimeData& mime, const std::vector<PrivateFormat>& privateFormats)
{
    DragData data;
    for (const StandardFormat& f : kStandardFormats) {
        const QByteArray block = f.in(mime);
        if (!block.isEmpty())
            data.set(f.format, block);
    }
    // A link alone (a link dragged from an address bar) still brings its text.
    if (data.has(CF_URL) && !data.has(CF_UNICODETEXT))
        data.set(CF_UNICODETEXT, wideTextBlock(QString::fromLatin1(narrowTextOf(data.data(CF_URL)))));
    for (const PrivateFormat& p : privateFormats)
        if (mime.hasFormat(p.mime))
            data.set(p.format, mime.data(p.mime));
    return data;
}

// ---- runners -----------------------------------------------------------------------------------

int effectOf(int qtDropAction)
{
    switch (qtDropAction & (Qt::CopyAction | Qt::MoveAction)) {
    case Qt::MoveAction:
        return DROPEFFECT_MOVE;
    case Qt::CopyAction:
        return DROPEFFECT_COPY;
    default:
        return DROPEFFECT_NONE;
    }
}

int effectsOf(int qtDropActions)
{
    int effects = DROPEFFECT_NONE;
    if (qtDropActions & Qt::CopyAction)
        effects |= DROPEFFECT_COPY;
    if (qtDropActions & Qt::MoveAction)
        effects |= DROPEFFECT_MOVE;
    return effects;
}

int qtDropActionsOf(int effects)
{
    int actions = Qt::IgnoreAction;
    if (effects & DROPEFFECT_COPY)
        actions |= Qt::CopyAction;
    if (effects & DROPEFFECT_MOVE)
        actions |= Qt::MoveAction;
    return actions;
}

namespace {
// How often a running drag asks its source (about a screen refresh).
constexpr int kQueryInterval = 15;
} // namespace

DragOutcome QtDragRunner::run(const DragRequest& request)
{
    auto* drag = new QDrag(request.source); // Qt deletes it when the drag ends
    drag->setMimeData(toMimeData(request.data, request.privateFormats).release());
    if (!request.picture.isNull()) {
        drag->setPixmap(request.picture);
        drag->setHotSpot(QPoint(-4, -4));
    }
    if (request.feedback)
        QObject::connect(drag, &QDrag::actionChanged, drag,
                         [feedback = request.feedback](Qt::DropAction a) { feedback(effectOf(a)); });
    // Qt's drag loop has no per-move hook for the source; a short timer stands in for one.
    QTimer query;
    if (request.query) {
        QObject::connect(&query, &QTimer::timeout, &query, request.query);
        query.start(kQueryInterval);
    }
    const Qt::DropActions allowed(qtDropActionsOf(request.okEffects));
    const int effect = effectOf(drag->exec(allowed, Qt::MoveAction));
    query.stop();
    if (request.feedback)
        request.feedback(effect);
    if (effect == DROPEFFECT_NONE)
        return {DRAGDROP_S_CANCEL, DROPEFFECT_NONE};
    return {DRAGDROP_S_DROP, effect};
}

DragRunner& dragRunner(const Services& services)
{
    static QtDragRunner qt;
    return services.dragDrop ? *services.dragDrop : qt;
}

} // namespace platform
