// The slow, soft motion that bubbles and point bubbles share.
#pragma once

#include "engine/rbob.h"

// Sets the drift constants of a rising bubble and parks the body hidden at
// the screen centre on the plane where one unit is one pixel, at rest.
void MakeFloatingBody(TRBob& body);
