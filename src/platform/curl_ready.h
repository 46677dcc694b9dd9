// libcurl's process-wide set-up, done once before the first transfer of any
// of the program's curl clients.
#pragma once

#include <curl/curl.h>

#include <mutex>

inline void EnsureCurlReady() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}
