// The menu window and the game server: the news pane with its upkeep, the web
// high-score list, and the error help after a run that did not end cleanly.
#include "app/main_form.h"

#include <QTimer>

#include "infra/log.h"
#include "infra/messages.h"
#include "online/error_rules.h"
#include "online/internet.h"
#include "online/server_addresses.h"
#include "online/web_address.h"

namespace {

constexpr int PaneLeft = 52, PaneTop = 53, PaneWidth = 292, PaneHeight = 171;

}  // namespace

void TForm1::CreateNewsPane() {
    WebBrowser1 = new TNewsPane(
        internet_.Http(), [] { return GameServerBase(); }, centralWidget());
    WebBrowser1->setObjectName("WebBrowser1");
    WebBrowser1->SetBeforeNavigate(
        [this](const std::string& url) { return WebBrowser1BeforeNavigate2(url); });
    connect(WebBrowser1, &TNewsPane::DocumentComplete, this, &TForm1::WebBrowser1DocumentComplete);
    connect(WebBrowser1, &TNewsPane::NavigateError, this, &TForm1::WebBrowser1NavigateError);
    WebBrowser1->setGeometry(0, 0, 1, 1);
    WebBrowser1->hide();
}

bool TForm1::NewsPaneVisible() const {
    return !WebBrowser1->isHidden();
}

void TForm1::HideNewsPane() {
    WebBrowser1->Stop();
    WebBrowser1->setGeometry(0, 0, 1, 1);
    WebBrowser1->hide();
}

void TForm1::ShowNewsPane() {
    WebBrowser1->show();
}

void TForm1::Timer1Timer() {
    const bool online = internet_.IsOnline();
    if (NewsPaneVisible() && online && ReturnHomePending) {
        WebBrowser1->Navigate(GameServerBase());
        ReturnHomePending = false;
    }
    if (!NewsPaneVisible() && online) {
        ShowNewsPane();
        WebBrowser1->Navigate(GameServerBase());
    }
    // Offline the picture shows the campaign logo where the pane would be,
    // also when the pane was already hidden by the window's activation.
    if (!online && (NewsPaneVisible() || background_ == "MENUE_NET")) {
        HideNewsPane();
        SetBackground("MENUE");
    }
}

void TForm1::WebBrowser1DocumentComplete() {
    SetBackground("MENUE_NET");
    WebBrowser1->Place(QRect(PaneLeft, PaneTop, PaneWidth, PaneHeight));
    WebBrowser1->show();
}

void TForm1::WebBrowser1NavigateError() {
    HideNewsPane();
    SetBackground("MENUE");
}

TNewsPane::TRoute TForm1::WebBrowser1BeforeNavigate2(const std::string& url) {
    if (IsInArea(url, GameServerBase())) return TNewsPane::TRoute::Pane;
    return internet_.OpenUrl(url) ? TNewsPane::TRoute::Browser : TNewsPane::TRoute::Nowhere;
}

void TForm1::ActionGotoHighscoreExecute() {
    if (!internet_.IsOnline()) {
        internet_.Autodial();
        if (!NewsPaneVisible() && internet_.IsOnline()) ShowNewsPane();
        if (!internet_.IsOnline()) {
            messages_.Information("Operation Failed: Can't connect to the Internet");
            return;
        }
    }
    if (NewsPaneVisible()) WebBrowser1->Navigate(GameServerPage("highscore.html"));
    // The next tick of the pane's timer returns it to its home page: a full
    // interval from now, so that a tick due at once cannot replace the list
    // before it was seen.
    ReturnHomePending = true;
    if (Timer1->isActive()) Timer1->start();
}

bool TForm1::ErrorHelp() {
    if (!messages_.Question(
            "An error occurred during the execution of the program. Would you like the program to look at "
            "our "
            "errors&&solutions internet page if the error already is known and if there is a way to fix it?"))
        return false;
    std::string rules;
    internet_.HttpGet(GameServerPage("errors.txt"), rules);  // a failed transfer raises: the log stays
    const TKnownError known = FindKnownError(rules);
    if (known.Page.empty()) {
        if (messages_.Question("Sorry, this error is unknown. Would you like to send us an error report?"))
            ActionPublishErrorreportExecute();
        return false;
    }
    const std::string page = GameServerPage("errors/" + known.Page);
    const bool keepLog = known.KeepLog;
    // The log goes only once the page has really been shown.
    if (NewsPaneVisible()) {
        WebBrowser1->Navigate(page, [keepLog](TNewsPane::TOutcome outcome) {
            if (outcome != TNewsPane::TOutcome::NotShown && !keepLog) DeleteLog();
        });
        return true;
    }
    if (internet_.OpenUrl(page) && !keepLog) DeleteLog();
    return false;
}
