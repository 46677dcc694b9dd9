// Numbers composed from the digit pictures of a graphic object into a field.
#pragma once

#include <cstdint>

// Clears the field (picture 1 of fieldGO) and paints value, padded with "0"
// to minDigits, with the pictures of fontGO: animations 0..9 are the digits,
// 10 the minus sign. horizontalAlign 1 = right, 2 = centred, else left. A text
// of more than 6 characters leaves the field empty. Logs
// "Error in Paintnumbertosurface: ..." and re-raises when a glyph fails.
void Paintnumbertosurface(std::int32_t value, std::uint8_t minDigits, std::int32_t fieldGO,
                          std::int32_t fontGO, std::int32_t horizontalAlign);
