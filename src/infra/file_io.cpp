// Whole-file reads, crash-safe writes and line splitting.
#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "errors.h"

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return data;
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
