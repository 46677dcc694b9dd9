// From Env and prog.cfg to the options dialog's controls and back, and the cave editor's switch.
#include "infra/option_settings.h"

#include <algorithm>
#include <cstdint>

#include "infra/config_file.h"
#include "infra/env_data.h"
#include "infra/helpers.h"

namespace {

template <typename Field, typename Value>
void WriteIfChanged(Field& field, Value shown, Value chosen) {
    if (shown != chosen) field = static_cast<Field>(chosen);
}

}  // namespace

std::optional<int> ChosenDisplayMode() {
    if (Env.DisplayMode >= 0 && Env.DisplayMode <= 2) return Env.DisplayMode;
    return std::nullopt;
}

void ReadOptionSettings(TOptionSettings& s, IMessages& messages) {
    s.DisplayMode = ChosenDisplayMode().value_or(-1);
    s.Autostart = Env.Autostart != 0;
    s.Transparency = Env.Transparency != 0;
    s.FrontOn = Env.FrontOn != 0;
    s.BubblesPercent = std::clamp<std::int32_t>(Env.BubblesPercent, 0, BubblesPercentMax);
    s.SoundOn = Env.SoundOn != 0;
    s.NoMusic = Env.MusicOn == 0;
    s.MusicVolume = std::clamp<std::int32_t>(Env.MusicVolume, 0, VolumeMax);
    s.SoundVolume = std::clamp<std::int32_t>(Env.SoundVolume, 0, VolumeMax);
    s.CaveEdit = false;
    s.CaveEdit = ReadSwitchSetting("caveedit", messages);
}

void WriteOptionSettings(const TOptionSettings& shown, const TOptionSettings& chosen) {
    WriteIfChanged(Env.DisplayMode, shown.DisplayMode, chosen.DisplayMode);
    WriteIfChanged(Env.Autostart, shown.Autostart, chosen.Autostart);
    WriteIfChanged(Env.Transparency, shown.Transparency, chosen.Transparency);
    WriteIfChanged(Env.FrontOn, shown.FrontOn, chosen.FrontOn);
    WriteIfChanged(Env.BubblesPercent, shown.BubblesPercent, chosen.BubblesPercent);
    WriteIfChanged(Env.SoundOn, shown.SoundOn, chosen.SoundOn);
    WriteIfChanged(Env.MusicOn, !shown.NoMusic, !chosen.NoMusic);
    WriteIfChanged(Env.MusicVolume, shown.MusicVolume, chosen.MusicVolume);
    WriteIfChanged(Env.SoundVolume, shown.SoundVolume, chosen.SoundVolume);
    WriteSetting("caveedit", chosen.CaveEdit ? "1" : "0");
}
