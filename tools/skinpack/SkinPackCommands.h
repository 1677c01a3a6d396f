// What the skinpack tool does, as functions the tests call directly: pack files into a skin
// archive, list an archive's members, extract them.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "core/Exception.h"

namespace bus::tools {

class SkinPackError : public Exception {
public:
  using Exception::Exception;
};

// Packs the files into a skin archive at `archive`, each under its file name, in the order given.
// One member must be a descriptor (a name containing ".ini", letter case ignored), and members
// named ".bmp" must be BMP files. Image values in the descriptor that name no member are reported
// on `warnings`, one line each. Throws SkinPackError for bad input, naming the file and the fault.
void PackArchive(const std::filesystem::path& archive, const std::vector<std::filesystem::path>& files,
                 std::ostream& warnings);
// The files of `dir` in packing order: the descriptor (the one ".ini" file) first, then the other
// files by name. Throws SkinPackError when the directory is missing or holds no or several
// descriptors.
std::vector<std::filesystem::path> SkinDirectoryFiles(const std::filesystem::path& dir);

// Writes a table of the archive's members (index, size, name) after a line about the archive.
void ListArchive(const std::filesystem::path& archive, std::ostream& out);

// Extracts the named members (all when `names` is empty) into `dir`, created if missing. A member
// whose name could leave the directory or is empty, and a second member of the same name, is
// skipped with a line on `warnings`; a requested name that is not in the archive is an error.
// Returns the number of files written.
int ExtractArchive(const std::filesystem::path& archive, const std::filesystem::path& dir,
                   const std::vector<std::string>& names, std::ostream& warnings);

}  // namespace bus::tools
