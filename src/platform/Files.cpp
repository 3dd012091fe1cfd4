#include "platform/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <memory>
#include <vector>

namespace platform {

QChar pathSeparator()
{
    return QDir::separator();
}

QString joinPath(const QString& a, const QString& b)
{
    if (a.isEmpty() || a.endsWith(pathSeparator()) || a.endsWith(QLatin1Char('/')))
        return a + b;
    return a + pathSeparator() + b;
}

bool fileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool dirExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool createDir(const QString& path)
{
    if (dirExists(path))
        return true;
    const QFileInfo info(path);
    return QDir(info.absolutePath()).mkdir(info.fileName());
}

bool createDirPath(const QString& path)
{
    if (dirExists(path))
        return true;
    return !path.isEmpty() && QDir().mkpath(path);
}

namespace {

// Drops the temporary file at once; the target is not touched. The reason is taken before
// cancelWriting(), which puts its own text in place.
bool discard(QSaveFile& file, QString* error)
{
    if (error)
        *error = file.errorString();
    file.cancelWriting();
    file.commit();
    return false;
}

} // namespace

bool commitSaveFile(QSaveFile& file, QString* error)
{
    if (!file.flush())
        return discard(file, error);
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool replaceFile(const QString& path, const QByteArray& data, QString* error)
{
    const FileReplacement one[] = {{path, data}};
    return replaceFiles(one, error);
}

bool replaceFiles(std::span<const FileReplacement> files, QString* error, QString* failedPath)
{
    std::vector<std::unique_ptr<QSaveFile>> written;
    const auto fail = [&](QSaveFile& file, const QString& path) {
        if (failedPath)
            *failedPath = path;
        discard(file, error);
        for (auto& other : written)
            discard(*other, nullptr);
        return false;
    };
    // Every file reaches the disk before the first one is put in place.
    for (const FileReplacement& f : files) {
        auto file = std::make_unique<QSaveFile>(f.path);
        if (!file->open(QIODevice::WriteOnly)) {
            if (error)
                *error = file->errorString();
            if (failedPath)
                *failedPath = f.path;
            for (auto& other : written)
                discard(*other, nullptr);
            return false;
        }
        if (file->write(f.data) != f.data.size() || !file->flush())
            return fail(*file, f.path);
        written.push_back(std::move(file));
    }
    for (size_t i = 0; i < written.size(); ++i) {
        if (!written[i]->commit()) {
            if (error)
                *error = written[i]->errorString();
            if (failedPath)
                *failedPath = files[i].path;
            for (size_t j = i + 1; j < written.size(); ++j)
                discard(*written[j], nullptr);
            return false;
        }
    }
    return true;
}

bool copyFileOver(const QString& source, const QString& target, QString* error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = in.errorString();
        return false;
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        if (error)
            *error = out.errorString();
        return false;
    }
    // Blocks keep a large station file from being held in memory twice.
    constexpr qint64 kBlock = 1 << 20;
    QByteArray block;
    while (!in.atEnd()) {
        block = in.read(kBlock);
        if (block.isEmpty() && in.error() != QFileDevice::NoError) {
            if (error)
                *error = in.errorString();
            out.cancelWriting();
            out.commit();
            return false;
        }
        if (out.write(block) != block.size())
            return discard(out, error);
    }
    return commitSaveFile(out, error);
}

bool readFile(const QString& path, QByteArray& data, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    data = file.readAll();
    return true;
}

} // namespace platform
