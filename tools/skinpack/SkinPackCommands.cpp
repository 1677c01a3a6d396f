#include "tools/skinpack/SkinPackCommands.h"

#include <algorithm>
#include <iomanip>
#include <set>

#include "core/Stream.h"
#include "core/TextUtil.h"
#include "skin/data/QuickIni.h"
#include "skin/data/SkinDescriptorRules.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinWriter.h"

namespace bus::tools {

namespace {

std::string Shown(const std::filesystem::path& p) {
  const std::u8string s = p.u8string();
  return std::string(s.begin(), s.end());
}

bool IsDescriptorName(const std::string& name) { return AsciiLower(name).find(".ini") != std::string::npos; }

TMemoryStream ReadWhole(const std::filesystem::path& path) {
  TMemoryStream bytes;
  try {
    bytes.LoadFromFile(path);
  } catch (const EStreamError&) {
    throw SkinPackError("cannot read " + Shown(path));
  }
  return bytes;
}

void LoadArchive(const std::filesystem::path& archive, TSkinReader& reader) {
  TMemoryStream stored = ReadWhole(archive);
  if (!reader.Load(stored)) throw SkinPackError(Shown(archive) + " is not a usable skin archive: " + reader.RejectReason());
}

}  // namespace

void PackArchive(const std::filesystem::path& archive, const std::vector<std::filesystem::path>& files,
                 std::ostream& warnings) {
  if (files.empty()) throw SkinPackError("nothing to pack");
  TSkinWriter writer;
  std::set<std::string> members;  // lower-case names
  TMemoryStream* descriptor = nullptr;
  std::vector<TMemoryStream> contents;
  contents.reserve(files.size());
  for (const auto& file : files) {
    const std::string name = Shown(file.filename());
    contents.push_back(ReadWhole(file));
    TMemoryStream& bytes = contents.back();
    if (AsciiLower(name).ends_with(".bmp") && (bytes.Size() < 2 || bytes.Memory()[0] != 'B' || bytes.Memory()[1] != 'M')) {
      throw SkinPackError(Shown(file) + " is named .bmp but is not a BMP file");
    }
    try {
      writer.AddMember(name, {bytes.Memory(), std::size_t(bytes.Size())});
    } catch (const ESkinArchiveError& e) {
      throw SkinPackError(Shown(file) + ": " + e.Message());
    }
    members.insert(AsciiLower(name));
    if (!descriptor && IsDescriptorName(name)) descriptor = &bytes;
  }
  if (!descriptor) throw SkinPackError("no descriptor among the files (a member whose name contains \".ini\")");

  // image values that name no member give empty images when the skin is read: worth a word
  TQuickIni ini;
  ini.LoadFromText({reinterpret_cast<const char*>(descriptor->Memory()), std::size_t(descriptor->Size())});
  std::string section;
  for (const std::string& line : ini.Lines()) {
    if (line.front() == '[' && line.back() == ']') {
      section = line;
      continue;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string member = SkinImageMemberName(TrimControl(std::string_view(line).substr(eq + 1)));
    if (!member.empty() && !members.contains(AsciiLower(member))) {
      warnings << "warning: " << section << " " << TrimControl(std::string_view(line).substr(0, eq)) << " names "
               << member << ", which is not among the files\n";
    }
  }

  TMemoryStream stored;
  writer.Save(stored);
  try {
    stored.SaveToFile(archive);
  } catch (const EStreamError&) {
    throw SkinPackError("cannot write " + Shown(archive));
  }
}

std::vector<std::filesystem::path> SkinDirectoryFiles(const std::filesystem::path& dir) {
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) throw SkinPackError(Shown(dir) + " is not a directory");
  std::vector<std::filesystem::path> descriptors;
  std::vector<std::filesystem::path> others;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    (IsDescriptorName(Shown(entry.path().filename())) ? descriptors : others).push_back(entry.path());
  }
  if (descriptors.size() != 1) {
    throw SkinPackError(Shown(dir) + " holds " + std::to_string(descriptors.size()) +
                        " descriptors (files whose name contains \".ini\"); a skin has exactly one");
  }
  std::sort(others.begin(), others.end());
  others.insert(others.begin(), descriptors.front());
  return others;
}

void ListArchive(const std::filesystem::path& archive, std::ostream& out) {
  TSkinReader reader;
  LoadArchive(archive, reader);
  std::uint64_t total = 0;
  for (int i = 0; i < reader.Count(); ++i) total += std::uint64_t(reader.MemberSize(i));
  out << Shown(archive.filename()) << ": " << std::filesystem::file_size(archive) << " bytes stored, "
      << reader.ExpandedSize() << " expanded, " << reader.Count() << " members (" << total << " bytes)\n";
  out << std::setw(5) << "#" << std::setw(10) << "size" << "  name\n";
  for (int i = 0; i < reader.Count(); ++i) {
    out << std::setw(5) << i << std::setw(10) << reader.MemberSize(i) << "  " << reader.Names()[i] << "\n";
  }
}

int ExtractArchive(const std::filesystem::path& archive, const std::filesystem::path& dir,
                   const std::vector<std::string>& names, std::ostream& warnings) {
  TSkinReader reader;
  LoadArchive(archive, reader);
  for (const std::string& wanted : names) {
    const std::string lower = AsciiLower(wanted);
    if (std::find(reader.Names().begin(), reader.Names().end(), lower) == reader.Names().end()) {
      throw SkinPackError(Shown(archive) + " has no member " + wanted);
    }
  }
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (!std::filesystem::is_directory(dir, ec)) throw SkinPackError("cannot create " + Shown(dir));

  std::set<std::string> written;
  int count = 0;
  for (int i = 0; i < reader.Count(); ++i) {
    const std::string& name = reader.Names()[i];
    if (!names.empty() && std::none_of(names.begin(), names.end(), [&](const std::string& n) { return AsciiLower(n) == name; })) {
      continue;
    }
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\:") != std::string::npos ||
        name.find('\0') != std::string::npos) {
      warnings << "warning: member " << i << " (\"" << name << "\") is not a plain file name; skipped\n";
      continue;
    }
    if (!written.insert(name).second) {
      warnings << "warning: member " << i << " repeats the name " << name << "; only the first is extracted\n";
      continue;
    }
    TMemoryStream bytes;
    reader.ExtractByIndex(i, bytes);
    const std::filesystem::path target = dir / std::filesystem::path(std::u8string(name.begin(), name.end()));
    try {
      bytes.SaveToFile(target);
    } catch (const EStreamError&) {
      throw SkinPackError("cannot write " + Shown(target));
    }
    ++count;
  }
  return count;
}

}  // namespace bus::tools
