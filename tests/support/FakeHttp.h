#pragma once
// An HTTP client that sends nothing: it records the addresses asked for and answers from a
// queue; once the queue is empty it answers as a server that cannot be reached.

#include "platform/Http.h"

#include <QList>
#include <QUrl>
#include <deque>

namespace testsupport {

class FakeHttp final : public platform::HttpClient {
public:
    platform::HttpReply get(const QUrl& url) override
    {
        requests.push_back(url);
        if (replies.empty()) {
            platform::HttpReply none;
            none.error = QStringLiteral("no scripted reply");
            return none;
        }
        platform::HttpReply reply = replies.front();
        replies.pop_front();
        return reply;
    }

    QList<QUrl> requests;
    std::deque<platform::HttpReply> replies;
};

} // namespace testsupport
