// The status line at the bottom of the screen and screenshots as JPEG files.
#pragma once

#include <string>
#include <string_view>

#include "engine/surface.h"

// Draws the text centred on a black strip at the bottom of the back image and
// copies the strip to the front and secondary surfaces; nothing while
// StatusLineHeight is 0.
void ShowStatusLine(std::string_view text);

// Writes the surface as a JPEG of quality 100 to the file (relative to the
// program directory).
void SaveSurfaceAsJPEG(const TSurfaceRef& surface, const std::string& fileName);
// Saves the secondary surface as Screenshots/Shot_<n>.jpg with the first n
// from 1 that is free; never overwrites. Returns the relative file name.
std::string TakeScreenshot();
