// Writes the generated C++ source of the resource table.
#pragma once

#include <string>
#include <vector>

struct ResourceItem {
    std::string type, name, bytes;
};

// The source text: one string literal per resource and the entry table.
std::string ResourceTableSource(const std::vector<ResourceItem>& items);
