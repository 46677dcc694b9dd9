// JPEG decoding and encoding with libjpeg-turbo. libjpeg reports errors by
// longjmp; the jumps stay inside small functions that hold no C++ objects
// with destructors between setjmp and the library calls.
#include "engine/jpeg_codec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace {

struct TJpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info) {
    auto* err = reinterpret_cast<TJpegError*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

void IgnoreJpegMessage(j_common_ptr) {}

// Decodes into rgb (3 bytes per pixel) once the size is known; false with
// the library's message on failure.
bool DecodeInto(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& rgb, int& width,
                int& height, TJpegError& err) {
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = OnJpegError;
    err.mgr.output_message = IgnoreJpegMessage;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    if (info.image_width > static_cast<unsigned>(MaxPictureDimension) ||
        info.image_height > static_cast<unsigned>(MaxPictureDimension)) {
        std::snprintf(err.message, sizeof err.message, "Abmessungen %u x %u nicht m\xF6glich",
                      info.image_width, info.image_height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    width = static_cast<int>(info.output_width);
    height = static_cast<int>(info.output_height);
    rgb.resize(std::size_t(width) * height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rgb.data() + std::size_t(info.output_scanline) * width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool EncodeFrom(const std::vector<std::uint8_t>& rgb, int width, int height, int quality, unsigned char*& out,
                unsigned long& outSize, TJpegError& err) {
    jpeg_compress_struct info;
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = OnJpegError;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &out, &outSize);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<std::uint8_t*>(rgb.data()) + std::size_t(info.next_scanline) * width * 3;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

TPicture DecodeJpeg(std::span<const std::uint8_t> bytes) {
    std::vector<std::uint8_t> rgb;
    int width = 0, height = 0;
    TJpegError err{};
    if (bytes.empty()) throw EInvalidGraphic("JPEG: leere Daten");
    if (!DecodeInto(bytes.data(), bytes.size(), rgb, width, height, err))
        throw EInvalidGraphic(std::string("JPEG: ") + err.message);
    TPicture pic;
    pic.Width = width;
    pic.Height = height;
    pic.BitsPerPixel = 24;
    pic.Pixels.resize(std::size_t(width) * height);
    for (std::size_t i = 0; i < pic.Pixels.size(); ++i)
        pic.Pixels[i] = std::uint32_t{rgb[3 * i]} << 16 | std::uint32_t{rgb[3 * i + 1]} << 8 | rgb[3 * i + 2];
    return pic;
}

std::string EncodeJpeg(const TPicture& picture, int quality) {
    std::vector<std::uint8_t> rgb(picture.Pixels.size() * 3);
    for (std::size_t i = 0; i < picture.Pixels.size(); ++i) {
        rgb[3 * i] = static_cast<std::uint8_t>(picture.Pixels[i] >> 16);
        rgb[3 * i + 1] = static_cast<std::uint8_t>(picture.Pixels[i] >> 8);
        rgb[3 * i + 2] = static_cast<std::uint8_t>(picture.Pixels[i]);
    }
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    TJpegError err{};
    const bool ok = EncodeFrom(rgb, picture.Width, picture.Height, quality, out, outSize, err);
    const std::unique_ptr<unsigned char, decltype(&std::free)> owned(out, &std::free);
    if (!ok) throw EInvalidGraphic(std::string("JPEG: ") + err.message);
    return std::string(reinterpret_cast<const char*>(out), outSize);
}
