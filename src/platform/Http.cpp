#include "platform/Http.h"

#include <QDeadlineTimer>
#include <QNetworkProxy>
#include <QTcpSocket>

namespace platform {

namespace {

enum class Parse { Incomplete, Done, Broken };

// Offset just past the blank line that ends the header block, and where the block's own last
// line ends; -1 while it has not arrived. Bare "\n" line ends are taken as well.
qsizetype headerEnd(const QByteArray& data, qsizetype& blockEnd)
{
    const qsizetype crlf = data.indexOf("\r\n\r\n");
    const qsizetype lf = data.indexOf("\n\n");
    if (crlf >= 0 && (lf < 0 || crlf < lf)) {
        blockEnd = crlf;
        return crlf + 4;
    }
    if (lf >= 0) {
        blockEnd = lf;
        return lf + 2;
    }
    return -1;
}

// Decodes a chunked body that starts at data[pos].
Parse decodeChunked(const QByteArray& data, qsizetype pos, bool closed, QByteArray& body)
{
    body.clear();
    for (;;) {
        const qsizetype lineEnd = data.indexOf('\n', pos);
        if (lineEnd < 0)
            return closed ? Parse::Broken : Parse::Incomplete;
        QByteArray sizeText = data.mid(pos, lineEnd - pos).trimmed();
        const qsizetype ext = sizeText.indexOf(';');
        if (ext >= 0)
            sizeText.truncate(ext);
        bool ok = false;
        const qlonglong size = sizeText.trimmed().toLongLong(&ok, 16);
        if (!ok || size < 0 || size > kHttpMaxReplyBytes)
            return Parse::Broken;
        pos = lineEnd + 1;
        if (size == 0)
            return Parse::Done; // trailers, if any, carry nothing this client reads
        if (data.size() < pos + size + 1)
            return closed ? Parse::Broken : Parse::Incomplete;
        body += data.mid(pos, size);
        pos += size;
        // The chunk's own line end.
        if (data.at(pos) == '\r')
            ++pos;
        if (pos >= data.size())
            return closed ? Parse::Broken : Parse::Incomplete;
        if (data.at(pos) != '\n')
            return Parse::Broken;
        ++pos;
    }
}

// Reads the reply received so far. closed: the server has closed the connection, so nothing
// more will come.
Parse parseReply(const QByteArray& data, bool closed, HttpReply& reply)
{
    qsizetype blockEnd = 0;
    const qsizetype bodyStart = headerEnd(data, blockEnd);
    if (bodyStart < 0)
        return closed ? Parse::Broken : Parse::Incomplete;

    const QList<QByteArray> lines = data.left(blockEnd).split('\n');
    // Status line: "HTTP/1.x 200 OK".
    const QList<QByteArray> statusParts = lines.front().trimmed().split(' ');
    if (statusParts.size() < 2 || !statusParts[0].startsWith("HTTP/"))
        return Parse::Broken;
    bool ok = false;
    const int status = statusParts[1].toInt(&ok);
    if (!ok || statusParts[1].size() != 3 || status < 100)
        return Parse::Broken;

    qlonglong contentLength = -1;
    bool chunked = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-length") {
            contentLength = value.toLongLong(&ok);
            if (!ok || contentLength < 0)
                return Parse::Broken;
        } else if (name == "transfer-encoding") {
            chunked = value.toLower().contains("chunked");
        }
    }

    reply.status = status;
    // Replies that never carry a body.
    if (status < 200 || status == 204 || status == 304) {
        reply.body.clear();
        return Parse::Done;
    }
    if (chunked)
        return decodeChunked(data, bodyStart, closed, reply.body);
    if (contentLength >= 0) {
        if (data.size() - bodyStart < contentLength)
            return closed ? Parse::Broken : Parse::Incomplete;
        reply.body = data.mid(bodyStart, contentLength);
        return Parse::Done;
    }
    // No length given: the body ends when the server closes.
    if (!closed)
        return Parse::Incomplete;
    reply.body = data.mid(bodyStart);
    return Parse::Done;
}

HttpReply failure(const QString& error)
{
    HttpReply reply;
    reply.error = error;
    return reply;
}

} // namespace

TcpHttpClient::TcpHttpClient(int connectTimeoutMs, int replyTimeoutMs)
    : connectTimeoutMs_(connectTimeoutMs), replyTimeoutMs_(replyTimeoutMs)
{
}

QByteArray TcpHttpClient::requestFor(const QUrl& url)
{
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty())
        target = "/";
    if (url.hasQuery())
        target += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (url.port() != -1 && url.port() != 80)
        host += ':' + QByteArray::number(url.port());

    return "GET " + target
           + " HTTP/1.0\r\n"
             "Host: "
           + host
           + "\r\n"
             "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"
             "Accept-Encoding: identity\r\n"
             "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
             "Connection: keep-alive\r\n"
             "\r\n";
}

HttpReply TcpHttpClient::get(const QUrl& url)
{
    if (!url.isValid() || url.scheme().toLower() != QLatin1String("http") || url.host().isEmpty())
        return failure(QStringLiteral("Not an http address: %1").arg(url.toString()));

    QTcpSocket socket;
    socket.setProxy(QNetworkProxy::NoProxy);
    socket.connectToHost(url.host(), quint16(url.port(80)));
    if (!socket.waitForConnected(connectTimeoutMs_))
        return failure(socket.errorString());

    const QDeadlineTimer deadline(replyTimeoutMs_);
    socket.write(requestFor(url));
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return failure(socket.errorString());
    }

    QByteArray data;
    HttpReply reply;
    for (;;) {
        data += socket.readAll();
        if (data.size() > kHttpMaxReplyBytes)
            return failure(QStringLiteral("The reply is too large"));
        const bool closed = socket.state() != QAbstractSocket::ConnectedState;
        switch (parseReply(data, closed, reply)) {
        case Parse::Done:
            return reply;
        case Parse::Broken:
            return failure(closed ? QStringLiteral("The connection closed before the reply was complete")
                                  : QStringLiteral("The reply is not a valid HTTP reply"));
        case Parse::Incomplete:
            break;
        }
        if (closed) // cannot happen: a closed connection always decides the parse
            return failure(QStringLiteral("The connection closed before the reply was complete"));
        if (deadline.hasExpired())
            return failure(QStringLiteral("No complete reply in time"));
        // False on time-out or when the server closes; both are judged on the next pass.
        socket.waitForReadyRead(int(deadline.remainingTime()));
    }
}

} // namespace platform
