// The menu window's actions and menus: the dialogs, the pages in the browser
// and publishing.
#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QTimer>

#include "app/editor_form.h"
#include "app/info_form.h"
#include "app/main_form.h"
#include "app/main_options.h"
#include "game/replay_files.h"
#include "infra/env_data.h"
#include "infra/messages.h"
#include "infra/option_settings.h"
#include "infra/paths.h"
#include "online/internet.h"
#include "online/server_addresses.h"

QAction* TForm1::NewAction(const char* name, const char* caption, void (TForm1::*execute)()) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    // The shortcuts work from every window of the program, as menu shortcuts do.
    action->setShortcutContext(Qt::ApplicationShortcut);
    connect(action, &QAction::triggered, this, [this, execute] { (this->*execute)(); });
    return action;
}

void TForm1::CreateActions() {
    ActionStart = NewAction("ActionStart", "Play 'Vantorel'", &TForm1::ActionStartExecute);
    ActionStart->setShortcut(QKeySequence(Qt::Key_F9));
    ActionReplay = NewAction("ActionReplay", "Watch &Replay", &TForm1::ActionReplayExecute);
    ActionHilfe = NewAction("ActionHilfe", "Goto &Help Page", &TForm1::ActionHilfeExecute);
    ActionHilfe->setShortcut(QKeySequence(Qt::Key_F1));
    ActionEinstellungen = NewAction("ActionEinstellungen", "&Options", &TForm1::ActionEinstellungenExecute);
    Actionwebsite = NewAction("Actionwebsite", "&Goto 'Velmora' Website", &TForm1::ActionwebsiteExecute);
    ActionClose = NewAction("ActionClose", "&Close", &TForm1::ActionCloseExecute);
    ActionPublishHighscore =
        NewAction("ActionPublishHighscore", "&Publish Highscore", &TForm1::ActionPublishHighscoreExecute);
    ActionGotoHighscore =
        NewAction("ActionGotoHighscore", "Goto &Highscore", &TForm1::ActionGotoHighscoreExecute);
    ActionPublishErrorreport =
        NewAction("ActionPublishErrorreport", "Send &Errorreport", &TForm1::ActionPublishErrorreportExecute);
    ActionInfo = NewAction("ActionInfo", "&Info", &TForm1::ActionInfoExecute);
    ActionBugspage = NewAction("ActionBugspage", "Goto Help On &Error Page", &TForm1::ActionBugspageExecute);
}

void TForm1::CreateMenus() {
    Datei1 = menuBar()->addMenu("&File");
    Options1 = ActionEinstellungen;
    Datei1->addAction(Options1);
    Datei1->addSeparator();
    Close1 = ActionClose;
    Datei1->addAction(Close1);
    Game1 = menuBar()->addMenu("&Game");
    PlayVantorel1 = ActionStart;
    Game1->addAction(PlayVantorel1);
    WatchReplay1 = ActionReplay;
    WatchReplay1->setVisible(static_cast<bool>(runReplay_));
    Game1->addAction(WatchReplay1);
    Internet1 = menuBar()->addMenu("&Internet");
    PublishHighscore1 = ActionPublishHighscore;
    GotoHighscore1 = ActionGotoHighscore;
    GotoVelmoraWebsite1 = Actionwebsite;
    GotoVelmoraWebsite1->setVisible(false);
    PublishErrorreport1 = ActionPublishErrorreport;
    Internet1->addActions({PublishHighscore1, GotoHighscore1, GotoVelmoraWebsite1});
    Internet1->addSeparator();
    Internet1->addAction(PublishErrorreport1);
    // Sending a report needs its dialog; without one the entry is greyed.
    connect(Internet1, &QMenu::aboutToShow, this, [this] {
        ActionPublishErrorreport->setEnabled(
            isSignalConnected(QMetaMethod::fromSignal(&TForm1::PublishErrorreportRequested)));
    });
    Help1 = menuBar()->addMenu("&Help");
    Hilfe1 = ActionHilfe;
    Help1->addAction(Hilfe1);
    Help1->addSeparator();
    Info1 = ActionInfo;
    Help1->addAction(Info1);
}

std::string TForm1::ReplayFolder() const {
    EnsureDir(ReplayDir);
    return ResolvePath(ReplayDir);
}

void TForm1::ActionReplayExecute() {
    if (gameRunning_ || activating_ || !runReplay_) return;
    QFileDialog chooser(this, "Watch Replay", QString::fromLocal8Bit(ReplayFolder().c_str()),
                        "Replays (*.replay)");
    chooser.setObjectName("ReplayChooser");
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
    const std::string file = chooser.selectedFiles().first().toLocal8Bit().toStdString();
    std::string problem;
    if (ReadyToPlay()) {
        try {
            RunGameScreen([&] { problem = runReplay_(file, ChosenDisplayMode(), sbMemoText_); });
        } catch (const std::exception& e) {
            problem = e.what();
        }
    }
    if (!problem.empty()) messages_.Error(problem);
    Timer1->start();
    ActivateAgain();
}

void TForm1::ActionHilfeExecute() {
    if (EditorKeyHeld) {
        auto* editor = new TEditorForm(messages_, this);
        ActivateAfterClosing(editor);
        editor->show();
        return;
    }
    internet_.OpenUrl(GameServerPage("vtrrulesengl.htm"));
}

void TForm1::ActionEinstellungenExecute() {
    auto* options = new TMainOptions(messages_, this);
    ActivateAfterClosing(options);
    options->show();
}

void TForm1::ActionwebsiteExecute() {
    internet_.OpenUrl(CampaignWebsite());
}

void TForm1::ActionCloseExecute() {
    close();
}

void TForm1::ActionPublishHighscoreExecute() {
    if (Env.Highscores[0].Score == EmptyHighscore) {
        messages_.Information("Sorry, you don't have a entry in your highscore list right now");
        return;
    }
    emit PublishHighscoreRequested();
}

void TForm1::ActionPublishErrorreportExecute() {
    emit PublishErrorreportRequested();  // returns when the modal dialog has closed
    ActivateAgain();
}

void TForm1::ActionInfoExecute() {
    TInfoForm info(internet_, outside_, this);
    info.exec();
    ActivateAgain();
}

void TForm1::ActionBugspageExecute() {
    internet_.OpenUrl(GameServerPage("errors.htm"));
}
