// Which drawing belongs to which graphic object.
#include <algorithm>
#include <cctype>
#include <map>

#include "art.h"

namespace {

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

}  // namespace

FrameDrawer FindFrameDrawer(const std::string& goName) {
    static const std::map<std::string, FrameDrawer> table = {
        {"SPERM1", DrawSperm1},
        {"SPERM3", DrawSperm3},
        {"BUBBLE", DrawBubbleSperm},
        {"VIRUS1", DrawVirus1},
        {"VIRUS2", DrawVirus2},
        {"VIRUS3", DrawVirus3},
        {"TORPEDO", DrawTorpedo},
        {"KONDOM", DrawKondom},
        {"ABROLL", DrawAbroll},
        {"SCHUSS", DrawSchuss},
        {"ROHR", DrawRohr},
        {"VELMORALOGO", DrawVelmoraLogo},
        {"P1", DrawGlassBubble},
        {"P2", DrawGlassBubble},
        {"P3", DrawGlassBubble},
        {"P4", DrawGlassBubble},
        {"P5", DrawGlassBubble},
        {"P6", DrawGlassBubble},
        {"P7", DrawGlassBubble},
        {"P8", DrawGlassBubble},
        {"POINTS", DrawPoints},
        {"ZAHLEN", DrawZahlen},
        {"BIGNUMBERS", DrawBigNumbers},
        {"CONGRATULATIONS", DrawCongratulations},
        {"TORPEDOSCORE", DrawTorpedoScore},
        {"GAMEOVER", DrawGameover},
        {"SCORE", DrawScoreLabel},
        {"TIME", DrawTimeLabel},
        {"BUTTONTOSTART", DrawButtonToStart},
        {"VANTOREL", DrawTitle},
        {"PLAYANDWIN", DrawPlayAndWin},
        {"TITLEVELMORA", DrawTitleVelmora},
        {"KBCHLOGO", DrawMakerLogo},
        {"ELEMENT_BODEN_1", DrawFloor1},
        {"ELEMENT_BODEN_2", DrawFloor2},
        {"ELEMENT_BODEN_3", DrawFloor3},
        {"ELEMENT_BODEN_4", DrawFloor4},
        {"ELEMENT_DECKE_1", DrawCeiling1},
        {"ELEMENT_DECKE_2", DrawCeiling2},
        {"ELEMENT_DECKE_3", DrawCeiling3},
        {"ELEMENT_DECKE_4", DrawCeiling4},
        {"ELEMENT_SAEULE", DrawPillar},
        {"ELEMENT_SCHLANGE", DrawSnake},
    };
    const auto it = table.find(Upper(goName));
    return it == table.end() ? nullptr : it->second;
}
