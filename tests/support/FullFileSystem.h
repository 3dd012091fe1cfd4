#pragma once
// A real full file system: a small tmpfs mounted on a temporary folder and filled up to its
// last block, so writes into it fail with ENOSPC as on a full disk. Mounting needs root (as
// the CI runs); elsewhere available() is false and the test skips. The files a test starts
// with are written before fill(); the file system is unmounted when the scope ends.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace testsupport {

class FullFileSystem {
public:
    FullFileSystem()
    {
        if (geteuid() != 0 || !dir_.isValid())
            return;
        mounted_ = ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0, "size=256k,mode=0700") == 0;
    }
    ~FullFileSystem()
    {
        if (mounted_)
            ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    FullFileSystem(const FullFileSystem&) = delete;
    FullFileSystem& operator=(const FullFileSystem&) = delete;

    bool available() const { return mounted_; }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    QString path() const { return dir_.path(); }

    // Mounts the file system again read-only: even root's writes then fail (EROFS), with the
    // files written so far kept.
    bool makeReadOnly()
    {
        return mounted_
               && ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr)
                      == 0;
    }

    // Takes every free block with one filler file; true when a write then met ENOSPC.
    bool fill()
    {
        const int fd = ::open(QFile::encodeName(dir_.filePath(QStringLiteral(".filler"))).constData(),
                              O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0)
            return false;
        const QByteArray chunk(512, 'f');
        bool full = false;
        for (int i = 0; i < 100000 && !full; ++i) {
            if (::write(fd, chunk.constData(), std::size_t(chunk.size())) < 0)
                full = errno == ENOSPC;
        }
        ::close(fd);
        return full;
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

} // namespace testsupport
