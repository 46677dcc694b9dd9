// The menu window: controls, records, music preparation, log check, game start.
#include "app/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>

#include <exception>

#include "app/jpeg_pixmap.h"
#include "app/new_highscore_form.h"
#include "app/press_area.h"
#include "app/qt_text.h"
#include "app/window_placement.h"
#include "infra/env_data.h"
#include "infra/file_io.h"
#include "infra/game_data.h"
#include "infra/log.h"
#include "infra/messages.h"
#include "infra/option_settings.h"
#include "infra/paths.h"
#include "infra/random.h"
#include "online/system_report.h"
#include "online/version_check.h"

namespace {

constexpr int Shape1Left = 124, Shape1Top = 256, Shape1Width = 157, Shape1Height = 53;
constexpr int Panel2Width = 185, Panel2Height = 49;
constexpr int Timer1IntervalMs = 5000;
constexpr int KeyE = Qt::Key_E;
constexpr const char* GameDataFile = "SPS/game.dat";

}  // namespace

TForm1::TForm1(const TOutsideWorld& outside, TInternet& internet, GameScreenRunner runGameScreen,
               ReplayRunner runReplay, QWidget* parent)
    : QMainWindow(parent),
      outside_(outside),
      messages_(*outside.Messages),
      internet_(internet),
      runGameScreen_(std::move(runGameScreen)),
      runReplay_(std::move(runReplay)) {
    setWindowTitle("Vantorel!");
    // A fixed single border: no maximise box, no resizing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    CreateControls();
    CreateActions();
    CreateMenus();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::CreateControls() {
    auto* client = new QWidget(this);  // owned by the window, as every control below
    setCentralWidget(client);
    Image1 = new QLabel(client);
    Image1->setObjectName("Image1");
    Image1->move(0, 0);
    Shape1 = new TPressArea(client, [this] { Shape1MouseDown(); });
    Shape1->setObjectName("Shape1");
    Shape1->setGeometry(Shape1Left, Shape1Top, Shape1Width, Shape1Height);
    CreateNewsPane();
    CreateConversionPanel();
    SBMemo = new QPlainTextEdit(client);
    SBMemo->setObjectName("SBMemo");
    SBMemo->setReadOnly(true);
    SBMemo->hide();
    LoadDefinitionsMemo();
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(Timer1IntervalMs);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer1->start();
}

void TForm1::CreateConversionPanel() {
    Panel2 = new QFrame(centralWidget());
    Panel2->setObjectName("Panel2");
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2->setLineWidth(1);
    Panel2->setAutoFillBackground(true);
    Panel2->resize(Panel2Width, Panel2Height);
    Label1 = new QLabel("Converting Sounds...", Panel2);
    Label1->setObjectName("Label1");
    Label1->setGeometry(8, 4, Panel2Width - 16, 18);
    Gauge1 = new QProgressBar(Panel2);
    Gauge1->setObjectName("Gauge1");
    Gauge1->setGeometry(8, 24, Panel2Width - 16, 17);
    Gauge1->setTextVisible(false);
    Gauge1->setStyleSheet(
        "QProgressBar { border: 1px solid #808080; background: white; }"
        "QProgressBar::chunk { background: #0000ff; }");
    Panel2->hide();
}

void TForm1::LoadDefinitionsMemo() {
    const auto text = outside_.Resources->Find("TEXT", "SBMEMO");
    if (!text) return;  // the game screen then finds no graphic objects and says so
    sbMemoText_.assign(reinterpret_cast<const char*>(text->data()), text->size());
    sbMemoLines_ = SplitLines(sbMemoText_);
    SBMemo->setPlainText(ToQString(sbMemoText_));
}

void TForm1::FormCreate() {
    ReturnHomePending = false;
    Randomize(*outside_.Clock);
    EnterProgramDir();
    EnsureSpsDir();
    LoadEnv();
    LoadGameData(GameDataFile, messages_);
    SetBackground("MENUE");
    CentreOnScreen(*this);
}

void TForm1::SetBackground(const char* resourceName) {
    if (background_ == resourceName) return;
    const QPixmap picture = LoadJpegPixmap(*outside_.Resources, resourceName);
    background_ = resourceName;
    Image1->setPixmap(picture);
    Image1->resize(picture.size());
    FitToBackground();
}

void TForm1::FitToBackground() {
    const QSize size = Image1->size();
    centralWidget()->setFixedSize(size);
    Panel2->move((size.width() - Panel2->width()) / 2, (size.height() - Panel2->height()) / 2);
    adjustSize();
    setFixedSize(sizeHint());
}

bool TForm1::event(QEvent* e) {
    // The window's activation handler runs when it first becomes active and
    // again when the program's own game screen or dialogs have closed
    // (ActivateAgain), not for message boxes: otherwise a message box of the
    // music preparation would start the preparation over again when it closes.
    if (e->type() == QEvent::WindowActivate && activatePending_ && !activating_ && !gameRunning_) {
        activatePending_ = false;
        ActivateAgain();
    }
    // A key held while another window takes the focus is never seen released here.
    if (e->type() == QEvent::WindowDeactivate) EditorKeyHeld = false;
    return QMainWindow::event(e);
}

void TForm1::FormActivate() {
    if (activating_ || gameRunning_) return;
    activating_ = true;
    activatedOnce_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{activating_};
    if (keepPanePageOnce_) {
        keepPanePageOnce_ = false;
    } else {
        HideNewsPane();
        repaint();
        Timer1Timer();
    }
    MusicReady = ConvertSounds(*this, outside_);
    // The error help asks once per game end: not again at the activation
    // that follows the game, if the game itself did not end cleanly.
    const bool askedAfterGame = errorHelpAfterGame_;
    errorHelpAfterGame_ = false;
    if (LogEndsWithOK())
        DeleteLog();
    else if (!askedAfterGame)
        ErrorHelp();
}

void TForm1::Started(int jobCount) {
    Gauge1->setMaximum(jobCount);
    Gauge1->setValue(0);
    Panel2->show();
    Panel2->raise();
    repaint();
}

void TForm1::Progressed(int done) {
    Gauge1->setValue(done);
    Panel2->repaint();
}

void TForm1::Finished() {
    Panel2->hide();
    repaint();
}

void TForm1::Shape1MouseDown() {
    ActionStartExecute();
}

bool TForm1::ReadyToPlay() {
    // A click that activates the window can arrive before the activation
    // handler has run: the music must be ready before the game screen opens.
    if (!activatedOnce_) FormActivate();
    Timer1->stop();
    if (MusicReady) return true;
    messages_.Information(
        "Cannot start game because of low drive space. Please close program and make some more space "
        "available on drive " +
        outside_.FreeSpace(GetCacheDir()).mountPoint + ":\\. Then try again.");
    return false;
}

void TForm1::ActionStartExecute() {
    if (gameRunning_ || activating_) return;
    if (!ReadyToPlay()) return;
    WriteLog("Program Version " + std::string(ProgramVersion));
    LogSystemInfo(*outside_.Facts);
    if (AvailableMemoryKB < MinimumMemoryKB &&
        !messages_.Question("There seems to be not enough available memory on your system. Would you like to "
                            "try to start the game anyway?")) {
        Timer1->start();
        return;
    }
    const std::int32_t bestBefore = Env.Highscores[0].Score;
    try {
        RunGameScreen([this] { runGameScreen_(ChosenDisplayMode(), sbMemoText_); });
    } catch (const std::exception& e) {
        // The game screen could not even be made (no display): said here, and
        // what follows a game still runs, the timer's restart included.
        messages_.Error(e.what());
    }
    AfterGame(bestBefore);
}

void TForm1::AfterGame(std::int32_t bestBefore) {
    if (!LogEndsWithOK()) {
        errorHelpAfterGame_ = true;
        try {
            keepPanePageOnce_ = ErrorHelp();
        } catch (const std::exception& e) {
            // A failed look-up ends the error help, not what follows a game.
            messages_.Error(e.what());
        }
    }
    if (Env.Highscores[0].Score != bestBefore) {
        TNewHighscoreForm dialog(Env.Highscores[0].Score, *outside_.Resources, this);
        if (dialog.ShowModal()) ActionPublishHighscoreExecute();
    }
    Timer1->start();
    ActivateAgain();
}

void TForm1::ActivateAgain() {
    if (activationQueued_) return;
    activationQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        activationQueued_ = false;
        FormActivate();
    });
}

