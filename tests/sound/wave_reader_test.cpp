// The RIFF wave reader: what it accepts, and every way a file is refused.
#include <gtest/gtest.h>

#include <sstream>

#include "sound/wave_reader.h"
#include "support/temp_program_dir.h"
#include "wave_builder.h"

namespace {

struct TRead {
    std::uint32_t dataSize = 0;
    std::uint64_t dataOffset = 0;
    TWaveFormatEx format{};
};

TRead Read(const std::string& bytes) {
    std::istringstream in(bytes);
    TRead r;
    ReadWaveFormat(in, r.dataSize, r.dataOffset, r.format);
    return r;
}

std::string RefusalOf(const std::string& bytes) {
    try {
        Read(bytes);
    } catch (const EWaveError& e) {
        return e.what();
    }
    return "(accepted)";
}

}  // namespace

TEST(WaveReader, ReadsFormatAndFindsDataBehindOtherChunks) {
    const std::string data = wave::Pcm16({1, -1, 2, -2, 3, -3});
    // An odd-sized chunk before the format and a list chunk between it and the data.
    const std::string file =
        wave::Riff("WAVE", wave::Chunk("junk", "abc") + wave::Chunk("fmt ", wave::Fmt(2, 22050, 16)) +
                               wave::Chunk("LIST", "INFOxxxx") + wave::Chunk("data", data));
    const TRead r = Read(file);
    EXPECT_EQ(r.format.wFormatTag, 1);
    EXPECT_EQ(r.format.nChannels, 2);
    EXPECT_EQ(r.format.nSamplesPerSec, 22050u);
    EXPECT_EQ(r.format.nAvgBytesPerSec, 22050u * 4);
    EXPECT_EQ(r.format.nBlockAlign, 4);
    EXPECT_EQ(r.format.wBitsPerSample, 16);
    EXPECT_EQ(r.format.cbSize, 16);
    EXPECT_EQ(r.dataSize, data.size());
    EXPECT_EQ(file.substr(r.dataOffset, r.dataSize), data);
}

TEST(WaveReader, AcceptsALongerFormatChunk) {
    const std::string file = wave::Riff("WAVE", wave::Chunk("fmt ", wave::Fmt(1, 8000, 8) + wave::LE(0, 2)) +
                                                    wave::Chunk("data", "\x80\x90"));
    EXPECT_EQ(Read(file).dataSize, 2u);
}

TEST(WaveReader, RefusesMalformedFilesWithTheirMessages) {
    const std::string fmt = wave::Chunk("fmt ", wave::Fmt(1, 44100, 16));
    const std::string data = wave::Chunk("data", wave::Pcm16({5, 6}));
    const std::string good = wave::Riff("WAVE", fmt + data);
    std::string riffTooLong = good;
    riffTooLong[4] = static_cast<char>(riffTooLong[4] + 2);
    std::string dataTooLong = wave::Riff("WAVE", fmt + "data" + wave::LE(1000, 4) + wave::Pcm16({5, 6}));
    std::string noChannels = wave::Riff("WAVE", wave::Chunk("fmt ", wave::Fmt(0, 44100, 16)) + data);
    std::string noAlign = wave::Fmt(1, 44100, 16);
    noAlign[12] = noAlign[13] = 0;
    struct Case {
        const char* what;
        std::string bytes;
        const char* message;
    };
    const Case cases[] = {
        {"empty", "", "Invalid multimedia file!"},
        {"short header", "RIFF\x04", "Invalid multimedia file!"},
        {"AVI file", wave::Riff("AVI ", wave::Chunk("avih", std::string(56, '\0'))), "Not a wave file!"},
        {"not RIFF", "RIFX" + good.substr(4), "Not a wave file!"},
        {"no fmt", wave::Riff("WAVE", data), "Couldn't find 'fmt' chunk!"},
        {"14-byte fmt", wave::Riff("WAVE", wave::Chunk("fmt ", wave::Fmt(1, 44100, 16).substr(0, 14)) + data),
         "Abnormal 'fmt' size!"},
        {"no data", wave::Riff("WAVE", fmt + wave::Chunk("LIST", "xx")), "Couldn't find 'data' chunk!"},
        {"data beyond the file", dataTooLong, "Chunk 'data' claims more bytes than the file holds!"},
        {"RIFF beyond the file", riffTooLong, "Chunk 'RIFF' claims more bytes than the file holds!"},
        {"truncated", good.substr(0, good.size() - 1), "Chunk 'RIFF' claims more bytes than the file holds!"},
        {"non-PCM without extra size",
         wave::Riff("WAVE", wave::Chunk("fmt ", wave::Fmt(1, 44100, 16, 2)) + data),
         "Error reading 'waveformatex' length!"},
        {"non-PCM",
         wave::Riff("WAVE", wave::Chunk("fmt ", wave::Fmt(1, 44100, 16, 3) + wave::LE(0, 2)) + data),
         "Not a PCM wave file!"},
        {"no channels", noChannels, "Wave file has no channels!"},
        {"block alignment 0", wave::Riff("WAVE", wave::Chunk("fmt ", noAlign) + data),
         "Wave file has a block alignment of 0!"},
    };
    for (const auto& c : cases) EXPECT_EQ(RefusalOf(c.bytes), c.message) << c.what;
}

TEST(WaveReader, ReadWaveDataFillsOrChecksTheCallersBuffer) {
    TempProgramDir dir;
    const std::string samples = wave::Pcm16({10, 20, 30, 40});
    dir.Write("a.wav", wave::File(1, 44100, 16, samples));
    const std::string path = (dir / "a.wav").string();

    TWaveFormatEx format{};
    std::vector<std::uint8_t> buffer;
    std::size_t capacity = 0;
    ReadWaveData(path, format, buffer, capacity);
    EXPECT_EQ(capacity, samples.size());
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), samples);

    std::vector<std::uint8_t> roomy(100, 0xEE);
    capacity = roomy.size();
    ReadWaveData(path, format, roomy, capacity);
    EXPECT_EQ(capacity, samples.size());
    EXPECT_EQ(std::string(roomy.begin(), roomy.begin() + 8), samples);
    EXPECT_EQ(roomy[8], 0xEE);

    std::vector<std::uint8_t> small(4);
    capacity = small.size();
    EXPECT_THROW(
        {
            try {
                ReadWaveData(path, format, small, capacity);
            } catch (const EWaveError& e) {
                EXPECT_STREQ(e.what(), "Buffer smaller than file size");
                throw;
            }
        },
        EWaveError);
}

TEST(WaveReader, AMissingOrBrokenFileLeavesNoBufferBehind) {
    TempProgramDir dir;
    TWaveFormatEx format{};
    std::vector<std::uint8_t> buffer;
    std::size_t capacity = 0;
    try {
        ReadWaveData((dir / "none.wav").string(), format, buffer, capacity);
        FAIL() << "a missing file was read";
    } catch (const EWaveError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Couldn't open wave file ", 0), 0u);
    }
    dir.Write("bad.wav", wave::Riff("WAVE", wave::Chunk("fmt ", wave::Fmt(1, 44100, 16))));
    EXPECT_THROW(ReadWaveData((dir / "bad.wav").string(), format, buffer, capacity), EWaveError);
    EXPECT_TRUE(buffer.empty());
}
