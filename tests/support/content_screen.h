// The test screen with the game's own content: the generated resource table
// and every graphic object of its animation definitions loaded.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/content_resources.h"
#include "infra/file_io.h"
#include "support/test_screen.h"

// The animation definitions the game loads, as lines.
inline std::vector<std::string> ContentDefinitions() {
    const auto text = ContentResources().Find("TEXT", "SBMEMO");
    if (!text) return {};
    return SplitLines(std::string(reinterpret_cast<const char*>(text->data()), text->size()));
}

// The screen with the game's own resources and all its graphic objects loaded.
class ContentScreen : public TestScreen {
public:
    explicit ContentScreen(IFontRasterizer* fonts = nullptr)
        : TestScreen(PixelFormatRGB565(), fonts, ContentResources()) {
        const auto lines = ContentDefinitions();
        EXPECT_FALSE(lines.empty()) << "no definitions resource";
        LoadGOs(lines);
    }
};
