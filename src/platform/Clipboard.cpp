#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace platform {

void setClipboard(const ClipboardSet& set)
{
    auto* md = new QMimeData;
    md->setText(set.text);
    for (const auto& [mime, bytes] : set.formats) {
        if (mime == kClipboardHtmlMime)
            md->setHtml(QString::fromUtf8(bytes));
        else
            md->setData(mime, bytes);
    }
    QGuiApplication::clipboard()->setMimeData(md);
}

QString clipboardText()
{
    const QMimeData* md = QGuiApplication::clipboard()->mimeData();
    return md && md->hasText() ? md->text() : QString();
}

bool clipboardHas(const QString& mime)
{
    const QMimeData* md = QGuiApplication::clipboard()->mimeData();
    return md && md->hasFormat(mime);
}

QByteArray clipboardData(const QString& mime)
{
    const QMimeData* md = QGuiApplication::clipboard()->mimeData();
    return md ? md->data(mime) : QByteArray();
}

} // namespace platform
