// What the program says about its maker and where it reaches out: the notice shown in the banner
// group and the status bar, the web site opened by the link label, the banner server, the
// updater program. The maker's addresses are placeholders under the reserved .example domain:
// they point at nothing anybody runs, and a build for a real site changes them here only.
// Portable: no platform header.
#pragma once

#include <string>
#include <string_view>

namespace bus::app {

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

// The text of the link label: the site's host name.
inline std::string WebSiteText() { return std::string(kWebSiteHost); }
// The address the link label opens: the site's root.
inline std::string WebSiteUrl() { return "http://" + std::string(kWebSiteHost) + "/"; }
// The address of the banner movie.
inline std::string BannerSourceUrl() { return "http://" + std::string(kBannerHost) + std::string(kBannerPath); }

}  // namespace bus::app
