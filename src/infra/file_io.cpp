// Whole-file reads, crash-safe writes and line splitting.
#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "errors.h"

namespace {

// Closes the descriptor when it goes out of scope.
struct TFileDescriptor {
    int fd;
    ~TFileDescriptor() {
        if (fd >= 0) close(fd);
    }
};

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    // A folder opens for reading but fails on the first read; a stream would
    // raise there. Only plain files are read, and any failure reads as nothing.
    const TFileDescriptor file{open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat st {};
    if (file.fd < 0 || fstat(file.fd, &st) != 0) return std::nullopt;
    if (!S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;  // for the caller's message
        return std::nullopt;
    }
    std::string data;
    char chunk[65536];
    for (;;) {
        const ssize_t n = read(file.fd, chunk, sizeof chunk);
        if (n == 0) return data;
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        data.append(chunk, static_cast<std::size_t>(n));
    }
}

namespace {

[[noreturn]] void Fail(const std::string& path, const char* what, int err) {
    throw EInOutError(std::string(what) + " " + path + ": " + std::strerror(err));
}

void WriteAll(int fd, std::string_view bytes, const std::string& tmp) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            close(fd);
            unlink(tmp.c_str());
            Fail(tmp, "Schreibfehler in", err);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string tmp = path + ".tmp";
    const int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) Fail(path, "Datei kann nicht erzeugt werden:", errno);
    WriteAll(fd, bytes, tmp);
    if (fsync(fd) != 0 && errno != EINVAL) {
        const int err = errno;
        close(fd);
        unlink(tmp.c_str());
        Fail(path, "Schreibfehler in", err);
    }
    if (close(fd) != 0) {
        const int err = errno;
        unlink(tmp.c_str());
        Fail(path, "Schreibfehler in", err);
    }
    if (rename(tmp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        unlink(tmp.c_str());
        Fail(path, "Datei kann nicht ersetzt werden:", err);
    }
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}
