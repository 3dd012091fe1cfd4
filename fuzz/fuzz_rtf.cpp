// The rich-text reader (RTF cell texts, clipboard and files), from any bytes read as ANSI text:
// into a document, to plain text, and the document written back.

#include "FuzzSupport.h"

#include "platform/RichText.h"
#include "platform/TextCodec.h"

#include <QTextDocument>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString rtf = platform::fromAnsi(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    QTextDocument doc;
    platform::loadRtf(doc, rtf);
    (void)platform::saveRtf(doc);
    (void)platform::rtfToPlainText(rtf);
    return 0;
}
