// The site's title picture: the game's title lettering over a strip of its
// cave background, scaled down to fit the news pane, as a JPEG.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

constexpr int TitleBannerWidth = 284;
constexpr int TitleBannerHeight = 40;

// titleBitmap: the title lettering as a bitmap whose black pixels are
// transparent; backJpeg: the game's background picture. Nothing when either
// cannot be read.
std::optional<std::string> TitleBannerJpeg(std::span<const std::uint8_t> titleBitmap,
                                           std::span<const std::uint8_t> backJpeg);
