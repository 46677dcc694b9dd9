// The site a first start writes into the data folder's www: home page,
// rules page, error help rules with their help pages, version file and
// title picture. From then on the files are the operator's.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The version the site announces as the newest.
constexpr const char* SiteCurrentVersion = "1.07";

struct SiteFile {
    std::string name;  // relative to www, "/" between folders
    std::string bytes;
};

// siteUrl: how players reach this server ("http://host:port"), for the
// download address in version.txt. titleJpeg: the title picture, if any.
std::vector<SiteFile> DefaultSiteFiles(const std::string& siteUrl,
                                       const std::optional<std::string>& titleJpeg);

// Writes the default site when www does not exist yet; true when it did.
// The files go to a fresh folder that is then renamed to www, so an
// interrupted first start leaves no half site behind.
bool WriteDefaultSite(const std::filesystem::path& www, const std::vector<SiteFile>& files);
