#pragma once
// HTTP client for the version query: one HTTP/1.0 GET, made synchronously on the calling
// thread. No cookies, no proxy, redirects are returned as they are, never followed.

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace platform {

// Connecting (name lookup included) may take this long before the request counts as failed.
inline constexpr int kHttpConnectTimeoutMs = 10000;
// The whole reply must have arrived this long after the request was sent. The query blocks the
// user interface while it runs, so a silent server must not hold it for longer.
inline constexpr int kHttpReplyTimeoutMs = 20000;
// Replies larger than this are refused: the answers this client reads are a few bytes long.
inline constexpr qsizetype kHttpMaxReplyBytes = 1024 * 1024;

struct HttpReply {
    int status = 0;  // HTTP status code; 0 when no complete reply came
    QByteArray body; // the reply's body, whatever the status
    QString error;   // why there is no reply (status 0)

    bool succeeded() const { return status >= 200 && status <= 299; }
};

class HttpClient {
public:
    virtual ~HttpClient() = default;

    // One GET of an "http" address (default port 80). Blocks until the reply is complete, the
    // server closes, or a time-out passes.
    virtual HttpReply get(const QUrl& url) = 0;
};

// The production client on a TCP socket. Request headers, in this order: Host, Accept,
// Accept-Encoding "identity", User-Agent, Connection "keep-alive".
class TcpHttpClient final : public HttpClient {
public:
    explicit TcpHttpClient(int connectTimeoutMs = kHttpConnectTimeoutMs, int replyTimeoutMs = kHttpReplyTimeoutMs);

    HttpReply get(const QUrl& url) override;

    // The exact request bytes sent for url.
    static QByteArray requestFor(const QUrl& url);

private:
    int connectTimeoutMs_;
    int replyTimeoutMs_;
};

} // namespace platform
