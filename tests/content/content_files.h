// Small readers for the generated files: the definitions blocks, BMP and JPEG
// headers, WAVE headers and MP3 frames. Test helpers only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct DefinedObject {
    std::string name;  // as spelled after "OBJECT "
    std::string kind;  // the text after the colon
    int frameW = 0, frameH = 0, pictures = 0, columns = 0, rows = 0;
    std::vector<std::string> animations;
    std::size_t line = 0;  // index of the OBJECT line
};

std::vector<std::string> TextLines(std::string_view text);
std::vector<DefinedObject> ParseDefinitions(const std::vector<std::string>& lines);

struct BmpInfo {
    int width = 0, height = 0, bits = 0;
    std::size_t pixelOffset = 0;
};
std::optional<BmpInfo> ReadBmpInfo(std::string_view bytes);
// The 24-bit pixel (0xRRGGBB) at x, y counted from the top.
std::uint32_t BmpPixel24(std::string_view bytes, const BmpInfo& info, int x, int y);
std::uint8_t BmpPixel8(std::string_view bytes, const BmpInfo& info, int x, int y);

// Width and height from a JPEG's start-of-frame marker.
std::optional<std::pair<int, int>> JpegSize(std::string_view bytes);

struct WaveInfo {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::uint32_t dataBytes = 0;
};
std::optional<WaveInfo> ReadWaveInfo(std::string_view bytes);

// Seconds of audio in an MPEG-1 layer III stream, by walking its frames.
double Mp3Seconds(std::string_view bytes);

std::string ReadFileOrEmpty(const std::string& path);
