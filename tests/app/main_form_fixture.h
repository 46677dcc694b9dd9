// The menu window's test fixture: a fresh program directory, recorded
// message boxes, plenty of memory, fakes of the network, and a game screen
// that only notes how it was started and ends cleanly.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "content/content_resources.h"
#include "infra/clock.h"
#include "infra/log.h"
#include "infra/outside_world.h"
#include "online/game_info.h"
#include "online/internet.h"
#include "support/fake_internet.h"
#include "support/memory_facts.h"
#include "support/recording_messages.h"
#include "support/temp_program_dir.h"

class MainFormTest : public ::testing::Test {
protected:
    MainFormTest() {
        outside.Messages = &messages;
        outside.Resources = &ContentResources();
        outside.Facts = &facts;
    }

    // The window over the outside world as the test set it up.
    std::unique_ptr<TForm1> MakeForm() {
        return std::make_unique<TForm1>(outside, internet,
                                        [this](std::optional<int> mode, const std::string& definitions) {
                                            games.push_back(mode);
                                            definitionsSizes.push_back(definitions.size());
                                            WriteLog("OK");  // the game screen's clean end
                                            if (duringGame) duringGame();
                                        });
    }
    std::string Log() const { return dir.Read("sps/LOG.TXT"); }

    TempProgramDir dir;
    RecordingMessages messages;
    // Plenty of memory, so that only the tests that want it see the memory question.
    MemoryFacts facts{512ull * 1024 * 1024};
    FakeHttpClient http;
    FakeBrowser browser;
    FakeConnection connection;
    TInternet internet{http, browser, connection, messages};
    std::function<void()> duringGame;
    std::vector<std::optional<int>> games;
    std::vector<std::size_t> definitionsSizes;
    TOutsideWorld outside;
};
