// Two sample frames put together from the generated art the way the game
// places it (title screen and play), so the contact sheet shows the whole look.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "canvas.h"
#include "objects.h"

struct SceneSheet {
    const GoSpec* spec;
    const Canvas* sheet;  // as drawn (before key and mask)
};

// sheets by upper-case graphic-object name; front is the 4800-byte layout.
std::unique_ptr<Canvas> ComposePlayScene(const std::map<std::string, SceneSheet>& sheets, const Canvas& back,
                                         const std::string& front);
std::unique_ptr<Canvas> ComposeTitleScene(const std::map<std::string, SceneSheet>& sheets,
                                          const Canvas& back);
