// The pipe pool and the pipe's aim, firing, cost and recoil.
#include "world/pipe.h"

std::unique_ptr<TRohre> Rohre;