void TForm1::ActivateAfterClosing(QWidget* window) {
    if (window) connect(window, &QObject::destroyed, &ownWindowsWatch_, [this] { ActivateAgain(); });
}

void TForm1::RunGameScreen(const std::function<void()>& run) {
    // The window goes on painting while the game screen runs (in its own
    // colours, not greyed as a disabled window would be), but takes no input:
    // a filter drops it, including what arrived meanwhile and is handed out
    // once the game screen has closed.
    gameRunning_ = true;
    // Nothing the pane was loading arrives during the game (an error-help
    // page would delete the new game's log).
    WebBrowser1->Stop();
    qApp->installEventFilter(this);
    struct Restore {
        TForm1& form;
        ~Restore() {
            QApplication::processEvents();
            qApp->removeEventFilter(&form);
            form.gameRunning_ = false;
        }
    } restore{*this};
    run();
}

bool TForm1::eventFilter(QObject* watched, QEvent* e) {
    if (gameRunning_) {
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::ContextMenu:
                return true;
            default:
                break;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void TForm1::FormKeyDown(int key) {
    if (key == KeyE) EditorKeyHeld = true;
}

void TForm1::FormKeyUp(int key) {
    if (key == KeyE) EditorKeyHeld = false;
}

void TForm1::keyPressEvent(QKeyEvent* e) {
    FormKeyDown(e->key());
    QMainWindow::keyPressEvent(e);
}

void TForm1::keyReleaseEvent(QKeyEvent* e) {
    if (!e->isAutoRepeat()) FormKeyUp(e->key());
    QMainWindow::keyReleaseEvent(e);
}

void TForm1::FormClose() {
    SaveEnv();
    SaveGameData(GameDataFile);
}

void TForm1::closeEvent(QCloseEvent* e) {
    if (gameRunning_) {
        e->ignore();
        return;
    }
    try {
        FormClose();
        e->accept();
    } catch (const std::exception& ex) {
        // The window stays open so that the player can make room and try again.
        e->ignore();
        messages_.Error(ex.what());
    }
}
