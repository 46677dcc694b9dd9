// The news pane: navigation, fetching on worker threads, and the resources a page may load.
#include "app/news_pane.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QStringDecoder>
#include <QTextDocument>

#include <algorithm>
#include <set>
#include <utility>

#include "app/qt_text.h"
#include "online/web_address.h"

namespace {

// A page names at most this many pictures and style sheets; more are not loaded.
constexpr std::size_t MaxResourcesPerPage = 16;
// The pane's width, at which a page is laid out to find what it shows.
constexpr int PaneWidth = 292;
// A page is searched for pictures this far down.
constexpr int MaxSearchedHeight = 8000;

// A scratch document that only notes which resources a page asks for.
class TResourceCollector : public QTextDocument {
public:
    std::vector<std::pair<int, QUrl>> named;

protected:
    QVariant loadResource(int type, const QUrl& name) override {
        if (type == QTextDocument::ImageResource || type == QTextDocument::StyleSheetResource)
            named.emplace_back(type, name);
        return {};
    }
};

// Pages are UTF-8; anything that is not valid UTF-8 is read as Windows-1252.
QString DecodeText(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return utf8.hasError() ? ToQString(bytes) : text;
}

std::string Resolve(const std::string& base, const QUrl& name) {
    return QUrl(QString::fromStdString(base)).resolved(name).toString(QUrl::FullyEncoded).toStdString();
}

}  // namespace

TNewsPane::TNewsPane(IHttpClient& http, std::function<std::string()> area, QWidget* parent)
    : QTextBrowser(parent), http_(http), area_(std::move(area)) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setFrameStyle(QFrame::NoFrame);
    connect(this, &QTextBrowser::anchorClicked, this, &TNewsPane::LinkClicked);
}

TNewsPane::~TNewsPane() {
    Stop();
    workers_.clear();  // joins: each transfer ends soon after its stop request
}

void TNewsPane::Navigate(const std::string& url, TDone done) {
    const TRoute route = Route(url);
    if (route != TRoute::Pane) {
        if (done) done(route == TRoute::Browser ? TOutcome::OpenedInBrowser : TOutcome::NotShown);
        return;
    }
    Stop();
    done_ = std::move(done);
    Fetch({url}, [this, url](TResponses responses) { PageArrived(url, responses.front()); });
}

void TNewsPane::Stop() {
    ++navigation_;
    done_ = {};
    for (TWorker& worker : workers_) worker.thread.request_stop();
}

TNewsPane::TRoute TNewsPane::Route(const std::string& url) const {
    return beforeNavigate_ ? beforeNavigate_(url) : TRoute::Pane;
}

void TNewsPane::Fetch(std::vector<std::string> urls, std::function<void(TResponses)> then) {
    ReapFinishedWorkers();
    auto finished = std::make_shared<std::atomic<bool>>(false);
    const unsigned navigation = navigation_;
    IHttpClient* http = &http_;
    std::jthread thread([this, http, urls = std::move(urls), then = std::move(then), finished,
                         navigation](std::stop_token stop) {
        TResponses responses;
        for (const std::string& url : urls) {
            if (stop.stop_requested()) break;
            responses.push_back(http->Get(url, stop));
        }
        if (!stop.stop_requested()) {
            // Back on the window's thread; a later navigation makes the result stale.
            QMetaObject::invokeMethod(
                this,
                [this, then, navigation, responses] {
                    if (navigation == navigation_) then(responses);
                },
                Qt::QueuedConnection);
        }
        finished->store(true);
    });
    workers_.push_back({std::move(thread), std::move(finished)});
}

void TNewsPane::ReapFinishedWorkers() {
    std::erase_if(workers_, [](const TWorker& w) { return w.finished->load(); });
}

void TNewsPane::PageArrived(const std::string& url, const THttpResponse& response) {
    // A redirect may have led elsewhere: that address is judged as a link
    // would be, whatever it answered.
    const std::string where = response.EffectiveUrl.empty() ? url : response.EffectiveUrl;
    if (where != url) {
        const TRoute route = Route(where);
        if (route != TRoute::Pane) {
            Finish(route == TRoute::Browser ? TOutcome::OpenedInBrowser : TOutcome::NotShown);
            return;
        }
    }
    if (response.Failed() || response.Status >= 400) {
        Finish(TOutcome::NotShown);
        emit NavigateError();
        return;
    }
    nextLocation_ = where;
    nextHtml_ = DecodeText(response.Body);
    nextResources_.clear();
    std::vector<std::string> wanted = ResourcesNamed(nextHtml_, where);
    if (wanted.empty()) {
        ShowPage();
        return;
    }
    Fetch(wanted, [this, wanted](TResponses responses) {
        ResourcesArrived(wanted, responses);
        ShowPage();
    });
}

std::vector<std::string> TNewsPane::ResourcesNamed(const QString& html, const std::string& pageUrl) const {
    // Laying the page out and painting it asks for every resource it shows.
    TResourceCollector page;
    page.setHtml(html);
    page.setTextWidth(PaneWidth);
    const int height = std::min(MaxSearchedHeight, static_cast<int>(page.size().height()) + 1);
    QImage canvas(PaneWidth, std::max(height, 1), QImage::Format_RGB32);
    {
        QPainter painter(&canvas);
        page.drawContents(&painter);
    }
    std::vector<std::string> wanted;
    std::set<std::string> seen;
    const std::string area = area_();
    for (const auto& [type, name] : page.named) {
        const std::string url = Resolve(pageUrl, name);
        if (!IsInArea(url, area) || !seen.insert(url).second) continue;
        if (wanted.size() == MaxResourcesPerPage) break;
        wanted.push_back(url);
    }
    return wanted;
}

void TNewsPane::ResourcesArrived(const std::vector<std::string>& urls, const TResponses& responses) {
    const std::string area = area_();
    for (std::size_t i = 0; i < responses.size(); ++i) {
        const THttpResponse& r = responses[i];
        if (r.Failed() || r.Status >= 400 ||
            !IsInArea(r.EffectiveUrl.empty() ? urls[i] : r.EffectiveUrl, area))
            continue;
        QImage image;
        if (image.loadFromData(reinterpret_cast<const uchar*>(r.Body.data()),
                               static_cast<int>(r.Body.size())))
            nextResources_[urls[i]] = image;
        else
            nextResources_[urls[i]] = DecodeText(r.Body);  // a style sheet
    }
}

void TNewsPane::ShowPage() {
    location_ = std::move(nextLocation_);
    resources_ = std::move(nextResources_);
    nextResources_.clear();
    html_ = std::move(nextHtml_);
    nextHtml_.clear();
    setHtml(html_);
    Finish(TOutcome::Shown);
    emit DocumentComplete();
}

void TNewsPane::Finish(TOutcome outcome) {
    TDone done = std::move(done_);
    done_ = {};
    if (done) done(outcome);
}

void TNewsPane::Place(const QRect& where) {
    const bool resized = where.size() != size();
    setGeometry(where);
    if (resized && !html_.isEmpty()) setHtml(html_);
}

QVariant TNewsPane::loadResource(int type, const QUrl& name) {
    const auto it = resources_.find(Resolve(location_, name));
    if (it == resources_.end()) return {};
    const bool isImage = it->second.typeId() == QMetaType::QImage;
    if ((type == QTextDocument::ImageResource) != isImage) return {};
    return it->second;
}

void TNewsPane::LinkClicked(const QUrl& link) {
    Navigate(Resolve(location_, link));
}
