// Pictures into surfaces: built-in resources first, then bitmap or JPEG files.
#pragma once

#include <cstdint>
#include <string>

#include "engine/bitmap_reader.h"
#include "engine/surface.h"

// The resource named by the upper-cased file-name part of name (directory and
// extension dropped) in DirectDraw's table: a bitmap resource first, then a
// JPEG one. True on success.
bool LoadPictureFromResource(const std::string& name, TPicture& picture);
// name + ".bmp" if it exists, else name + ".jpg"; logs "<file> loaded as file".
// True on success; false also for a file that cannot be read or decoded.
bool LoadPictureFromFile(const std::string& name, TPicture& picture);

// Loads the picture named (extension ignored) into the surface, creating a
// system-memory surface of the picture's size when the reference is empty.
// Logs "<name> not found!" and returns false when there is no such picture.
bool LoadBitmapToSurface(const std::string& name, TSurfaceRef& surface, std::int32_t& width,
                         std::int32_t& height);
// LoadBitmapToSurface into the given reference (reloading a lost surface).
bool LoadSurface(const std::string& name, TSurfaceRef& surface);
// Drops the reference first, so a new surface of the picture's size is made.
bool ReloadSurface(const std::string& name, std::int32_t& width, std::int32_t& height, TSurfaceRef& surface);

// Copies a picture to the surface's top-left corner, converting 0x00RRGGBB
// to the surface's format by keeping each channel's top bits (black stays 0).
void PictureToSurface(const TPicture& picture, TSurface& surface);
// The surface's pixels as a picture (0x00RRGGBB, channels widened by bit copy).
TPicture SurfaceToPicture(TSurface& surface);
