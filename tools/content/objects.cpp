// The graphic-object table and its definitions text.
#include "objects.h"

#include <cstdio>

namespace {

// Columns 1-9 hold the animation name, the frame list runs to the ";".
std::string Ani(const std::string& name, const std::string& frames, int delay) {
    std::string line = name;
    line.resize(9, ' ');
    char timing[16];
    std::snprintf(timing, sizeof timing, "; (%03d/000)", delay);
    return line + frames + timing;
}

GoSpec Anim(const std::string& name, int w, int h, int pictures, int columns, int rows,
            std::vector<std::string> anis, bool masked = false) {
    return {name, GoKind::Animation, w, h, pictures, columns, rows, std::move(anis), masked};
}

GoSpec Single(const std::string& name, int w, int h, bool masked = false) {
    return Anim(name, w, h, 1, 1, 1, {Ani("standard", "001", 2)}, masked);
}

GoSpec Canvas(const std::string& name, int w, int h) {
    return {name, GoKind::CreateAnimation, w, h, 1, 1, 1, {Ani("standard", "001", 2)}, false};
}

std::vector<std::string> Swim() {
    return {Ani("standard", "001-012", 2), Ani("schnell", "1,3,5,7,9,11", 2)};
}

std::string Num3(int n) {
    char b[16];
    std::snprintf(b, sizeof b, "%03d", n);
    return b;
}

std::vector<GoSpec> Build() {
    std::vector<GoSpec> g;
    // Enemies, shots and the canon.
    g.push_back(Anim("sperm1", 306, 55, 12, 1, 12, Swim(), true));
    g.push_back(Anim("sperm3", 308, 58, 12, 1, 12, Swim(), true));
    g.push_back(Anim("virus1", 78, 58, 12, 1, 12, Swim(), true));
    g.push_back(Anim("virus2", 58, 60, 12, 1, 12, Swim(), true));
    g.push_back(Anim("virus3", 87, 68, 12, 1, 12, Swim(), true));
    g.push_back(
        Anim("bubble", 60, 60, 24, 1, 24, {Ani("standard", "1-24", 2), Ani("schnell", "1-24", 2)}, true));
    g.push_back(Anim("Torpedo", 162, 40, 12, 1, 12, {Ani("standard", "001-012", 2)}, true));
    g.push_back(Anim("Kondom", 303, 75, 12, 1, 12, {Ani("standard", "001-012", 2)}, true));
    g.push_back(Anim("Abroll", 311, 81, 6, 1, 6, {Ani("standard", "006-001", 2)}, true));
    g.push_back(Single("Schuss", 24, 79, true));
    g.push_back(Anim("Rohr", 111, 93, 2, 1, 2,
                     {Ani("geladen", "002", 2), Ani("leer", "001,001,001,001,001,001", 1)}));
    g.push_back(Anim("Velmoralogo", 111, 84, 12, 1, 12, {Ani("standard", "1-12", 2)}, true));
    // Bubbles, largest first.
    const int bubbleSizes[8] = {110, 77, 54, 38, 27, 20, 15, 10};
    for (int i = 0; i < 8; ++i)
        g.push_back(Single("P" + std::to_string(i + 1), bubbleSizes[i], bubbleSizes[i], true));
    g.push_back(Anim("points", 56, 20, 51, 1, 51, {Ani("standard", "1-51", 0)}));
    // Digits and lettering.
    std::vector<std::string> digits;
    for (int d = 0; d < 10; ++d) digits.push_back(Ani(std::to_string(d), Num3(d + 1), 2));
    std::vector<std::string> zahlen = digits;
    zahlen.push_back(Ani("kondom", "011", 2));
    g.push_back(Anim("Zahlen", 56, 60, 11, 11, 1, zahlen));
    g.push_back(Anim("bignumbers", 230, 222, 10, 1, 10, digits));
    std::vector<std::string> letters;
    const std::string word = "congratulations!";
    for (std::size_t k = 0; k < word.size(); ++k)
        letters.push_back(Ani(std::string(1, word[k]), Num3(static_cast<int>(k) + 1), 2));
    g.push_back(Anim("congratulations", 50, 45, 16, 16, 1, letters));
    g.push_back(Single("TorpedoScore", 10, 40));
    g.push_back(Single("Gameover", 507, 68));
    g.push_back(Single("Score", 131, 35));
    g.push_back(Single("Time", 88, 34));
    g.push_back(Single("buttontostart", 709, 48));
    g.push_back(Single("vantorel", 761, 65));
    g.push_back(Single("playandwin", 251, 31));
    g.push_back(Single("titlevelmora", 234, 37));
    g.push_back(Single("kbchlogo", 276, 66));
    // The cave.
    g.push_back(Single("Element_Boden_1", 288, 296));
    g.push_back(Single("Element_Boden_2", 323, 196));
    g.push_back(Single("Element_Boden_3", 273, 109));
    g.push_back(Single("Element_Boden_4", 549, 84));
    g.push_back(Single("Element_Decke_1", 388, 76));
    g.push_back(Single("Element_Decke_2", 195, 96));
    g.push_back(Single("Element_Decke_3", 258, 162));
    g.push_back(Single("Element_Decke_4", 165, 318));
    g.push_back(Single("Element_Saeule", 361, 600));
    g.push_back(Single("Element_Schlange", 153, 600));
    // Canvases painted at run time.
    for (int r = 1; r <= 10; ++r) g.push_back(Canvas("HSLeerfeld" + std::to_string(r), 350, 50));
    g.push_back(Canvas("helpfeld", 700, 50));
    g.push_back(Canvas("bigtimefeld", 460, 222));
    g.push_back(Canvas("Leerzeit", 336, 60));
    g.push_back(Canvas("LeerPoints", 336, 60));
    return g;
}

std::string Padded(int n, const char* word) {
    std::string s = std::to_string(n);
    s.resize(4, ' ');
    return s + word;
}

}  // namespace

const std::vector<GoSpec>& GraphicObjects() {
    static const std::vector<GoSpec> table = Build();
    return table;
}

std::string DefinitionsText() {
    std::string t;
    auto line = [&t](const std::string& s) { t += s + "\r\n"; };
    line("Vantorel sprite definitions");
    line("");
    for (const GoSpec& go : GraphicObjects()) {
        line("------------------------------------------------------------");
        line("OBJECT " + go.name + (go.kind == GoKind::Animation ? ":Animation" : ":CreateAnimation"));
        line(Padded(go.frameW, "Punkte breit"));
        line(Padded(go.frameH, "Punkte hoch"));
        line(Padded(go.pictures, "Image"));
        line(Padded(go.columns, "horizontal"));
        line(Padded(go.rows, "vertikal"));
        line("horizontale Anordnung");
        line("ANI");
        for (const std::string& a : go.animations) line(a);
        line("ANIEND");
    }
    line("------------------------------------------------------------");
    return t;
}
