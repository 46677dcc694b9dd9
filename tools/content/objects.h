// The game's graphic objects: names, kinds, frame sizes, grids and animations,
// and the animation definitions text the menu window holds for the loader.
#pragma once

#include <string>
#include <vector>

enum class GoKind { Animation, CreateAnimation };

struct GoSpec {
    std::string name;
    GoKind kind;
    int frameW, frameH, pictures, columns, rows;
    std::vector<std::string> animations;  // complete animation lines
    bool masked;                          // soft edges: an 8-bit alpha mask goes with the sheet
};

// In definition order: a name that begins another name comes first, because
// the loader finds blocks by prefix (HSLeerfeld1 before HSLeerfeld10).
const std::vector<GoSpec>& GraphicObjects();

// The definitions as text lines separated by CR LF.
std::string DefinitionsText();
