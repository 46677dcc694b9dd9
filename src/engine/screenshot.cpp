// The status line and screenshots.
#include "engine/screenshot.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "engine/dd_canvas.h"
#include "engine/jpeg_codec.h"
#include "engine/pictures.h"
#include "engine/pixel_ops.h"
#include "engine/screen.h"
#include "infra/errors.h"
#include "infra/file_io.h"
#include "infra/paths.h"

namespace {

std::string SurfaceAsJpeg(const TSurfaceRef& surface) {
    TDDCanvas canvas(surface);  // holds no context: SurfaceToPicture takes its own
    return EncodeJpeg(SurfaceToPicture(*surface), 100);
}

// Creates the file only when it does not exist yet; false when it does.
bool WriteNewFile(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == EEXIST) return false;
        throw EInOutError("Datei " + path + " kann nicht erstellt werden");
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ::close(fd);
            ::unlink(path.c_str());
            throw EInOutError("Datei " + path + " kann nicht geschrieben werden");
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) throw EInOutError("Datei " + path + " kann nicht geschrieben werden");
    return true;
}

}  // namespace

void ShowStatusLine(std::string_view text) {
    if (StatusLineHeight == 0) return;
    const std::int32_t top = ScreenHeight - StatusLineHeight;
    {
        TDDCanvas canvas(BackImageSurface);
        canvas.Brush = TBrush{clBlack, TBrushStyle::bsSolid};
        canvas.FillRect(Bounds(0, top, ScreenWidth, StatusLineHeight));
        canvas.Font.name = "Arial";
        canvas.Font.size = 8;
        canvas.Font.color = clWhite;
        canvas.Font.style = fsBold;
        canvas.Brush.style = TBrushStyle::bsClear;
        canvas.TextOut((ScreenWidth - canvas.TextWidth(text)) / 2, ScreenHeight - canvas.TextHeight(text),
                       text);
        canvas.ReleaseHandle();
    }
    BlitClipped(BackImageSurface, 0, top, ScreenWidth, StatusLineHeight, FrontSurface(), 0, top, false, 0, 0,
                ClipRight, ClipBottom);
    BlitClipped(BackImageSurface, 0, top, ScreenWidth, StatusLineHeight, SecondarySurface(), 0, top, false, 0,
                0, ClipRight, ClipBottom);
}

void SaveSurfaceAsJPEG(const TSurfaceRef& surface, const std::string& fileName) {
    WriteFileAtomically(ResolvePath(fileName), SurfaceAsJpeg(surface));
}

std::string TakeScreenshot() {
    EnterProgramDir();
    EnsureDir("Screenshots");
    const std::string jpeg = SurfaceAsJpeg(SecondarySurface());
    for (std::uint32_t n = 1;; ++n) {
        const std::string name = "Screenshots/Shot_" + std::to_string(n) + ".jpg";
        if (FileExists(name)) continue;
        if (WriteNewFile(ResolvePath(name), jpeg)) return name;
    }
}
