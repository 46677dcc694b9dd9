// The displays that are only a picture moved by the container: the letters of
// "Congratulations", the start prompt and the torpedo stock icons.
#pragma once

#include <cstdint>

#include "engine/rbob.h"

// One letter (1..16) of "Congratulations".
class Tcongrat : public TRBob {
public:
    Tcongrat();
};

// "Click to start" on the title screen.
class Tpressbutton : public TRBob {
public:
    Tpressbutton();
};

// Torpedo icon number i (1..10) at the top of the screen.
class TScoreTorpedo : public TRBob {
public:
    explicit TScoreTorpedo(std::int32_t i);
};
