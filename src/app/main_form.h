// The menu window: the program's main window. It loads and saves the
// records, prepares the music, keeps or deletes the log, starts games on the
// game screen and opens the program's dialogs from its menus.
#pragma once

#include <QMainWindow>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/news_pane.h"
#include "infra/outside_world.h"
#include "sound/convert_sounds.h"

class IMessages;
class TInternet;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QTimer;
class QWidget;

class TForm1 : public QMainWindow, public IConvertProgress {
    Q_OBJECT

public:
    // Creates the game screen, sets its display mode (nothing: the screen's
    // own default) and shows it modally with the animation definitions text
    // of the memo; returns when it has closed.
    using GameScreenRunner =
        std::function<void(std::optional<int> displayMode, const std::string& definitions)>;
    // Plays the replay file on the game screen the same way; returns what to
    // tell the player afterwards (empty when it played).
    using ReplayRunner = std::function<std::string(const std::string& file, std::optional<int> displayMode,
                                                   const std::string& definitions)>;

    // The creation handler (FormCreate) runs here. The outside world gives the
    // message boxes, the resources, the machine's facts, free space and time;
    // the internet helpers outlive the window.
    // Without a replay runner the menu has no entry for watching replays.
    TForm1(const TOutsideWorld& outside, TInternet& internet, GameScreenRunner runGameScreen,
           ReplayRunner runReplay = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // Controls, in creation order.
    QLabel* Image1 = nullptr;
    QWidget* Shape1 = nullptr;
    TNewsPane* WebBrowser1 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* Label1 = nullptr;
    QProgressBar* Gauge1 = nullptr;
    QPlainTextEdit* SBMemo = nullptr;
    QTimer* Timer1 = nullptr;
    // Actions and menus.
    QAction* ActionStart = nullptr;
    QAction* ActionReplay = nullptr;
    QAction* ActionHilfe = nullptr;
    QAction* ActionEinstellungen = nullptr;
    QAction* Actionwebsite = nullptr;
    QAction* ActionClose = nullptr;
    QAction* ActionPublishHighscore = nullptr;
    QAction* ActionGotoHighscore = nullptr;
    QAction* ActionPublishErrorreport = nullptr;
    QAction* ActionInfo = nullptr;
    QAction* ActionBugspage = nullptr;  // no menu entry leads to it
    QMenu* Datei1 = nullptr;
    QMenu* Game1 = nullptr;
    QMenu* Internet1 = nullptr;
    QMenu* Help1 = nullptr;
    // The menu items: each is its action's entry in its menu.
    QAction *Options1 = nullptr, *Close1 = nullptr, *PlayVantorel1 = nullptr, *WatchReplay1 = nullptr;
    QAction *PublishHighscore1 = nullptr, *GotoHighscore1 = nullptr, *GotoVelmoraWebsite1 = nullptr;
    QAction *PublishErrorreport1 = nullptr, *Hilfe1 = nullptr, *Info1 = nullptr;

    // Window state.
    bool MusicReady = true;
    bool EditorKeyHeld = false;
    bool ReturnHomePending = false;

    // The animation definitions the game screen loads, as the memo holds them.
    const std::string& SBMemoText() const { return sbMemoText_; }
    const std::vector<std::string>& SBMemoLines() const { return sbMemoLines_; }

    void FormCreate();
    void FormActivate();
    void FormClose();
    void FormKeyDown(int key);
    void FormKeyUp(int key);
    void Shape1MouseDown();
    void ActionStartExecute();
    // Game > Watch Replay: a file chooser on the player's replays, then the
    // replay on the game screen. Nothing of the player's files changes.
    void ActionReplayExecute();
    // Where the chooser opens.
    std::string ReplayFolder() const;
    void ActionHilfeExecute();
    void ActionEinstellungenExecute();
    void ActionwebsiteExecute();
    void ActionCloseExecute();
    void ActionPublishHighscoreExecute();
    void ActionGotoHighscoreExecute();
    void ActionPublishErrorreportExecute();
    void ActionInfoExecute();
    void ActionBugspageExecute();
    // The questions after a run that did not end cleanly, and the help page
    // for a known error. True when that page went to the news pane.
    bool ErrorHelp();
    // The news pane's upkeep, every 5 seconds and at each activation.
    void Timer1Timer();
    void WebBrowser1DocumentComplete();
    // A page of the pane could not be fetched: the pane hides as when offline.
    void WebBrowser1NavigateError();
    // Only addresses of the game server's internal area are shown in the
    // pane; any other goes to the user's browser.
    TNewsPane::TRoute WebBrowser1BeforeNavigate2(const std::string& url);
    // The news pane's Visible: it may be visible at 1 x 1 until a page loaded.
    bool NewsPaneVisible() const;
    // Background picture ("MENUE" or "MENUE_NET") and the window sized to it.
    void SetBackground(const char* resourceName);
    const std::string& Background() const { return background_; }
    void FitToBackground();
    // True while the game screen runs (the window then takes no input).
    bool GameRunning() const { return gameRunning_; }
    // The window's activation runs again once window, one of its own windows
    // that is not modal, has closed. Nothing when window is null.
    void ActivateAfterClosing(QWidget* window);

    // The conversion panel (music preparation).
    void Started(int jobCount) override;
    void Progressed(int done) override;
    void Finished() override;

signals:
    // The publishing dialog (not modal: whoever opens it has the window's
    // activation run after it, ActivateAfterClosing) and the error-report
    // dialog (modal: the window's activation runs once it has closed) are
    // opened by whoever connects to these; ActionPublishHighscore emits its
    // signal only when rank 1 of the table holds a score.
    void PublishHighscoreRequested();
    void PublishErrorreportRequested();

protected:
    bool event(QEvent* e) override;
    // Drops the program's input while the game screen runs.
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    void CreateControls();
    void CreateConversionPanel();
    void CreateActions();
    void CreateMenus();
    QAction* NewAction(const char* name, const char* caption, void (TForm1::*execute)());
    void LoadDefinitionsMemo();
    // The game screen runs (a game or a replay) while the window takes no input.
    void RunGameScreen(const std::function<void()>& run);
    // The music is ready to play, or the player was told why not.
    bool ReadyToPlay();

    void AfterGame(std::int32_t bestBefore);
    // The window is active again (first showing, a game or one of its own
    // dialogs closed): its activation handler runs once the event in hand is
    // done, once however many windows closed together.
    void ActivateAgain();
    void CreateNewsPane();
    void HideNewsPane();
    void ShowNewsPane();

    TOutsideWorld outside_;
    IMessages& messages_;  // the outside world's message boxes
    TInternet& internet_;
    GameScreenRunner runGameScreen_;
    ReplayRunner runReplay_;
    std::string sbMemoText_;
    std::vector<std::string> sbMemoLines_;
    bool activatePending_ = true;
    bool activationQueued_ = false;
    bool activating_ = false;
    bool activatedOnce_ = false;
    bool gameRunning_ = false;
    // The error help has run for the game that just ended; the activation
    // that follows the game does not ask again.
    bool errorHelpAfterGame_ = false;
    // The error help after the game sent the news pane to a help page: the
    // activation that follows leaves the pane there instead of going home.
    bool keepPanePageOnce_ = false;
    std::string background_;
    // The context of the calls back from the windows ActivateAfterClosing
    // watches. Declared last, so destroyed first: the windows that close with
    // this one (they are its children, freed after its own parts) no longer
    // call into it.
    QObject ownWindowsWatch_;
};
