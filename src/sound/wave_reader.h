// Our RIFF wave reader: the format block and the sample data of a PCM wave file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "wave_format.h"

// A wave file that cannot be read; the message says why.
class EWaveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A chunk that claims more bytes than the file holds: a player that read what
// is there might still sound, so refusing it is worth a word in the log.
class EWaveChunkBeyondEnd : public EWaveError {
public:
    using EWaveError::EWaveError;
};

// Reads the format and finds the sample data of the open wave file. Every
// chunk's size is checked against the file, so a lying or truncated file is
// refused rather than read past its end. Raises EWaveError.
void ReadWaveFormat(std::istream& stream, std::uint32_t& dataSize, std::uint64_t& dataOffset,
                    TWaveFormatEx& format);

// Opens the file, reads its format and its sample data into buffer. An empty
// buffer is sized to the data; a given one must hold capacity >= the data
// size ("Buffer smaller than file size"). capacity becomes the data size. A
// buffer sized here is emptied again when the read fails.
void ReadWaveData(const std::string& fileName, TWaveFormatEx& format, std::vector<std::uint8_t>& buffer,
                  std::size_t& capacity);
