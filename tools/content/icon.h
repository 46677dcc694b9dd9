// The program's icon for the desktop's launcher: a green virus in the pink
// cave with a condom flying at it, drawn at each size the desktop asks for.
#pragma once

#include <string>
#include <vector>

// The sizes of the icon, in pixels (square).
const std::vector<int>& IconSizes();
// The icon as a PNG file of size x size pixels.
std::string EncodeIconPng(int size);
