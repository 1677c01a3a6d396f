// Everything the route database updater says to its user, in one place: the window's texts, its
// progress, and the reason of every failure in plain words. Portable.
#pragma once

#include <string>
#include <string_view>

namespace bus::update {

// The window.
inline constexpr std::string_view kUpdateCaption = "升级线路数据库";
inline constexpr std::string_view kCancelButton = "取消";
inline constexpr std::string_view kCloseButton = "关闭";

// Progress.
inline constexpr std::string_view kFetchingManifest = "正在查询有没有新的线路数据……";
inline constexpr std::string_view kFetchingRoutes = "正在下载新的线路数据……";
inline constexpr std::string_view kApplying = "正在更新线路数据库……";

// Outcomes.
inline std::string UpdatedText(long long version, size_t records) {
  return "线路数据库已升级到 " + std::to_string(version) + " 版，共 " + std::to_string(records) + " 条线路记录。";
}
inline std::string UpToDateText(long long version) {
  return "线路数据库已是最新的 " + std::to_string(version) + " 版，不需要升级。";
}
inline constexpr std::string_view kCancelled = "已取消升级。";
// Follows every failure and the cancel.
inline constexpr std::string_view kUnchanged = "线路数据库没有改动。";
// What the window says when the update stopped for reason: the reason, then kUnchanged.
inline std::string Unchanged(std::string_view reason) { return std::string(reason) + std::string(kUnchanged); }

// Failures before anything is fetched.
inline constexpr std::string_view kNoDatabaseName = "config.ini 里没有写明线路数据库（dbName），无法升级。";
inline std::string CannotOpenText(const std::string& file) { return "打不开线路数据库 " + file + "，无法升级。"; }
inline std::string ReadOnlyText(const std::string& file) {
  return "线路数据库 " + file + " 是只读的（或者所在的文件夹不能写入），无法升级。";
}
inline constexpr std::string_view kUnknownCity = "不知道本机的线路数据库是哪个城市的，无法升级。";

// Failures of the fetching.
inline constexpr std::string_view kNoConnection = "连接不上升级服务器，请检查网络连接后再试。";
inline constexpr std::string_view kNoAnswer = "升级服务器没有回应，请稍后再试。";
inline constexpr std::string_view kBadManifest = "升级服务器上没有可用的升级信息。";
inline std::string WrongCityText(const std::string& offered, const std::string& ours) {
  return "服务器上的升级数据是" + offered + "的线路，本机的线路数据库是" + ours + "的，不能用它升级。";
}
inline constexpr std::string_view kIncomplete = "线路数据没有下载完整，请再试一次。";
inline constexpr std::string_view kBadChecksum = "下载的线路数据校验不符，可能已经损坏，请再试一次。";
inline constexpr std::string_view kBadRouteFile = "下载的线路数据无法读取，或者和升级信息不符。";
inline constexpr std::string_view kNoScratchSpace = "无法在临时文件夹里存放下载的数据。";

// Failures of the writing.
inline constexpr std::string_view kDiskFull = "磁盘空间不足，无法更新线路数据库。";
inline constexpr std::string_view kDatabaseBusy = "线路数据库正被别的程序占用，请稍后再试。";
inline std::string WriteFailedText(const std::string& detail) { return "更新线路数据库时出错：" + detail; }

}  // namespace bus::update
