// The menu window's news pane: a rich-text view of the game server's pages.
// Pages and their pictures come through the program's HTTP client on threads
// of their own, so the window never waits; the pane runs no scripts, follows
// no link by itself and loads nothing from files or from outside its area.
#pragma once

#include <QTextBrowser>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "online/http_client.h"

class TNewsPane : public QTextBrowser {
    Q_OBJECT

public:
    // Where an address is to be shown, as the window decides before each
    // navigation (also for the address a redirect ends at).
    enum class TRoute { Pane, Browser, Nowhere };
    // What became of a navigation.
    enum class TOutcome { Shown, OpenedInBrowser, NotShown };
    using TRouter = std::function<TRoute(const std::string& url)>;
    using TDone = std::function<void(TOutcome)>;

    // area: the base address of the area whose pictures and style sheets the
    // pages may load. Nothing is owned; the client outlives the pane.
    TNewsPane(IHttpClient& http, std::function<std::string()> area, QWidget* parent);
    ~TNewsPane() override;

    // Asked before every navigation; without it every address goes to the pane.
    void SetBeforeNavigate(TRouter router) { beforeNavigate_ = std::move(router); }

    // Goes to url (unless the router sends it elsewhere): fetches the page,
    // then the pictures and style sheets of the area it names, shows it and
    // emits DocumentComplete; a page that cannot be fetched (no answer, an
    // error status) emits NavigateError and the shown page stays. done learns
    // the outcome, unless another navigation or Stop comes first.
    void Navigate(const std::string& url, TDone done = {});
    // Drops the navigation under way; the page shown stays.
    void Stop();
    // Moves and sizes the pane. A page laid out at another size (the pane
    // waits at 1 x 1 until its page is there) is laid out afresh, so that the
    // scroll bars it needed at that size do not stay.
    void Place(const QRect& where);
    // The address of the page shown (after redirects); empty before the first.
    const std::string& LocationUrl() const { return location_; }

signals:
    void DocumentComplete();
    void NavigateError();

protected:
    // Pictures and style sheets come only from what the pane fetched for the page.
    QVariant loadResource(int type, const QUrl& name) override;

private:
    struct TWorker {
        std::jthread thread;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    using TResponses = std::vector<THttpResponse>;

    void Fetch(std::vector<std::string> urls, std::function<void(TResponses)> then);
    void ReapFinishedWorkers();
    void PageArrived(const std::string& url, const THttpResponse& response);
    std::vector<std::string> ResourcesNamed(const QString& html, const std::string& pageUrl) const;
    void ResourcesArrived(const std::vector<std::string>& urls, const TResponses& responses);
    void ShowPage();
    void Finish(TOutcome outcome);
    TRoute Route(const std::string& url) const;
    void LinkClicked(const QUrl& link);

    IHttpClient& http_;
    std::function<std::string()> area_;
    TRouter beforeNavigate_;
    std::vector<TWorker> workers_;
    // Counts navigations: a result that arrives for an older one is dropped.
    unsigned navigation_ = 0;
    TDone done_;
    std::string location_;
    QString html_;
    std::map<std::string, QVariant> resources_;
    // The page being loaded, shown once its resources are there.
    std::string nextLocation_;
    QString nextHtml_;
    std::map<std::string, QVariant> nextResources_;
};
