// The menu window's preparations without the menu window.
#include "game/menu_preparation.h"

#include "infra/env_data.h"
#include "infra/game_data.h"
#include "infra/paths.h"
#include "sound/console_progress.h"

void PrepareLikeTheMenu(const TOutsideWorld& outside) {
    EnterProgramDir();
    EnsureSpsDir();
    LoadEnv();
    LoadGameData("SPS/game.dat", *outside.Messages);
    TConsoleConvertProgress progress;
    ConvertSounds(progress, outside);
}
