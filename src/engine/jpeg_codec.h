// JPEG through libjpeg-turbo: decoding pictures and writing screenshots.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "engine/bitmap_reader.h"

// Decodes a JPEG; raises EInvalidGraphic with libjpeg's message on failure.
TPicture DecodeJpeg(std::span<const std::uint8_t> bytes);
// Encodes a picture's Pixels as a baseline JPEG of the given quality (0..100).
std::string EncodeJpeg(const TPicture& picture, int quality);
