// Failures of the surface layer: a DirectDraw result other than success becomes
// EDirectXError, a lost surface EDirectXSurfaceLostError.
#pragma once

#include <stdexcept>
#include <string>

#include "engine/dd_types.h"
#include "infra/directx_error.h"

class EDirectXSurfaceLostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// DirectDraw's description of a result code.
std::string DDErrorText(HResult result);

// Nothing for DD_OK; otherwise raises EDirectXError with the description.
void DDCheck(HResult result);
// Like DDCheck, but DDERR_SURFACELOST sets SurfaceLost and raises
// EDirectXSurfaceLostError "Surface Lost".
void DDCheckSurface(HResult result);
