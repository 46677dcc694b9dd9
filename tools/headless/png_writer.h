// Saves a surface as a PNG picture.
#pragma once

#include <string>

#include "engine/surface.h"

// Raises std::runtime_error when the file cannot be written.
void SaveSurfaceAsPng(TSurface& surface, const std::string& path);
