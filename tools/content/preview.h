// The contact sheet: every sprite sheet, frame by frame, and every picture,
// labelled, drawn as the game shows them (key and mask applied).
#pragma once

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

void WritePreview(const std::vector<PreviewItem>& items, const std::string& path);
