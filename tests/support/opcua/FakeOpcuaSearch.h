#pragma once
// Where the tests find the fake browse library "OPC_UA_Search" (FakeOpcuaSearch.cpp, built with
// the tests), and whether the process has a build of it loaded right now.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace testsupport {

// The folder of the full build, and of the build without "opcua_return_variable".
inline QString fakeOpcuaSearchFolder()
{
    return QStringLiteral(QV_FAKE_OPCUA_SEARCH_DIR "/full");
}
inline QString fakeOpcuaSearchWithoutReturnFolder()
{
    return QStringLiteral(QV_FAKE_OPCUA_SEARCH_DIR "/no_return_variable");
}

// True while a library file of that folder is mapped into this process.
inline bool libraryLoadedFrom(const QString& folder)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return false;
    return maps.readAll().contains((folder + QStringLiteral("/libOPC_UA_Search.so")).toLocal8Bit());
}

} // namespace testsupport
