// Helpers shared by the tests of both builds: scratch directories, paths into the source and
// build trees, and small route databases made to measure.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "db/RouteTable.h"

namespace bus::test {

// A fresh directory under the system's temporary directory, removed with everything in it
// (write protection included) when the object goes.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const noexcept { return path_; }
  // Path() / name as UTF-8 text.
  std::string File(const std::string& name) const;

private:
  std::filesystem::path path_;
};

// UTF-8 text of a path, and a path from UTF-8 text.
std::string Utf8(const std::filesystem::path& p);
std::filesystem::path FromUtf8(const std::string& s);

// The source tree's data/routes directory and the build's directory of programs and data files.
std::filesystem::path RoutesSourceDir();
std::filesystem::path BinaryDir();

// Writes a route database at path from (line number, stops) pairs, one record each.
void WriteRoutes(const std::filesystem::path& path,
                 const std::vector<std::pair<std::string, std::vector<std::string>>>& routes);

// The connection string the program would build for the database file at path.
std::string ConnectionStringFor(const std::filesystem::path& path);

// Whole file as bytes.
std::string ReadFile(const std::filesystem::path& path);

}  // namespace bus::test
