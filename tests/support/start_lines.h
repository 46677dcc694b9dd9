// The log lines with which every game screen in window mode starts, up to the
// end of the display's start ("InitDDraw (Inherited) OK!"): the game screen's
// own lines and the whole games' lines both begin with them.
#pragma once

#include <string>
#include <vector>

inline std::vector<std::string> WindowStartLines() {
    return {"Formshow: Start",
            "InitDDraw",
            "InitDDraw (Inherited)",
            "-1",
            "0",
            "1",
            "2",
            "3",
            "4",
            "5",
            "6",
            "7",
            "6",
            "7",
            "16",
            "17",
            "18",
            "19",
            "20",
            "InitDDraw (Inherited) OK!"};
}
