// The steps of a route database update that need no window, in the order the updater takes them:
// open the route database config.ini names and learn its city, data version and update address;
// judge the fetched manifest; check the fetched route file against it; put its routes into the
// database. The fetching itself (and the window) is TfrmUpdate's.
//
// Every failure is an UpdateFailure whose message says why in the user's words, and none of them
// leaves the database changed: the only change is ReplaceRoutes' one transaction. Portable.
#pragma once

#include <filesystem>
#include <string>

#include "core/Exception.h"
#include "db/Connection.h"
#include "db/UpdateManifest.h"

namespace bus::update {

// A failure of the update, its message meant for the user as it stands.
class UpdateFailure : public Exception {
public:
  using Exception::Exception;
};

enum class TManifestVerdict {
  mvApply,     // newer data for our city: fetch it
  mvUpToDate,  // the database already holds this version or a newer one
};

class RouteUpdater {
public:
  // Opens the route database that config.ini in appDirectory (ending in a separator) names.
  // Throws UpdateFailure when there is none, it cannot be opened or written, or its city is unknown.
  explicit RouteUpdater(const std::string& appDirectory);

  // Where the manifest is: config.ini's updateUrl, else the maker's address for the database.
  const std::string& ManifestUrl() const noexcept { return manifestUrl_; }
  // The database's city and data version.
  const std::string& City() const noexcept { return city_; }
  long long Version() const noexcept { return version_; }

  // Judges the manifest's text. Throws UpdateFailure for one that cannot be read or is for
  // another city.
  TManifestVerdict TakeManifest(std::string_view text);
  // The manifest taken.
  const db::UpdateManifest& Manifest() const noexcept { return manifest_; }
  // The route file's address.
  std::string RouteFileUrl() const;

  // Throws UpdateFailure when the file at path is not the one manifest announces: its length
  // first (a transfer cut short), then its digest. Safe on any thread.
  static void CheckRouteFile(const std::filesystem::path& path, const db::UpdateManifest& manifest);

  // Puts the routes of the checked route file at path into the database, with the manifest's
  // version, in one transaction; returns how many records it now holds. Throws UpdateFailure;
  // the database is then as it was.
  size_t Apply(const std::filesystem::path& path);

private:
  std::string dbFile_;                // the database's full path
  db::Connection connection_;         // open on it throughout
  std::string city_;                  // whose routes it holds
  long long version_ = 0;             // its data version
  std::string manifestUrl_;           // where updates are announced
  db::UpdateManifest manifest_;       // the one taken
};

}  // namespace bus::update
