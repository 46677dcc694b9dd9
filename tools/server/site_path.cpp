// Request targets to site paths, strictly: anything odd is a bad request.
#include "site_path.h"

#include <optional>

#include "infra/helpers.h"

namespace {

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '-';
}

SitePath BadPath(int status) {
    SitePath p;
    p.status = status;
    return p;
}

}  // namespace

bool IsPageName(std::string_view name) {
    if (name.empty() || name.size() > 100 || name.front() == '.') return false;
    if (name.find("..") != std::string_view::npos) return false;
    for (char c : name)
        if (!IsNameChar(c)) return false;
    return true;
}

SitePath ParseSitePath(std::string_view target) {
    const std::string_view path = target.substr(0, target.find_first_of("?#"));
    if (path.size() > MaxSitePathBytes) return BadPath(414);
    if (path.empty() || path.front() != '/') return BadPath(400);
    SitePath result;
    if (path == "/") {
        result.kind = SitePath::Root;
        return result;
    }
    if (path.substr(0, SiteAreaPath.size()) != SiteAreaPath ||
        (path.size() > SiteAreaPath.size() && path[SiteAreaPath.size()] != '/')) {
        result.kind = SitePath::Outside;
        result.status = 404;
        return result;
    }
    std::string_view rest = path.substr(SiteAreaPath.size());
    if (!rest.empty()) rest.remove_prefix(1);  // the "/" after the area
    if (!rest.empty() && rest.front() == '/') return BadPath(400);
    result.folder = !rest.empty() && rest.back() == '/';
    if (result.folder) rest.remove_suffix(1);
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::optional<std::string> part = PercentDecode(rest.substr(0, slash));
        if (!part || !IsPageName(*part) || result.parts.size() == MaxSitePathParts) return BadPath(400);
        result.parts.push_back(*part);
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
        if (rest.empty()) return BadPath(400);  // the path ended with "//"
    }
    result.kind = SitePath::Area;
    result.status = 200;
    return result;
}
