// Small readers for the generated files (test helpers).
#include "content_files.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace {

std::string Trim(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.pop_back();
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    return s.substr(i);
}

std::uint32_t U16(std::string_view b, std::size_t at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}
std::uint32_t U32(std::string_view b, std::size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}

int Leading(const std::string& line) {
    try {
        return std::stoi(Trim(line.substr(0, 3)));
    } catch (...) {
        return -1;
    }
}

}  // namespace

std::vector<std::string> TextLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string cur;
    for (char c : text) {
        if (c == '\n') {
            if (!cur.empty() && cur.back() == '\r') cur.pop_back();
            lines.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    return lines;
}

std::vector<DefinedObject> ParseDefinitions(const std::vector<std::string>& lines) {
    std::vector<DefinedObject> out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("OBJECT ", 0) != 0) continue;
        DefinedObject o;
        const std::size_t colon = lines[i].find(':');
        o.name = lines[i].substr(7, colon - 7);
        o.kind = lines[i].substr(colon + 1);
        o.line = i;
        if (i + 5 >= lines.size()) break;
        o.frameW = Leading(lines[i + 1]);
        o.frameH = Leading(lines[i + 2]);
        o.pictures = Leading(lines[i + 3]);
        o.columns = Leading(lines[i + 4]);
        o.rows = Leading(lines[i + 5]);
        std::size_t k = i + 1;
        while (k < lines.size() && lines[k].rfind("ANI", 0) != 0) ++k;
        for (++k; k < lines.size() && lines[k].rfind("ANIEND", 0) != 0; ++k) o.animations.push_back(lines[k]);
        out.push_back(o);
    }
    return out;
}

std::optional<BmpInfo> ReadBmpInfo(std::string_view b) {
    if (b.size() < 54 || b.substr(0, 2) != "BM") return std::nullopt;
    BmpInfo info;
    info.pixelOffset = U32(b, 10);
    info.width = static_cast<int>(U32(b, 18));
    info.height = static_cast<int>(U32(b, 22));
    info.bits = static_cast<int>(U16(b, 28));
    const std::size_t stride = (static_cast<std::size_t>(info.width) * info.bits / 8 + 3) & ~std::size_t{3};
    if (info.pixelOffset + stride * static_cast<std::size_t>(info.height) > b.size()) return std::nullopt;
    return info;
}

std::uint32_t BmpPixel24(std::string_view b, const BmpInfo& info, int x, int y) {
    const std::size_t stride = (static_cast<std::size_t>(info.width) * 3 + 3) & ~std::size_t{3};
    const std::size_t at = info.pixelOffset + stride * static_cast<std::size_t>(info.height - 1 - y) + x * 3;
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 2])) << 16;
}

std::uint8_t BmpPixel8(std::string_view b, const BmpInfo& info, int x, int y) {
    const std::size_t stride = (static_cast<std::size_t>(info.width) + 3) & ~std::size_t{3};
    return static_cast<std::uint8_t>(
        b[info.pixelOffset + stride * static_cast<std::size_t>(info.height - 1 - y) + x]);
}

std::optional<std::pair<int, int>> JpegSize(std::string_view b) {
    if (b.size() < 4 || static_cast<std::uint8_t>(b[0]) != 0xFF || static_cast<std::uint8_t>(b[1]) != 0xD8)
        return std::nullopt;
    std::size_t i = 2;
    while (i + 9 < b.size()) {
        if (static_cast<std::uint8_t>(b[i]) != 0xFF) return std::nullopt;
        const int marker = static_cast<std::uint8_t>(b[i + 1]);
        const std::size_t len =
            static_cast<std::uint8_t>(b[i + 2]) << 8 | static_cast<std::uint8_t>(b[i + 3]);
        if (marker >= 0xC0 && marker <= 0xC2) {
            const int h = static_cast<std::uint8_t>(b[i + 5]) << 8 | static_cast<std::uint8_t>(b[i + 6]);
            const int w = static_cast<std::uint8_t>(b[i + 7]) << 8 | static_cast<std::uint8_t>(b[i + 8]);
            return std::make_pair(w, h);
        }
        i += 2 + len;
    }
    return std::nullopt;
}

std::optional<WaveInfo> ReadWaveInfo(std::string_view b) {
    if (b.size() < 44 || b.substr(0, 4) != "RIFF" || b.substr(8, 4) != "WAVE") return std::nullopt;
    WaveInfo w;
    std::size_t i = 12;
    bool fmt = false;
    while (i + 8 <= b.size()) {
        const std::string_view id = b.substr(i, 4);
        const std::uint32_t size = U32(b, i + 4);
        if (id == "fmt " && size >= 16) {
            w.format = static_cast<int>(U16(b, i + 8));
            w.channels = static_cast<int>(U16(b, i + 10));
            w.rate = static_cast<int>(U32(b, i + 12));
            w.bits = static_cast<int>(U16(b, i + 22));
            fmt = true;
        } else if (id == "data") {
            w.dataBytes = size;
            return fmt && i + 8 + size <= b.size() ? std::optional<WaveInfo>(w) : std::nullopt;
        }
        i += 8 + size + (size & 1);
    }
    return std::nullopt;
}

double Mp3Seconds(std::string_view b) {
    static const int kbps[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
    static const int rates[4] = {44100, 48000, 32000, 0};
    std::size_t i = 0;
    if (b.substr(0, 3) == "ID3" && b.size() > 10)
        i = 10 + ((b[6] & 0x7F) << 21 | (b[7] & 0x7F) << 14 | (b[8] & 0x7F) << 7 | (b[9] & 0x7F));
    long frames = 0;
    int rate = 0;
    while (i + 4 <= b.size()) {
        const auto h0 = static_cast<std::uint8_t>(b[i]), h1 = static_cast<std::uint8_t>(b[i + 1]);
        const auto h2 = static_cast<std::uint8_t>(b[i + 2]);
        if (h0 != 0xFF || (h1 & 0xFE) != 0xFA) break;  // MPEG-1 layer III only
        const int bitrate = kbps[h2 >> 4] * 1000;
        rate = rates[(h2 >> 2) & 3];
        if (bitrate == 0 || rate == 0) break;
        i += static_cast<std::size_t>(144 * bitrate / rate + ((h2 >> 1) & 1));
        ++frames;
    }
    return rate ? frames * 1152.0 / rate : 0;
}

std::string ReadFileOrEmpty(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}
