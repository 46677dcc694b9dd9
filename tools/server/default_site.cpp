// The default pages and rules, and their first writing.
#include "default_site.h"

#include <unistd.h>
#include <fstream>
#include <stdexcept>

#include "html_page.h"

namespace fs = std::filesystem;

namespace {

struct HelpPage {
    const char* file;
    const char* title;
    const char* text;
};

// One help page per rule of errors.txt, in the order of the rules.
const HelpPage kHelpPages[] = {
    {"sound-files.htm", "A sound file is missing",
     "<p>The game screen could not find one of its sounds. The menu window turns the music into sound files "
     "in the folder <b>snd</b> each time it opens.</p>\n<p>Make sure the disk has some free space and the "
     "game's folder can be written to, then close Vantorel and start it again. If <b>snd</b> is empty, "
     "install the game again.</p>"},
    {"pictures.htm", "The game's pictures do not fit",
     "<p>A sprite picture does not have the size the game expects, so the game screen could not start.</p>\n"
     "<p>Install the game again. If you have changed pictures in <b>gfx/sb</b>, put the old ones back or "
     "give "
     "yours the same sizes.</p>"},
    {"display.htm", "The game screen could not open",
     "<p>Vantorel could not open its game screen.</p>\n<p>Choose <b>File, Options</b> and try the window "
     "mode: "
     "some desktops do not allow a program to change the screen's resolution. Check that your desktop "
     "session is running and that the graphics driver works for other programs.</p>"},
    {"screen-lost.htm", "The game screen was lost",
     "<p>The picture of the game screen was lost during a game (for example when another program took the "
     "screen or the resolution changed) and could not be restored.</p>\n<p>Play in the window mode "
     "(<b>File, Options</b>), or keep other programs from taking over the screen while you play.</p>"},
    {"cave-full.htm", "The cave is full",
     "<p>The cave editor holds at most 300 pieces, and this cave has them all.</p>\n<p>Pick up pieces you do "
     "not need and press <b>Delete</b> before you place new ones. Escape leaves the editor and saves the "
     "cave.</p>"},
    {"game-stopped.htm", "The game stopped with an error",
     "<p>A step of the game failed and the game screen closed. Your high scores are safe.</p>\n<p>Please "
     "help "
     "us find the cause: choose <b>Internet, Send Errorreport</b>. The log of the game goes with the report, "
     "so it has been kept for you.</p>"},
};

// Tags: zn the number of lines, z1.. the texts each line must contain, zl
// the lines must end the log, S keep the log, W the help page. The first
// rule that matches wins, so the narrow ones come first.
constexpr const char* kRules =
    "Error help rules of the Vantorel game server: one rule per line, first match wins.\r\n"
    "<zn=1><z1=Cannot find Wave: ><W=sound-files.htm>\r\n"
    "<zn=1><z1=Error initiating DirectX: LoadGO: ><W=pictures.htm>\r\n"
    "<zn=1><z1=Error initiating DirectX: Exception raised in LoadGO><W=pictures.htm>\r\n"
    "<zn=1><z1=Error initiating DirectX: ><W=display.htm>\r\n"
    "<zn=1><z1=Exception raised in Threadnotify while trying to restore surfaces: ><W=screen-lost.htm>\r\n"
    "<zn=1><z1=Sorry, maximale Anzahl von Frontelementen erreicht><W=cave-full.htm>\r\n"
    "<zn=1><z1=Exception raised in Threadnotify while ><S><W=game-stopped.htm>\r\n"
    "<zn=1><z1=Exception raised in input handler: ><S><W=game-stopped.htm>\r\n";

std::string HomePage(bool withTitlePicture) {
    std::string body = withTitlePicture
                           ? "<p align=\"center\"><img src=\"/vtrinternal/title.jpg\" width=\"284\" "
                             "height=\"40\" alt=\"VANTOREL\"></p>\n"
                           : "<h3 align=\"center\">VANTOREL</h3>\n";
    body +=
        "<h4>News</h4>\n"
        "<p>Welcome to Vantorel! Slide the canon, catch the swarm and keep every virus out for 90 seconds to "
        "win 10000 points.</p>\n"
        "<p>Set a record? Publish it from the <b>Internet</b> menu and find yourself in the "
        "<a href=\"/vtrinternal/highscore.html\">ranking list</a>.</p>\n"
        "<p class=\"small\"><a href=\"/vtrinternal/vtrrulesengl.htm\">How to play</a> &middot; "
        "<a href=\"/vtrinternal/errors.htm\">Help on errors</a></p>";
    return HtmlPage("Vantorel", body);
}

std::string RulesPage() {
    return HtmlPage("How to play Vantorel", R"(<h3>How to play Vantorel</h3>
<p>Sperms and viruses fly in formations from the left, through a cave, towards your condom canon at the
right edge. Catch them before they get through. A virus that gets through ends the game; a game that
lasts out its 90-second clock is won, with a bonus of 10000 points.</p>
<h4>Controls</h4>
<table cellspacing="0" cellpadding="2">
<tr><td><b>Mouse up and down</b></td><td>slide the canon</td></tr>
<tr><td><b>Left button or Enter</b></td><td>fire</td></tr>
<tr><td><b>T</b></td><td>torpedoes on or off (ten per game)</td></tr>
<tr><td><b>P</b></td><td>pause</td></tr>
<tr><td><b>Ctrl+P</b></td><td>save a screenshot</td></tr>
<tr><td><b>Escape</b></td><td>leave the game</td></tr>
</table>
<h4>Points</h4>
<table cellspacing="0" cellpadding="2">
<tr><td>a caught sperm</td><td class="n">80 to 500</td></tr>
<tr><td>a caught virus</td><td class="n">120 to 250</td></tr>
<tr><td>a catch far out on the left</td><td class="n">50 more</td></tr>
<tr><td>each condom fired</td><td class="n">-50</td></tr>
<tr><td>each torpedo fired</td><td class="n">-100</td></tr>
<tr><td>each pause</td><td class="n">-100</td></tr>
<tr><td>the clock run out</td><td class="n">10000</td></tr>
</table>
<h4>High scores</h4>
<p>The ten best games stay in your own high-score list. Your best score can go to the
<a href="/vtrinternal/highscore.html">ranking list</a> of this server: choose <b>Internet, Publish
Highscore</b> in the menu window. The result shows your place overall and this week.</p>
<h4>Settings and help</h4>
<p><b>File, Options</b> sets sound, music, the display mode and the amount of bubbles. When a game ends
with an error, the program offers to look it up in our <a href="/vtrinternal/errors.htm">help on
errors</a>.</p>)");
}

std::string ErrorsIndexPage() {
    std::string body =
        "<h3>Help on errors</h3>\n<p>When a game ends with an error, Vantorel offers to look the error up on "
        "this server. These problems are known:</p>\n<ul>\n";
    for (const HelpPage& page : kHelpPages)
        body += std::string("<li><a href=\"/vtrinternal/errors/") + page.file + "\">" + page.title +
                "</a></li>\n";
    body +=
        "</ul>\n<p>If yours is not among them, please send us an error report: <b>Internet, Send "
        "Errorreport</b> in the menu window. The log of the last game (<b>sps/LOG.TXT</b> in the game's "
        "folder) goes with it.</p>";
    return HtmlPage("Vantorel: help on errors", body);
}

std::string DownloadPage() {
    return HtmlPage("Download Vantorel",
                    std::string("<h3>Download Vantorel</h3>\n<p>The newest version is ") +
                        SiteCurrentVersion +
                        ". Install it with your system's package manager, or build "
                        "it from its source as its README describes.</p>");
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

std::vector<SiteFile> DefaultSiteFiles(const std::string& siteUrl,
                                       const std::optional<std::string>& titleJpeg) {
    std::vector<SiteFile> files = {
        {"index.html", HomePage(titleJpeg.has_value())},
        {"vtrrulesengl.htm", RulesPage()},
        {"errors.htm", ErrorsIndexPage()},
        {"errors.txt", kRules},
        {"download.htm", DownloadPage()},
        {"version.txt", std::string(SiteCurrentVersion) + "\r\n" + siteUrl + "/vtrinternal/download.htm\r\n"},
    };
    for (const HelpPage& page : kHelpPages)
        files.push_back(
            {std::string("errors/") + page.file,
             HtmlPage(page.title, std::string("<h3>") + page.title + "</h3>\n" + page.text +
                                      "\n<p class=\"small\"><a href=\"/vtrinternal\">Back</a></p>")});
    if (titleJpeg) files.push_back({"title.jpg", *titleJpeg});
    return files;
}

bool WriteDefaultSite(const fs::path& www, const std::vector<SiteFile>& files) {
    if (fs::exists(www)) return false;
    const fs::path fresh = www.parent_path() / (www.filename().string() + ".new-" + std::to_string(getpid()));
    fs::remove_all(fresh);
    for (const SiteFile& file : files) WriteFile(fresh / file.name, file.bytes);
    fs::rename(fresh, www);
    return true;
}
