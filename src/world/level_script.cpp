// The swarm's level script: one main line per game step, formation blocks
// and the launching of their rows.
#include <algorithm>

#include "infra/helpers.h"
#include "infra/log.h"
#include "infra/random.h"
#include "world/swarm.h"

namespace {

enum Order {
    kSpeed = 1,
    kBob,
    kMiddlePosition,
    kGap,
    kBobSpeed,
    kBobSpeedStep,
    kFormation,
    kEnd,
    kBobProbability,
    kBobFreePos,
    kBobFuzzyTime
};

// The line at index i as the script reads it; empty past either end.
std::string LineAt(const std::vector<std::string>& lines, std::int32_t i) {
    return i >= 0 && static_cast<std::size_t>(i) < lines.size()
               ? NormalisedScriptLine(lines[static_cast<std::size_t>(i)])
               : std::string();
}

// The error text of a line that failed, with where the script stood.
std::string Diagnostics(const std::string& cause, std::int32_t mainPointer, const TScriptLine& line) {
    const std::string order =
        line.Order > 0 ? ScriptKeywords[static_cast<std::size_t>(line.Order - 1)] : std::string();
    return cause + "\r\n" + " (mainpointer=" + std::to_string(mainPointer) + ")\r\n" + " (order=" + order +
           ")\r\n" + " (value=" + line.Value + ")\r\n" + " (xvalue=" + line.XValue + ")\r\n";
}

}  // namespace

std::string TSpermien::ReadScriptLine() {
    while (MainPointer >= 0 && static_cast<std::size_t>(MainPointer) < Lines.size() &&
           LineAt(Lines, MainPointer).empty())
        ++MainPointer;
    return LineAt(Lines, MainPointer);
}

void TSpermien::DoScript() {
    if (FormationPointer != -1) {
        if (RowCountdown > 0 && --RowCountdown == 0) NextFormationRow();
        return;
    }
    if (MainPointer == -1) return;
    TScriptLine parsed;
    try {
        parsed = ParseScriptLine(ReadScriptLine());
        ++MainPointer;
        RunScriptLine(parsed);
    } catch (const std::exception& e) {
        throw ELevelScriptError(Diagnostics(e.what(), MainPointer, parsed));
    }
}

void TSpermien::RunScriptLine(const TScriptLine& line) {
    switch (line.Order) {
        case kSpeed:
            Speed = StrToInt(line.Value);
            break;
        case kBob:
            if (!line.XValue.empty() && line.XValue[0] >= 'a' && line.XValue[0] <= 'z')
                LetterKinds[static_cast<std::size_t>(line.XValue[0] - 'a')] = KindByName(line.Value);
            break;
        case kMiddlePosition:
            MiddlePosition = ParseFloat(line.Value);
            break;
        case kGap:
            Gap = ParseFloat(line.Value);
            break;
        case kBobSpeed:
            BobSpeed = ParseFloat(line.Value);
            break;
        case kBobSpeedStep:
            BobSpeedStep = ParseFloat(line.Value);
            break;
        case kFormation:
            StartFormation(StrToInt(line.Value));
            break;
        case kEnd:
            MainPointer = -1;
            break;
        case kBobProbability:
            BobProbability = ParseFloat(line.Value);
            break;
        case kBobFreePos:
            BobFreePos = line.Value == "1";
            break;
        case kBobFuzzyTime:
            BobFuzzyTime = StrToInt(line.Value);
            break;
        default:
            break;
    }
}

void TSpermien::StartFormation(std::int32_t n) {
    // The header is compared as a whole line, only letter case aside.
    const std::string header = "defineformation" + std::to_string(n);
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        const std::string& line = Lines[i];
        if (line.size() == header.size() && NormalisedScriptLine(line) == header) {
            FormationPointer = static_cast<std::int32_t>(i) + 1;
            RowCountdown = 1;
            return;
        }
    }
    FormationPointer = -1;
    WriteLog("Formation " + std::to_string(n) + " nicht gefunden");
}

void TSpermien::NextFormationRow() {
    const std::string row = LineAt(Lines, FormationPointer);
    ++FormationPointer;
    if (row.compare(0, 3, "end") == 0) {
        FormationPointer = -1;
        return;
    }
    SpawnRow(SplitRow(row));
    RowCountdown = Speed;
}

void TSpermien::SpawnRow(const std::vector<std::string>& cells) {
    const auto n = static_cast<std::int32_t>(cells.size());
    for (std::int32_t k = 1; k <= n; ++k) {
        char letter = 0;
        std::int32_t d = 0;
        if (!ParseCell(cells[static_cast<std::size_t>(k - 1)], letter, d)) continue;
        if (BobProbability >= RandFloat()) SpawnCell(letter, d, k, n);
    }
}

void TSpermien::SpawnCell(char letter, std::int32_t d, std::int32_t k, std::int32_t n) {
    // A letter that no "bob" line assigned launches nothing.
    const std::int32_t object = LetterKinds[static_cast<std::size_t>(letter - 'a')];
    if (KindOfGO(object) == 0) return;
    TSperm* sperm = nullptr;
    for (std::int32_t i = 1; i <= ItemCount && !sperm; ++i)
        if (TSperm* s = Item(i); !s->Visible && s->Delay == 0) sperm = s;
    if (!sperm) return;
    long double y;
    if (BobFreePos)
        y = static_cast<std::int32_t>(RandInt(500)) - 250;
    else
        y = MiddlePosition - (n / 2) * Gap + (n % 2 == 0 ? Gap / 2 : 0) + (k - 1) * Gap;
    const long double thrust = d * BobSpeedStep + BobSpeed;
    sperm->Launch(object, static_cast<float>(y), static_cast<float>(thrust));
    if (BobFuzzyTime > 0) {
        sperm->SetVisible(false);
        sperm->Delay = static_cast<std::int32_t>(RandInt(static_cast<std::uint32_t>(BobFuzzyTime)));
    }
}
