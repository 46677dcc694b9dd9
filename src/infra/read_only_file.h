// A file kept open for reads at any offset, from any thread: what a sound
// that plays from its file reads through.
#pragma once

#include <cstdint>
#include <span>
#include <string>

class TReadOnlyFile {
public:
    // Opens the file (path already resolved); raises EInOutError when it cannot.
    explicit TReadOnlyFile(const std::string& path);
    ~TReadOnlyFile();
    TReadOnlyFile(const TReadOnlyFile&) = delete;
    TReadOnlyFile& operator=(const TReadOnlyFile&) = delete;

    // Reads up to bytes.size() bytes from offset; fewer at the file's end or
    // on a read error. Returns how many were read.
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) const;
    // Asks the system to bring these bytes into its cache in the background,
    // so that a later ReadAt finds them there instead of waiting for the disk.
    void Prefetch(std::uint64_t offset, std::uint64_t length) const;

private:
    int fd_;
};
