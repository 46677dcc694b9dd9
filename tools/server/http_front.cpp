// cpp-httplib bound to the site: one handler before routing takes every
// request, so the library's own routing and file serving never run.
#include "http_front.h"

#include <stdexcept>

#include "bounded_http_server.h"
#include "replay_settings.h"

namespace {

// The site answers before the library reads a body, so none is read, except
// for a replay's upload, which may be this large (the site refuses larger
// ones); the library answers 413 when a request announces more.
constexpr std::size_t kMaxBodyBytes = MaxReplayUploadBytes;
// A request line and its headers together; the game sends a few hundred bytes.
constexpr std::size_t kMaxRequestHeadBytes = 64 * 1024;
// A chunked body's framing comes on top of its bytes.
constexpr std::size_t kBodyFramingBytes = 64 * 1024;

bool IsUpload(const httplib::Request& req) {
    return req.method == "POST" && req.path == ReplayUploadPath;
}

void Answer(const GameSite& site, const httplib::Request& req, httplib::Response& res) {
    SiteResponse r = site.Handle(req.method, req.target, req.body);
    res.status = r.status;
    if (!r.allow.empty()) res.set_header("Allow", r.allow);
    if (!r.location.empty()) res.set_header("Location", r.location);
    if (!r.disposition.empty()) res.set_header("Content-Disposition", r.disposition);
    // Operators edit the pages and the list changes with every publication.
    res.set_header("Cache-Control", "no-cache");
    res.set_content(std::move(r.body), r.contentType);
}

}  // namespace

HttpFront::HttpFront(const GameSite& site, RequestLog& log, int threads)
    : server_(std::make_unique<BoundedHttpServer>(kMaxRequestHeadBytes, kMaxBodyBytes + kBodyFramingBytes)) {
    server_->new_task_queue = [threads] {
        return new httplib::ThreadPool(static_cast<std::size_t>(threads));
    };
    server_->set_payload_max_length(kMaxBodyBytes);
    server_->set_pre_routing_handler([&site](const httplib::Request& req, httplib::Response& res) {
        // An upload goes on to the handler below, which gets its body.
        if (IsUpload(req)) return httplib::Server::HandlerResponse::Unhandled;
        Answer(site, req, res);
        return httplib::Server::HandlerResponse::Handled;
    });
    server_->Post(std::string(ReplayUploadPath),
                  [&site](const httplib::Request& req, httplib::Response& res) { Answer(site, req, res); });
    server_->set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
        const SiteResponse r = ErrorResponse(500);
        res.status = r.status;
        res.set_content(r.body, r.contentType);
    });
    server_->set_logger([&log](const httplib::Request& req, const httplib::Response& res) {
        log.Write({req.method, req.target, res.status, req.get_header_value("Accept"),
                   req.get_header_value("User-Agent")});
    });
}

HttpFront::~HttpFront() = default;

int HttpFront::Bind(const std::string& host, int port) {
    const int bound =
        port == 0 ? server_->bind_to_any_port(host) : (server_->bind_to_port(host, port) ? port : -1);
    if (bound <= 0) throw std::runtime_error("cannot listen on " + host + ":" + std::to_string(port));
    return bound;
}

bool HttpFront::Serve() {
    return server_->listen_after_bind();
}

void HttpFront::Stop() {
    server_->stop();
}
