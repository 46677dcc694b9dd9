// The shared game screen fields and game flags.
#include "world/game_link.h"

TGameScreenFields GameScreenFields;
bool Playing = false;
bool GameLost = false;
bool GameWon = false;

void ResetGameLink() {
    GameScreenFields = TGameScreenFields();
    Playing = GameLost = GameWon = false;
}
