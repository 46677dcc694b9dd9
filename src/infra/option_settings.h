// The settings the options dialog shows and changes: fields of Env and the
// text setting "caveedit", as the dialog's controls hold them.
#pragma once

#include <optional>

class IMessages;

constexpr int BubblesPercentMax = 100;
constexpr int VolumeMax = 127;

struct TOptionSettings {
    int DisplayMode = -1;  // the selected item 0..2; -1 selects none
    bool Autostart = false;
    bool Transparency = false;
    bool FrontOn = false;
    int BubblesPercent = 0;  // 0..BubblesPercentMax
    bool SoundOn = false;
    bool NoMusic = false;   // the inverse of Env.MusicOn
    int MusicVolume = 0;    // 0..VolumeMax
    int SoundVolume = 0;    // 0..VolumeMax
    bool CaveEdit = false;  // "caveedit" has a non-zero low byte

    bool operator==(const TOptionSettings&) const = default;
};

// Env's display mode when it is one of the three (0..2); nothing otherwise,
// and the game screen keeps its own default.
std::optional<int> ChosenDisplayMode();

// The controls' values: a number outside its slider's range shows at the
// nearest end, a display mode other than 0..2 selects no item, any non-zero
// flag byte is ticked. Raises EConvertError when "caveedit" is not a decimal
// integer; settings then holds everything else, with CaveEdit off. A settings
// file that cannot be made is reported through messages.
void ReadOptionSettings(TOptionSettings& settings, IMessages& messages);

// Ok: each value that differs from the one shown goes back into Env, so a
// stored value the dialog cannot show (a display mode of 3, a volume of 200,
// a flag byte of 2) stays as it was unless its control was changed.
// "caveedit" is written on every Ok ("1" or "0"); raises EInOutError when
// prog.cfg cannot be written.
void WriteOptionSettings(const TOptionSettings& shown, const TOptionSettings& chosen);
