// Internet helpers on Linux: the routing table, xdg-open and libcurl.
#include "platform/internet.h"

#include <curl/curl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cctype>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <sstream>
#include <thread>

#include "infra/file_io.h"
#include "infra/messages.h"

extern char** environ;

namespace {

std::function<bool()> g_onlineCheck;
UrlLauncher g_launcher;

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    return true;
}

// xdg-open may stay until the browser ends: a thread of its own reaps it.
bool LaunchWithXdgOpen(const std::string& url) {
    pid_t pid = 0;
    std::string program = "xdg-open";
    char* argv[] = {program.data(), const_cast<char*>(url.c_str()), nullptr};
    if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) return false;
    std::thread([pid] {
        int status = 0;
        waitpid(pid, &status, 0);
    }).detach();
    return true;
}

struct TBody {
    std::string bytes;
    bool tooLarge = false;
};

std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto* body = static_cast<TBody*>(user);
    const std::size_t n = size * count;
    if (body->bytes.size() + n > MaxHttpBodyBytes) {
        body->tooLarge = true;
        return 0;  // makes curl stop with a write error
    }
    body->bytes.append(data, n);
    return n;
}

void GlobalCurlInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

bool HasDefaultRoute(std::string_view routeTable) {
    std::istringstream in{std::string(routeTable)};
    std::string line;
    std::getline(in, line);  // the header
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string iface, destination, gateway, flags, refCnt, use, metric, mask;
        if (!(fields >> iface >> destination >> gateway >> flags >> refCnt >> use >> metric >> mask))
            continue;
        const unsigned long flagBits = std::strtoul(flags.c_str(), nullptr, 16);
        const bool up = (flagBits & 0x1) != 0;
        if (up && destination == "00000000" && mask == "00000000") return true;
    }
    return false;
}

bool IsOnline() {
    if (g_onlineCheck) return g_onlineCheck();
    const auto table = ReadWholeFile("/proc/net/route");
    return table && HasDefaultRoute(*table);
}

void SetOnlineCheck(std::function<bool()> check) {
    g_onlineCheck = std::move(check);
}

void Autodial() {}

void SetUrlLauncher(UrlLauncher launcher) {
    g_launcher = std::move(launcher);
}

void OpenUrl(const std::string& url, IMessages& messages) {
    // Only web addresses go to the browser: a file or program address from a
    // page must never be started by the player's desktop.
    const bool web = StartsWithIgnoringCase(url, "http://") || StartsWithIgnoringCase(url, "https://");
    const bool started = web && (g_launcher ? g_launcher(url) : LaunchWithXdgOpen(url));
    if (!started) messages.Error("Unable to start Browser. Goto\r" + url);
}

std::string NormaliseLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string FetchUrl(const std::string& url) {
    GlobalCurlInit();
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl) throw EHttpError("HTTP client cannot start");
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headers(
        curl_slist_append(nullptr, (std::string("Accept: ") + HttpAccept).c_str()), &curl_slist_free_all);
    TBody body;
    char errorText[CURL_ERROR_SIZE] = {};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_USERAGENT, HttpUserAgent);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 15L);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, 60L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &AppendBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
    const CURLcode result = curl_easy_perform(c);
    if (body.tooLarge) throw EHttpError("Antwort von " + url + " ist zu gross");
    if (result != CURLE_OK)
        throw EHttpError(std::string(*errorText ? errorText : curl_easy_strerror(result)) + " (" + url + ")");
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 400) throw EHttpError("HTTP/1.1 " + std::to_string(status) + " (" + url + ")");
    return NormaliseLineBreaks(body.bytes);
}

void HttpGet(const std::string& url, std::string& text, IMessages& messages) {
    Autodial();
    if (!IsOnline()) {
        messages.Information("Operation Failed: Can't connect to the Internet");
        return;
    }
    text.clear();
    text = FetchUrl(url);
}
