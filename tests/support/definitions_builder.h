// Builds OBJECT blocks of the animation definitions for the tests.
#pragma once

#include <string>
#include <vector>

namespace defs {

// A header line: the number in the first three columns, then a word.
inline std::string Num(int v, const std::string& word) {
    std::string s = std::to_string(v);
    s.resize(3, ' ');
    return s + " " + word;
}

// An animation line: the name in columns 1-9, the frame list from column 10.
inline std::string Ani(const std::string& name, const std::string& frames,
                       const std::string& timing = "(002/000)", const std::string& tail = "") {
    std::string s = name;
    s.resize(9, ' ');
    return s + frames + "; " + timing + (tail.empty() ? "" : " " + tail);
}

inline std::string Block(const std::string& name, const std::string& kind, int w, int h, int pictures,
                         int columns, int rows, const std::vector<std::string>& animations,
                         bool vertical = false) {
    std::string s = "OBJECT " + name + ":" + kind + "\n" + Num(w, "Punkte breit") + "\n" +
                    Num(h, "Punkte hoch") + "\n" + Num(pictures, "Image") + "\n" +
                    Num(columns, "horizontal") + "\n" + Num(rows, "vertikal") + "\n" +
                    (vertical ? "vertikale Anordnung" : "horizontale Anordnung") + "\n\nANI\n";
    for (const auto& a : animations) s += a + "\n";
    return s + "ANIEND\n----------\n";
}

}  // namespace defs
