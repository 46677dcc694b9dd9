// What the menu window does before it opens the game screen, for programs
// that open one without it (the headless runner, a replay watched from the
// command line): the player's folder, Env and GameData, and the music.
#pragma once

#include "infra/outside_world.h"

void PrepareLikeTheMenu(const TOutsideWorld& outside);
