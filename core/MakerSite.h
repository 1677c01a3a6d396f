// What the programs say about their maker and where they reach out: the notice shown in the banner
// group and the status bar, the web site opened by the link label, the banner server, the updater
// program and where it finds route updates. The maker's addresses are placeholders under the
// reserved .example domain: they point at nothing anybody runs, and a build for a real site changes
// them here only. Portable: no platform header.
#pragma once

#include <string>
#include <string_view>

namespace bus {

// The maker's notice: caption of the banner group and text of the status bar's last panel.
inline constexpr std::string_view kMakerNotice = "Zelvo软件 欢迎使用";
// The maker's web site, shown by the link label without its scheme.
inline constexpr std::string_view kWebSiteHost = "www.zelvo.example";
// The banner server.
inline constexpr std::string_view kBannerHost = "banner.zelvo.example";
// Where the banner server keeps the banner movie.
inline constexpr std::string_view kBannerPath = "/softdownload/update/qbn";
// The banner movie's file beside the program.
inline constexpr std::string_view kBannerFileName = "qbn";
// The database updater beside the program.
inline constexpr std::string_view kUpdaterFileName = "update.exe";
// Where the web site keeps the route updates: one manifest per route database, named after it.
inline constexpr std::string_view kRouteUpdatePath = "/softdownload/update/";

// The text of the link label: the site's host name.
inline std::string WebSiteText() { return std::string(kWebSiteHost); }
// The address the link label opens: the site's root.
inline std::string WebSiteUrl() { return "http://" + std::string(kWebSiteHost) + "/"; }
// The address of the banner movie.
inline std::string BannerSourceUrl() { return "http://" + std::string(kBannerHost) + std::string(kBannerPath); }

// The address of the update manifest for the route database dbName (as config.ini names it,
// perhaps with a folder): the site's update folder and the database's file name with ".txt" for
// its extension ("xaway.db" gives ".../softdownload/update/xaway.txt").
inline std::string RouteUpdateUrl(std::string_view dbName) {
  const size_t slash = dbName.find_last_of("/\\");
  std::string_view name = slash == std::string_view::npos ? dbName : dbName.substr(slash + 1);
  if (const size_t dot = name.rfind('.'); dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
  return "http://" + std::string(kWebSiteHost) + std::string(kRouteUpdatePath) + std::string(name) + ".txt";
}

}  // namespace bus
