#pragma once
// What the fuzz targets share: the input written to a file in a private temporary folder, for
// the readers that take a path, and the application object the table control needs.

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace fuzzsupport {

inline QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    return dir;
}

// Writes the input to name in the private folder and gives its path.
inline QString inputFile(const char* name, const std::uint8_t* data, std::size_t size)
{
    const QString path = folder().filePath(QLatin1String(name));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

// One application object for the whole run, without a display.
inline void startApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
}

} // namespace fuzzsupport
