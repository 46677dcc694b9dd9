// The contact sheet: every sprite sheet, frame by frame, and every picture,
// labelled, drawn as the game shows them (key and mask applied).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "canvas.h"

struct PreviewItem {
    std::string label;
    const Canvas* canvas;
    int frameW, frameH, pictures, columns;
    bool masked;
    bool sprite;  // false for full pictures (JPEGs)
};

// The sheet as the game shows it: the key colour transparent, the mask as alpha.
std::unique_ptr<Canvas> ShownSheet(const Canvas& sheet, bool masked);

void WritePreview(const std::vector<PreviewItem>& items, const std::string& path);
