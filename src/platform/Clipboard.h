#pragma once
// The system clipboard. One copy places all its formats together in one QMimeData, so a reader
// never sees the text of one copy beside the private block of another.

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace platform {

inline const QString kClipboardTextMime = QStringLiteral("text/plain");
inline const QString kClipboardRtfMime = QStringLiteral("text/rtf");
inline const QString kClipboardHtmlMime = QStringLiteral("text/html");
// The wrapped HTML with its offset header, as Windows programs exchange it.
inline const QString kClipboardHtmlFormatMime = QStringLiteral("application/x-qt-windows-mime;value=\"HTML Format\"");

// The formats of one copy: the text and any further (mime type, bytes) pairs.
struct ClipboardSet {
    QString text;
    std::vector<std::pair<QString, QByteArray>> formats;
};

// Replaces the clipboard's content with the set.
void setClipboard(const ClipboardSet& set);
// The clipboard's text; empty when it holds none.
QString clipboardText();
bool clipboardHas(const QString& mime);
QByteArray clipboardData(const QString& mime);

} // namespace platform
