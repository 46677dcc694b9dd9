// Positioned reads (pread) share no file offset, so the reads of several
// sounds on one file never disturb each other.
#include "read_only_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "errors.h"

TReadOnlyFile::TReadOnlyFile(const std::string& path) : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0) throw EInOutError("Cannot open " + path + ": " + std::strerror(errno));
    // The file is read front to back as it plays: a larger read-ahead.
    posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
}

TReadOnlyFile::~TReadOnlyFile() {
    close(fd_);
}

std::size_t TReadOnlyFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            pread(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void TReadOnlyFile::Prefetch(std::uint64_t offset, std::uint64_t length) const {
    posix_fadvise(fd_, static_cast<off_t>(offset), static_cast<off_t>(length), POSIX_FADV_WILLNEED);
}
