// The RIFF wave reader. It walks the chunks itself and refuses any chunk that
// claims more bytes than the file holds, so no size from the file is trusted.
#include "wave_reader.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "infra/paths.h"

namespace {

struct TChunk {
    char id[4];
    std::uint32_t size;
    std::uint64_t dataPos;  // file position of the chunk's first data byte
};

std::uint32_t ReadLE32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool ReadBytes(std::istream& s, void* dest, std::size_t n) {
    s.read(static_cast<char*>(dest), static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(s.gcount()) == n;
}

bool SeekTo(std::istream& s, std::uint64_t pos) {
    s.clear();
    s.seekg(static_cast<std::streamoff>(pos));
    return static_cast<bool>(s);
}

bool ReadChunkHeader(std::istream& s, TChunk& chunk) {
    unsigned char header[8];
    const auto pos = s.tellg();
    if (pos < 0 || !ReadBytes(s, header, sizeof header)) return false;
    std::memcpy(chunk.id, header, 4);
    chunk.size = ReadLE32(header + 4);
    chunk.dataPos = static_cast<std::uint64_t>(pos) + 8;
    return true;
}

void CheckChunkFits(const TChunk& chunk, std::uint64_t end) {
    if (chunk.dataPos + chunk.size > end)
        throw EWaveChunkBeyondEnd("Chunk '" + std::string(chunk.id, 4) +
                                  "' claims more bytes than the file holds!");
}

// Looks through the sub-chunks from the current position up to end for the
// one named id and leaves the stream at its data.
bool FindChunk(std::istream& s, const char* id, std::uint64_t end, TChunk& found) {
    for (;;) {
        const auto pos = s.tellg();
        if (pos < 0 || static_cast<std::uint64_t>(pos) + 8 > end) return false;
        TChunk chunk;
        if (!ReadChunkHeader(s, chunk)) return false;
        CheckChunkFits(chunk, end);
        if (std::memcmp(chunk.id, id, 4) == 0) {
            found = chunk;
            return true;
        }
        // Chunks are padded to an even length.
        if (!SeekTo(s, chunk.dataPos + chunk.size + (chunk.size & 1))) return false;
    }
}

std::uint64_t StreamSize(std::istream& s) {
    s.seekg(0, std::ios::end);
    const auto size = s.tellg();
    if (size < 0 || !SeekTo(s, 0)) throw EWaveError("Couldn't open wave file ");
    return static_cast<std::uint64_t>(size);
}

// The RIFF chunk of form type WAVE at the start of the file.
TChunk ReadRiffHeader(std::istream& s, std::uint64_t fileSize) {
    TChunk riff;
    if (!ReadChunkHeader(s, riff)) throw EWaveError("Invalid multimedia file!");
    char form[4];
    if (std::memcmp(riff.id, "RIFF", 4) != 0 || riff.size < 4 || !ReadBytes(s, form, 4) ||
        std::memcmp(form, "WAVE", 4) != 0)
        throw EWaveError("Not a wave file!");
    CheckChunkFits(riff, fileSize);
    return riff;
}

// Reads the format block of the "fmt " chunk the stream stands at.
void ReadFormatBlock(std::istream& s, const TChunk& fmt, TWaveFormatEx& format) {
    if (fmt.size < 16) throw EWaveError("Abnormal 'fmt' size!");
    unsigned char block[16];
    if (!ReadBytes(s, block, sizeof block)) throw EWaveError("Error reading 'fmt' chunk!");
    std::memcpy(&format, block, sizeof block);
    if (format.wFormatTag != WAVE_FORMAT_PCM) {
        std::uint16_t extra = 0;
        if (fmt.size < 18 || !ReadBytes(s, &extra, 2))
            throw EWaveError("Error reading 'waveformatex' length!");
    }
    // The sound device would otherwise divide by these or misread the bytes.
    if (format.wFormatTag != WAVE_FORMAT_PCM) throw EWaveError("Not a PCM wave file!");
    if (format.nChannels == 0) throw EWaveError("Wave file has no channels!");
    if (format.nBlockAlign == 0) throw EWaveError("Wave file has a block alignment of 0!");
    format.cbSize = 16;
}

}  // namespace

void ReadWaveFormat(std::istream& stream, std::uint32_t& dataSize, std::uint64_t& dataOffset,
                    TWaveFormatEx& format) {
    if (!stream) throw EWaveError("Couldn't open wave file ");
    const std::uint64_t fileSize = StreamSize(stream);
    const TChunk riff = ReadRiffHeader(stream, fileSize);
    const std::uint64_t riffEnd = riff.dataPos + riff.size;

    TChunk fmt;
    if (!FindChunk(stream, "fmt ", riffEnd, fmt)) throw EWaveError("Couldn't find 'fmt' chunk!");
    ReadFormatBlock(stream, fmt, format);
    if (!SeekTo(stream, fmt.dataPos + fmt.size + (fmt.size & 1)))
        throw EWaveError("Error ascending from 'fmt' chunk!");

    if (!SeekTo(stream, riff.dataPos + 4)) throw EWaveError("Error seeking data!");
    TChunk data;
    if (!FindChunk(stream, "data", riffEnd, data)) throw EWaveError("Couldn't find 'data' chunk!");
    const auto pos = stream.tellg();
    if (pos < 0) throw EWaveError("Error getting info!");
    dataSize = data.size;
    dataOffset = static_cast<std::uint64_t>(pos);
}

void ReadWaveData(const std::string& fileName, TWaveFormatEx& format, std::vector<std::uint8_t>& buffer,
                  std::size_t& capacity) {
    std::ifstream file(ResolvePath(fileName), std::ios::binary);
    if (!file) throw EWaveError("Couldn't open wave file " + fileName);
    std::uint32_t dataSize = 0;
    std::uint64_t dataOffset = 0;
    ReadWaveFormat(file, dataSize, dataOffset, format);

    const bool allocatedHere = buffer.empty();
    if (allocatedHere) {
        buffer.resize(dataSize);
    } else if (std::min(capacity, buffer.size()) < dataSize) {
        throw EWaveError("Buffer smaller than file size");
    }
    capacity = dataSize;
    if (!SeekTo(file, dataOffset) || !ReadBytes(file, buffer.data(), dataSize)) {
        if (allocatedHere) std::vector<std::uint8_t>().swap(buffer);
        throw EWaveError("Error reading wave data!");
    }
}
