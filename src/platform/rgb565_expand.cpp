// RGB565 to XRGB8888, by the engine's row kernel.
#include "rgb565_expand.h"

#include "engine/pixel_rows.h"

void ExpandRgb565Row(const std::uint16_t* source, std::uint32_t* dest, std::size_t count) {
    ExpandRgb565(dest, source, static_cast<std::int32_t>(count));
}
