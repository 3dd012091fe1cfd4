#include "app/UAbout.h"
#include "app/USoftOptions.h"

#include "common/UComonState.h"
#include "platform/Http.h"
#include "support/FakeHttp.h"

#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>

#include <future>
#include <thread>

using namespace app;

namespace {

// A one-connection HTTP server on 127.0.0.1 in a thread of its own (the query blocks the
// test's thread). It records the request and answers with a scripted reply, then hangs up.
class LoopbackServer {
public:
    explicit LoopbackServer(QByteArray reply) : reply_(std::move(reply))
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

    quint16 port() const { return port_; }
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
        socket->disconnectFromHost();
        if (socket->state() != QAbstractSocket::UnconnectedState)
            socket->waitForDisconnected(10000);
    }

    QByteArray reply_;
    std::promise<quint16> portPromise_;
    quint16 port_ = 0;
    QByteArray request_;
    std::thread thread_;
};

platform::HttpReply reply(int status, const char* body)
{
    platform::HttpReply r;
    r.status = status;
    r.body = body;
    if (status == 0)
        r.error = QStringLiteral("no connection");
    return r;
}

} // namespace

TEST(VersionQuery, ConvVersionReadsOneDigitASeparatorAndThreeDigits)
{
    struct Case {
        const char* text;
        int number;
    };
    const Case cases[] = {
        {"VER. 1.002", 1002},
        {"1.000", 1000},
        {"VER. 1,002", 1002}, // the separator is not looked at
        {"VER. 1x002", 1002},
        {"VER.   2.345  ", 2345}, // after the first blank, trimmed
        {" VER. 2.345", -1},      // the first blank is the leading one
        {"VER. 1.001 and more", 1001},
        {"VER. 0.000", 0},
        {"VER. 1.00", -1}, // too short
        {"VER. a.bcd", -1},
        {"VER. 1.0a1", -1},
        {"VER. 10.001", -1}, // two digits before the point: the 3rd character is the point
        {"VER. $.ABC", -1},  // no hexadecimal
        {"VER. +.123", -1},  // no sign
        {"VER.", -1},
        {"", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Conv_Version(QString::fromLatin1(c.text)), c.number) << c.text;
}

TEST(VersionQuery, CheckVersionReadsTheServiceReply)
{
    struct Case {
        int status;
        const char* body;
        bool newer;
    };
    const Case cases[] = {
        {200, "VER. 1.001", true},
        {200, "VER. 1.001\r\n", true},
        {200, " \tVER. 9.999\n", true},
        {200, "ver. 1.001", true},
        {200, "VER. 1.000", false}, // the program's own version
        {200, "VER. 0.999", false},
        {200, "VER. 0.000", false},
        {200, "ver. 0.000", false},
        {200, "", false},
        {200, "\r\n", false},
        {200, "VER. 1.00", false},
        {200, "VER. 10.001", false},
        {200, "<html>Not found</html>", false},
        {0, "", false},             // no connection
        {301, "VER. 2.000", false}, // redirects are not followed
        {404, "VER. 2.000", false},
        {500, "VER. 2.000", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.status << " " << c.body);
        testsupport::FakeHttp http;
        http.replies.push_back(reply(c.status, c.body));
        EXPECT_EQ(Check_Version(&http, "version.test", 80), c.newer);
        ASSERT_EQ(http.requests.size(), 1);
        EXPECT_EQ(http.requests[0].toString(), "http://version.test/home/download/GetversionSW.asp?nomesw=CT40517");
    }
    EXPECT_FALSE(Check_Version(nullptr, "version.test", 80));
}

TEST(VersionQuery, TheProgramsOwnVersionIsTheOneTheAboutWindowShows)
{
    EXPECT_STREQ(common::kSW_Version, "1.000");
    EXPECT_EQ(Conv_Version(QString::fromLatin1(common::kSW_Version)), 1000);
}

TEST(VersionQuery, RequestGoesOutByteForByteOverTheRealClient)
{
    LoopbackServer server("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\nVER. 1.001");
    platform::TcpHttpClient client(5000, 5000);
    EXPECT_TRUE(Check_Version(&client, "127.0.0.1", server.port()));
    const QByteArray expected = "GET /home/download/GetversionSW.asp?nomesw=CT40517 HTTP/1.0\r\n"
                                "Host: 127.0.0.1:"
                                + QByteArray::number(server.port())
                                + "\r\n"
                                  "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"
                                  "Accept-Encoding: identity\r\n"
                                  "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
                                  "Connection: keep-alive\r\n"
                                  "\r\n";
    EXPECT_EQ(server.request(), expected);
}

TEST(VersionQuery, RealClientFailuresReadAsNoNewerVersion)
{
    {
        LoopbackServer redirect("HTTP/1.0 302 Found\r\nLocation: http://127.0.0.1:1/\r\n\r\nVER. 2.000");
        platform::TcpHttpClient client(5000, 5000);
        EXPECT_FALSE(Check_Version(&client, "127.0.0.1", redirect.port()));
    }
    {
        LoopbackServer current("HTTP/1.0 200 OK\r\n\r\nVER. 1.000\r\n");
        platform::TcpHttpClient client(5000, 5000);
        EXPECT_FALSE(Check_Version(&client, "127.0.0.1", current.port()));
    }
}

TEST(VersionQuery, LinksPointAtTheMakersPages)
{
    const QString host = QString::fromLatin1(kMakerWebHost);
    EXPECT_EQ(Download_Page_Address(), "http://" + host + "/Home/download/download.asp#GX40517");
    EXPECT_EQ(Download_Link("New <Version>"), "<a href=\"" + Download_Page_Address() + "\">New &lt;Version&gt;</a>");
    EXPECT_EQ(Home_Page_Address(), "http://" + host + "/HOME/default.asp?frompg=CT40517");
    EXPECT_EQ(Version_Query_Url(host, 80).toString(),
              "http://" + host + "/home/download/GetversionSW.asp?nomesw=CT40517");
}
