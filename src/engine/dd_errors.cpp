// Result checks of the surface layer and the descriptions of the result codes.
#include "engine/dd_errors.h"

#include <cstdio>

#include "engine/screen.h"

std::string DDErrorText(HResult result) {
    switch (result) {
        case DD_OK:
            return "No error.";
        case DDERR_GENERIC:
            return "Generic failure.";
        case DDERR_UNSUPPORTED:
            return "Action not supported.";
        case DDERR_INVALIDPARAMS:
            return "One or more of the parameters passed to the function are incorrect.";
        case DDERR_OUTOFMEMORY:
            return "DirectDraw does not have enough memory to perform the operation.";
        case DDERR_INVALIDPIXELFORMAT:
            return "The pixel format was invalid as specified.";
        case DDERR_INVALIDRECT:
            return "Rectangle provided was invalid.";
        case DDERR_NOCOLORKEY:
            return "Surface doesn't currently have a color key.";
        case DDERR_SURFACEBUSY:
            return "Access to this surface is being refused because the surface is already locked by another "
                   "thread.";
        case DDERR_SURFACELOST:
            return "Access to this surface is being refused because the surface memory is gone. The "
                   "DirectDrawSurface object representing this surface should have Restore called on it.";
        case DDERR_NOTLOCKED:
            return "Surface was not locked.  An attempt to unlock a surface that was not locked.";
        case DDERR_CANTCREATEDC:
            return "Windows can not create any more DCs.";
        case DDERR_DCALREADYCREATED:
            return "A DC has already been returned for this surface. Only one DC can be retrieved per "
                   "surface.";
        case DDERR_WRONGMODE:
            return "This surface can not be restored because it was created in a different mode.";
        default: {
            char text[64];
            std::snprintf(text, sizeof text, "Unrecognized Error (0x%08X).", static_cast<unsigned>(result));
            return text;
        }
    }
}

void DDCheck(HResult result) {
    if (result != DD_OK) throw EDirectXError(DDErrorText(result), result);
}

void DDCheckSurface(HResult result) {
    if (result == DD_OK) return;
    if (result == DDERR_SURFACELOST) {
        SurfaceLost = true;
        throw EDirectXSurfaceLostError("Surface Lost");
    }
    DDCheck(result);
}
