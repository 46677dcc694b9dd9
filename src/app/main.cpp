// Program entry: the outside world the program runs in, the application
// object, the menu window as the main window, and the message loop until that
// window closes. "vantorel --replay FILE" plays a replay on the game screen
// instead and ends.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>

#include <QTimer>

#include "app/application.h"
#include "app/end_on_signal.h"
#include "app/game_screen_host.h"
#include "app/main_form.h"
#include "app/publish_errorreport_form.h"
#include "app/publish_highscore_form.h"
#include "app/qt_messages.h"
#include "content/content_resources.h"
#include "game/menu_preparation.h"
#include "infra/option_settings.h"
#include "infra/outside_world.h"
#include "online/internet.h"
#include "platform/curl_http_client.h"
#include "platform/freetype_rasterizer.h"
#include "platform/linux_connection.h"
#include "platform/linux_system_facts.h"
#include "platform/termination_signals.h"
#include "platform/xdg_browser_launcher.h"

namespace {

// The replay named after "--replay" on the command line, if any.
const char* ReplayArgument(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--replay") == 0) return argv[i + 1];
    return nullptr;
}

// Plays the replay as the menu window would start a game: the records, the
// music, then the game screen. 0 when it played, 1 when it stopped matching
// the game, 2 when it could not be played.
int WatchReplay(const char* file, TGameScreenHost& screens, const TOutsideWorld& outside,
                IMessages& messages) {
    std::string problem;
    int result = 2;
    try {
        // Named from where the program was started, which is left below.
        const std::string path = std::filesystem::absolute(file).string();
        PrepareLikeTheMenu(outside);
        problem = screens.RunReplay(path, ChosenDisplayMode(), {});
        result = screens.ReplayResult();
    } catch (const std::exception& e) {
        problem = e.what();
    }
    if (!problem.empty()) {
        std::fprintf(stderr, "vantorel: %s\n", problem.c_str());
        messages.Error(problem);
    }
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    // SIGTERM and SIGINT wait in a pipe until the menu window can end the run.
    TTerminationSignals termination;
    LinuxSystemFacts facts;
    TFreeTypeRasterizer font;
    QtMessages messages;
    TOutsideWorld outside;
    outside.Messages = &messages;
    outside.Resources = &ContentResources();
    outside.Fonts = &font;
    outside.Facts = &facts;
    // SDL's video comes up before the first Qt window.
    TGameScreenHost gameScreens(outside);

    const bool waylandChosen = PreferWaylandPlatform();
    TApplication app(argc, argv, messages);
    if (waylandChosen) unsetenv("QT_QPA_PLATFORM");
    if (const char* replay = ReplayArgument(argc, argv))
        return WatchReplay(replay, gameScreens, outside, messages);
    CurlHttpClient http;
    XdgBrowserLauncher browser;
    const auto connection = MakeConnection();
    TInternet internet(http, browser, *connection, messages);
    int result = 1;
    try {
        TForm1 form(
            outside, internet,
            [&](std::optional<int> mode, const std::string& definitions) {
                gameScreens.Run(mode, definitions);
            },
            [&](const std::string& file, std::optional<int> mode, const std::string& definitions) {
                return gameScreens.RunReplay(file, mode, definitions);
            });
        QObject::connect(&form, &TForm1::PublishHighscoreRequested, [&] {
            form.ActivateAfterClosing(
                ShowPublishHighscoreDialog(&form, internet, messages, *outside.Resources));
        });
        QObject::connect(&form, &TForm1::PublishErrorreportRequested, [&] {
            ShowErrorReportDialog(&form, messages, [&] {
                internet.Autodial();
                return internet.IsOnline();
            });
        });
        QTimer sdlEvents;
        QObject::connect(&sdlEvents, &QTimer::timeout, [&] { gameScreens.DrainEvents(); });
        sdlEvents.start(500);
        TEndOnSignal endOnSignal(termination, form, gameScreens);
        form.show();
        form.activateWindow();
        result = app.exec();
    } catch (const std::exception& e) {
        // The window could not be created: say why, then end.
        std::fprintf(stderr, "vantorel: %s\n", e.what());
        messages.Error(e.what());
    }
    return result;
}
