// Reading the animation definition text: keyword search, object kinds, the
// numbered header lines, frame lists and sound clauses.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The dynamic integer array that carries parsed frame lists and sound keys.
using TDynamicIArray = std::vector<std::int32_t>;

// Kinds of graphic object, as GOKind classifies an OBJECT line.
enum : int { goAnimation = 0, goCreateAnimation = 1, goPicture = 2, goMovielist = 3, goUnknown = 4 };

// Blanks and control characters cut from both ends.
std::string TrimText(std::string_view s);
// ASCII letters in upper case, every other byte unchanged.
std::string UpperText(std::string_view s);
// Copy of at most count characters from the 1-based column start (empty when
// start lies beyond the text), as the definitions address their columns.
std::string Columns(std::string_view s, int start, int count);

// The line at index i; raises "List index out of bounds (<i>)" beyond the list.
const std::string& LineAt(const std::vector<std::string>& lines, int i);

// Index of the line after the first one from start on whose trimmed,
// upper-cased text begins with the keyword (only its part before a ","
// counts). Raises 'Keyword "<keyword>" not found' when none does.
int FindKeyword(const std::vector<std::string>& lines, std::string_view keyword, int start);

// Kind named in an OBJECT line (the words compare with their exact spelling).
int GOKind(std::string_view line);

// The decimal number in the first three characters of a header line.
std::int32_t HeaderNumber(std::string_view line);

// The frame numbers of a frame list text, each clamped to 1..pictures.
TDynamicIArray ParseFrameList(std::string_view text, std::int32_t pictures);

// The two timing values of an animation line: the three digits right after
// the first "(" and the three starting five characters after it.
struct AnimationTiming {
    std::int32_t Delay;
    std::int32_t Second;
};
AnimationTiming ParseTiming(std::string_view line);

// The numbers of one slot (1..8) of the line's "(SOUNDS ...)" clause, in the
// order written; empty when the slot is not named or the line has no clause.
TDynamicIArray ParseSoundSlot(std::string_view line, int slot);
