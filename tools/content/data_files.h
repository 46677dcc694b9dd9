// The level script and the cave layout.
#pragma once

#include <string>

// The plain level text scrambled line by line (fixed seed), lines ending in CR LF.
std::string ScrambleLevel(const std::string& plain);

// The 4800-byte cave layout: 300 records of BaseX, Y, Z, Type.
std::string MakeFrontLayout();
