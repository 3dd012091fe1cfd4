#include "platform/Http.h"

#include "support/FakeHttp.h"

#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>

#include <future>
#include <thread>

using namespace platform;

namespace {

// A one-connection HTTP server on 127.0.0.1 in a thread of its own (the client under test
// blocks the test's thread). It records the request and answers with a scripted reply.
class LoopbackServer {
public:
    enum class After { Close, KeepOpen };

    LoopbackServer(QByteArray reply, After after) : reply_(std::move(reply)), after_(after)
    {
        std::future<quint16> portReady = portPromise_.get_future();
        thread_ = std::thread([this] { serve(); });
        port_ = portReady.get();
    }
    ~LoopbackServer()
    {
        if (thread_.joinable())
            thread_.join();
    }

    QUrl url(const QString& pathAndQuery) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(pathAndQuery));
    }
    // The request bytes received (read after the client returned and the server was joined).
    QByteArray request()
    {
        if (thread_.joinable())
            thread_.join();
        return request_;
    }

private:
    void serve()
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost, 0);
        portPromise_.set_value(server.serverPort());
        if (!server.waitForNewConnection(10000))
            return;
        QTcpSocket* socket = server.nextPendingConnection();
        while (!request_.contains("\r\n\r\n") && socket->waitForReadyRead(10000))
            request_ += socket->readAll();
        socket->write(reply_);
        while (socket->bytesToWrite() > 0 && socket->waitForBytesWritten(10000)) {}
        if (after_ == After::Close) {
            socket->disconnectFromHost();
            if (socket->state() != QAbstractSocket::UnconnectedState)
                socket->waitForDisconnected(10000);
        } else {
            // Until the client hangs up (or gives up waiting).
            socket->waitForDisconnected(10000);
        }
    }

    QByteArray reply_;
    After after_;
    std::promise<quint16> portPromise_;
    quint16 port_ = 0;
    QByteArray request_;
    std::thread thread_;
};

const char* const kQuery = "/home/download/GetversionSW.asp?nomesw=CT40517";

} // namespace

TEST(Http, SendsTheExactRequest)
{
    LoopbackServer server("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\nVER. 1.001", LoopbackServer::After::Close);
    TcpHttpClient client;
    const HttpReply reply = client.get(server.url(kQuery));
    const QByteArray expected = "GET /home/download/GetversionSW.asp?nomesw=CT40517 HTTP/1.0\r\n"
                                "Host: 127.0.0.1:"
                                + QByteArray::number(server.url("/").port())
                                + "\r\n"
                                  "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"
                                  "Accept-Encoding: identity\r\n"
                                  "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
                                  "Connection: keep-alive\r\n"
                                  "\r\n";
    EXPECT_EQ(server.request(), expected);
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, "VER. 1.001");
    EXPECT_TRUE(reply.succeeded());
}

TEST(Http, HostHeaderLeavesOutTheDefaultPort)
{
    const QByteArray request =
        TcpHttpClient::requestFor(QUrl("http://versions.invalid/home/download/GetversionSW.asp?nomesw=CT40517"));
    EXPECT_TRUE(request.startsWith("GET /home/download/GetversionSW.asp?nomesw=CT40517 HTTP/1.0\r\n"
                                   "Host: versions.invalid\r\n"));
    EXPECT_TRUE(TcpHttpClient::requestFor(QUrl("http://127.0.0.1")).startsWith("GET / HTTP/1.0\r\n"));
}

TEST(Http, ReadsTheRepliesServersSend)
{
    using After = LoopbackServer::After;
    struct Case {
        const char* what;
        QByteArray reply;
        After after;
        int status; // 0: no reply
        QByteArray body;
    };
    const Case cases[] = {
        {"length given, connection kept open", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nVER. 1.001",
         After::KeepOpen, 200, "VER. 1.001"},
        {"body up to the close", "HTTP/1.0 200 OK\r\n\r\nVER. 1.000\r\n", After::Close, 200, "VER. 1.000\r\n"},
        {"bare line ends", "HTTP/1.0 200 OK\nServer: x\n\nVER. 0.000", After::Close, 200, "VER. 0.000"},
        {"chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nVER. \r\n5;x=1\r\n1.002\r\n0\r\n\r\n",
         After::KeepOpen, 200, "VER. 1.002"},
        {"empty body", "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n", After::KeepOpen, 200, ""},
        {"not found", "HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nNot Found", After::Close, 404, "Not Found"},
        {"redirect not followed", "HTTP/1.0 302 Found\r\nLocation: http://127.0.0.1:1/x\r\n\r\n", After::Close, 302,
         ""},
        {"closed without a reply", "", After::Close, 0, ""},
        {"closed inside the headers", "HTTP/1.0 200 OK\r\nContent-Le", After::Close, 0, ""},
        {"closed inside the body", "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nVER. 1.001", After::Close, 0, ""},
        {"closed inside a chunk", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nA\r\nVER.", After::Close, 0,
         ""},
        {"not HTTP", "VER. 1.001\r\n\r\n", After::Close, 0, ""},
        {"bad length", "HTTP/1.0 200 OK\r\nContent-Length: -4\r\n\r\nVER.", After::Close, 0, ""},
    };
    for (const Case& c : cases) {
        LoopbackServer server(c.reply, c.after);
        TcpHttpClient client(2000, 5000);
        const HttpReply reply = client.get(server.url(kQuery));
        EXPECT_EQ(reply.status, c.status) << c.what << ": " << reply.error.toStdString();
        EXPECT_EQ(reply.body, c.body) << c.what;
        EXPECT_EQ(reply.status == 0, !reply.error.isEmpty()) << c.what;
        EXPECT_EQ(reply.succeeded(), c.status == 200) << c.what;
    }
}

TEST(Http, ReportsARefusedConnection)
{
    quint16 port = 0;
    {
        QTcpServer probe; // a port that was free a moment ago and has no listener now
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    TcpHttpClient client(2000, 2000);
    const HttpReply reply = client.get(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(kQuery)));
    EXPECT_EQ(reply.status, 0);
    EXPECT_FALSE(reply.error.isEmpty());
}

TEST(Http, GivesUpOnASilentServer)
{
    // The server takes the request and never answers; the client's reply time-out ends the wait.
    LoopbackServer server("", LoopbackServer::After::KeepOpen);
    TcpHttpClient client(2000, 300);
    const HttpReply reply = client.get(server.url(kQuery));
    EXPECT_EQ(reply.status, 0);
    EXPECT_FALSE(reply.error.isEmpty());
}

TEST(Http, RefusesAddressesItCannotFetch)
{
    TcpHttpClient client;
    for (const char* url : {"https://127.0.0.1/", "ftp://127.0.0.1/x", "", "/home/download"}) {
        const HttpReply reply = client.get(QUrl(url));
        EXPECT_EQ(reply.status, 0) << url;
        EXPECT_FALSE(reply.error.isEmpty()) << url;
    }
}

TEST(Http, FakeHttpAnswersFromItsScript)
{
    testsupport::FakeHttp http;
    http.replies.push_back({200, "VER. 1.001", {}});
    EXPECT_EQ(http.get(QUrl("http://127.0.0.1/a")).body, "VER. 1.001");
    EXPECT_EQ(http.get(QUrl("http://127.0.0.1/b")).status, 0); // script used up: no reply
    ASSERT_EQ(http.requests.size(), 2);
    EXPECT_EQ(http.requests[1], QUrl("http://127.0.0.1/b"));
}
