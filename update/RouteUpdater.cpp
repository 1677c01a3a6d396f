#include "update/RouteUpdater.h"

#include <system_error>

#include "core/MakerSite.h"
#include "core/Sha256.h"
#include "db/DatabaseError.h"
#include "db/RouteConfig.h"
#include "db/RouteTable.h"
#include "update/UpdateMessages.h"

namespace bus::update {

RouteUpdater::RouteUpdater(const std::string& appDirectory) {
  const std::string dbName = db::ReadDbName(appDirectory);
  if (dbName.empty()) throw UpdateFailure(Unchanged(kNoDatabaseName));
  dbFile_ = appDirectory + dbName;
  try {
    connection_.Open(db::RouteConnectionString(appDirectory, dbName));
  } catch (const db::DatabaseError&) {
    throw UpdateFailure(Unchanged(CannotOpenText(dbFile_)));
  }
  // said before anything is fetched: nothing could be done with it
  if (connection_.ReadOnly()) throw UpdateFailure(Unchanged(ReadOnlyText(dbFile_)));
  const db::RouteDataInfo info = db::ReadRouteDataInfo(connection_);
  city_ = info.city.empty() ? std::string(db::CityOfDatabase(dbName)) : info.city;
  if (city_.empty()) throw UpdateFailure(Unchanged(kUnknownCity));
  version_ = info.version;
  manifestUrl_ = db::ReadUpdateUrl(appDirectory);
  if (manifestUrl_.empty()) manifestUrl_ = RouteUpdateUrl(dbName);
}

TManifestVerdict RouteUpdater::TakeManifest(std::string_view text) {
  try {
    manifest_ = db::ParseUpdateManifest(text);
  } catch (const Exception&) {
    throw UpdateFailure(Unchanged(kBadManifest));
  }
  if (manifest_.city != city_) throw UpdateFailure(Unchanged(WrongCityText(manifest_.city, city_)));
  return manifest_.version > version_ ? TManifestVerdict::mvApply : TManifestVerdict::mvUpToDate;
}

std::string RouteUpdater::RouteFileUrl() const { return db::ResolveUrl(manifestUrl_, manifest_.file); }

void RouteUpdater::CheckRouteFile(const std::filesystem::path& path, const db::UpdateManifest& manifest) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || size != manifest.size) throw UpdateFailure(Unchanged(kIncomplete));
  try {
    if (Sha256::OfFile(path) != manifest.sha256) throw UpdateFailure(Unchanged(kBadChecksum));
  } catch (const UpdateFailure&) {
    throw;
  } catch (const Exception&) {
    throw UpdateFailure(Unchanged(kIncomplete));
  }
}

size_t RouteUpdater::Apply(const std::filesystem::path& path) {
  db::RouteFile file;
  try {
    file = db::ReadRouteFile(path);
  } catch (const db::DatabaseError&) {
    throw UpdateFailure(Unchanged(kBadRouteFile));
  }
  // the file must be what the manifest announced, whatever the manifest's digest says
  if (file.info.city != manifest_.city || file.info.version != manifest_.version)
    throw UpdateFailure(Unchanged(kBadRouteFile));
  try {
    db::ReplaceRoutes(connection_, file.records, file.info);
  } catch (const db::DatabaseError& e) {
    switch (e.Failure()) {
      case db::TDatabaseFailure::dfReadOnly: throw UpdateFailure(Unchanged(ReadOnlyText(dbFile_)));
      case db::TDatabaseFailure::dfDiskFull: throw UpdateFailure(Unchanged(kDiskFull));
      case db::TDatabaseFailure::dfBusy: throw UpdateFailure(Unchanged(kDatabaseBusy));
      case db::TDatabaseFailure::dfOther: throw UpdateFailure(Unchanged(WriteFailedText(e.Message())));
    }
  }
  version_ = file.info.version;
  return file.records.size();
}

}  // namespace bus::update
