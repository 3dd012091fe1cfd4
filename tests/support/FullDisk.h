#pragma once
// A full disk for the length of a scope, without root or a mounted file system. The process's
// file-size limit drops to `room` bytes, so the kernel refuses every write that would grow a
// regular file past it (EFBIG where a full disk gives ENOSPC) and the program's own writers
// meet the failure where a full disk puts it: in the buffered write that QSaveFile only makes
// when the file is flushed or committed. SIGXFSZ is ignored meanwhile so the failure is a
// return value, as on a full disk. Only the test's own process is affected; the limit and the
// signal are put back when the scope ends.

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace testsupport {

class FullDisk {
public:
    explicit FullDisk(rlim_t room = 0)
    {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &old_), 0);
        rlimit full = old_;
        full.rlim_cur = room;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

} // namespace testsupport
