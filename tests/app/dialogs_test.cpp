// The info dialog with its version check against a local server, the
// new-high-score dialog, and the level editor window.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/editor_form.h"
#include "app/info_form.h"
#include "app/new_highscore_form.h"
#include "content/content_resources.h"
#include "infra/file_io.h"
#include "infra/game_data.h"
#include "infra/outside_world.h"
#include "infra/scrambler.h"
#include "online/internet.h"
#include "platform/curl_http_client.h"
#include "support/fake_internet.h"
#include "support/local_http_server.h"
#include "support/memory_facts.h"
#include "support/recording_messages.h"
#include "support/temp_program_dir.h"

namespace {

class DialogTest : public ::testing::Test {
protected:
    DialogTest() {
        outside.Messages = &messages;
        outside.Resources = &ContentResources();
        outside.Facts = &facts;
    }
    ~DialogTest() override { unsetenv("VANTOREL_GAME_SERVER"); }
    TempProgramDir dir;
    RecordingMessages messages;
    MemoryFacts facts{300 * 1024, 1000 * 1024};
    CurlHttpClient http;
    FakeBrowser browser;
    FakeConnection connection;
    TInternet internet{http, browser, connection, messages};
    TOutsideWorld outside;
};

TEST_F(DialogTest, InfoShowsNameVersionAndMemory) {
    TInfoForm info(internet, outside);
    EXPECT_EQ(info.windowTitle(), "Info");
    EXPECT_EQ(info.size(), QSize(400, 300));
    EXPECT_EQ(info.Image1->geometry(), QRect(0, 0, 400, 300));
    EXPECT_EQ(info.Label1->text(), "Vantorel");
    EXPECT_EQ(info.Label2->text(), "Version 1.07");
    EXPECT_EQ(info.Label3->text(), "Available Memory: 1300Kb");
    EXPECT_EQ(info.Label4->text(), "Memory Needed (Aproximately): 90000Kb");
    EXPECT_EQ(info.Button2->text(), "Check if new version is available");
    EXPECT_EQ(info.Button1->text(), "Ok");
}

TEST_F(DialogTest, TheVersionCheckAsksTheGameServer) {
    std::string versionFile;
    bool missing = false;
    LocalHttpServer server([&](const std::string& request) {
        return RequestPath(request) == "/vtrinternal/version.txt" && !missing
                   ? HttpReply(200, versionFile)
                   : HttpReply(404, "<html></html>");
    });
    setenv("VANTOREL_GAME_SERVER", server.Url("").c_str(), 1);
    TInfoForm info(internet, outside);
    const auto check = [&](const std::string& file) {
        versionFile = file;
        messages.shown.clear();
        info.Button2Click();
        return messages.shown;
    };
    EXPECT_EQ(check("1.07\r\nhttp://dl.test/\r\n"),
              std::vector<std::string>{"The version you are running is the latest available one."});
    EXPECT_EQ(check("01.08\nhttp://dl.test/\n"),
              std::vector<std::string>{"The version you are running is the latest available one."});
    messages.answer = false;
    EXPECT_EQ(check("1.1\nhttp://dl.test/new\n"),
              std::vector<std::string>{"There is a new version (1.1) of this program available at "
                                       "http://dl.test/new. Would you like to go to that website to download "
                                       "the new version?"});
    EXPECT_TRUE(browser.opened.empty());
    messages.answer = true;
    check("1.07 \nhttp://dl.test/blank\n");
    EXPECT_EQ(browser.opened, std::vector<std::string>{"http://dl.test/blank"});
    // The page as the file names it; the browser gets it as an http address.
    EXPECT_NE(check("1.08\nwww.dl.test/get\n")[0].find(" available at www.dl.test/get. "), std::string::npos);
    EXPECT_EQ(browser.opened.back(), "http://www.dl.test/get");
    // One line, an empty file, an error page served as text: nothing at all.
    EXPECT_TRUE(check("2.0\r\n").empty());
    EXPECT_TRUE(check("").empty());
    EXPECT_TRUE(check("<html><body>\nNot here</body></html>\n").empty());
    EXPECT_TRUE(check("2.0\njavascript:alert(1)\n").empty());
    EXPECT_EQ(browser.opened.size(), 2u);
    EXPECT_EQ(server.Requests().size(), 9u);
    // A missing version file is a transfer error for the application's error box.
    missing = true;
    messages.shown.clear();
    EXPECT_THROW(info.Button2Click(), EHttpError);
    EXPECT_TRUE(messages.shown.empty());
    // Offline: the message of the fetch, nothing else; no request.
    connection.online = false;
    EXPECT_EQ(check("2.0\nhttp://dl.test/\n"),
              std::vector<std::string>{"Operation Failed: Can't connect to the Internet"});
    EXPECT_EQ(server.Requests().size(), 10u);
}

TEST_F(DialogTest, NewHighscoreShowsTheTopScore) {
    TNewHighscoreForm form(12345, ContentResources());
    EXPECT_EQ(form.windowTitle(), "A New Highscore!");
    EXPECT_EQ(form.size(), QSize(400, 300));
    EXPECT_EQ(form.Label1->text(), "Congratulations!");
    EXPECT_EQ(form.Label4->text(), "12345 Points,");
    EXPECT_EQ(form.Label2->text(), "a new highscore!");
    EXPECT_EQ(form.Label3->text(), "Do you want to upload it to the worldwide web ranking list?");
    EXPECT_TRUE(form.Label3->wordWrap());
    EXPECT_EQ(form.Button1->text(), "Yes");
    EXPECT_EQ(form.Button2->text(), "No");
}

class EditorTest : public DialogTest {
protected:
    EditorTest() { GameData.LevelNumber = 1; }
    TEditorForm* Open() {
        auto* editor = new TEditorForm(messages);
        editor->show();
        return editor;
    }
    // The level file's lines unscrambled, each ended by "|".
    std::string LevelText() const {
        std::string out;
        for (const auto& line : SplitLines(dir.Read("sps/Level1.txt"))) out += UnscrambleText(line) + "|";
        return out;
    }
};

TEST_F(EditorTest, SavedTextComesBackWhenReopened) {
    dir.Write("sps/Level1.txt", ScrambleText("speed=3") + "\r\n" + ScrambleText("end") + "\r\n");
    TEditorForm* editor = Open();
    EXPECT_EQ(editor->windowTitle(), "Editor");
    EXPECT_EQ(editor->size(), QSize(485, 469));
    EXPECT_EQ(editor->Memo1->height(), 469 - 33);
    EXPECT_EQ(editor->Button1->text(), "Exit");
    EXPECT_EQ(editor->Button2->text(), "Save");
    EXPECT_EQ(editor->Memo1->toPlainText(), "speed=3\nend");
    editor->Memo1->setPlainText("speed=4\n\xC3\xA4nderung\nend");  // a character of Windows-1252
    editor->Button2->click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(LevelText(), "speed=4|\xE4nderung|end|");
    editor->Button1->click();
    TEditorForm* again = Open();
    EXPECT_EQ(again->Memo1->toPlainText(), "speed=4\n\xC3\xA4nderung\nend");
    again->close();
}

TEST_F(EditorTest, AMissingLevelStartsEmptyAndSaveCreatesIt) {
    TEditorForm* editor = Open();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(editor->Memo1->toPlainText(), "");
    EXPECT_TRUE(editor->Button2->isEnabled());
    editor->Memo1->setPlainText("end");
    editor->Button2->click();
    EXPECT_EQ(LevelText(), "end|");
    editor->close();
}

TEST_F(EditorTest, ALevelThatCannotBeReadIsNeverOverwritten) {
    std::filesystem::create_directories(dir / "sps/Level1.txt");
    TEditorForm* editor = Open();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(editor->Button2->isEnabled());
    editor->close();
}

TEST_F(EditorTest, TextALevelFileCannotHoldIsReportedAndNothingIsSaved) {
    const std::string before = ScrambleText("end") + "\r\n";
    dir.Write("sps/Level1.txt", before);
    TEditorForm* editor = Open();
    editor->Memo1->setPlainText("end\nspeed=\xE2\x86\x92 3");  // an arrow
    editor->Button2->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0],
              "Line 2 holds characters that a level file cannot store: U+2192. Nothing was saved.");
    EXPECT_EQ(dir.Read("sps/Level1.txt"), before);
    editor->close();
}

}  // namespace
