// The termination signals' way into the menu window's close.
#include "app/end_on_signal.h"

#include <QApplication>
#include <QTimer>

#include "app/game_screen_host.h"
#include "app/main_form.h"
#include "platform/termination_signals.h"

namespace {
// How often the end looks again whether the game screen has closed.
constexpr int GameClosedPollMs = 50;
}  // namespace

TEndOnSignal::TEndOnSignal(TTerminationSignals& termination, TForm1& form, TGameScreenHost& gameScreens)
    : signals_(termination),
      form_(form),
      gameScreens_(gameScreens),
      notifier_(termination.Fd(), QSocketNotifier::Read) {
    // The game screen's own loop lets Qt handle everything but input, so this
    // also comes through while a game runs.
    connect(&notifier_, &QSocketNotifier::activated, this, [this] { Signalled(); });
}

void TEndOnSignal::Signalled() {
    if (!signals_.Take() || ending_) return;
    ending_ = true;
    End();
}

void TEndOnSignal::End() {
    if (form_.GameRunning()) {
        gameScreens_.EndWithoutWaiting();
        QTimer::singleShot(GameClosedPollMs, this, [this] { End(); });
        return;
    }
    form_.close();
    // A window that stayed open could not save: the player was told.
    QApplication::exit(form_.isVisible() ? 1 : 0);
}
