// The resource table built from the generated content: one BITMAP per
// Animation graphic object (the sheet's BMP file bytes), the JPEG pictures
// MENUE, MENUE_NET and BACK, and the animation definitions as TEXT.
#pragma once

#include "content/resource_data.h"
#include "infra/resources.h"

// Programs hand it to what they build through their TOutsideWorld.
const IResources& ContentResources();
