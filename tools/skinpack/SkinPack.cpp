// skinpack: makes and inspects skin archives.
//
//   skinpack pack ARCHIVE FILE...         pack the files (one descriptor .ini and its bitmaps)
//   skinpack pack ARCHIVE --dir DIR       pack every file of DIR, the descriptor first
//   skinpack list ARCHIVE                 list the members
//   skinpack extract ARCHIVE DIR [NAME...]  extract all members, or the named ones, into DIR
#include <iostream>
#include <string>
#include <vector>

#include "tools/skinpack/SkinPackCommands.h"

namespace {

int Usage() {
  std::cerr << "usage:\n"
               "  skinpack pack ARCHIVE FILE...\n"
               "  skinpack pack ARCHIVE --dir DIR\n"
               "  skinpack list ARCHIVE\n"
               "  skinpack extract ARCHIVE DIR [NAME...]\n";
  return 2;
}

std::filesystem::path PathArg(const char* text) { return std::filesystem::path(std::u8string(text, text + std::char_traits<char>::length(text))); }

}  // namespace

int main(int argc, char** argv) {
  using namespace bus::tools;
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  const std::filesystem::path archive = PathArg(argv[2]);
  try {
    if (command == "pack") {
      std::vector<std::filesystem::path> files;
      if (argc == 5 && std::string(argv[3]) == "--dir") {
        files = SkinDirectoryFiles(PathArg(argv[4]));
      } else {
        for (int i = 3; i < argc; ++i) files.push_back(PathArg(argv[i]));
      }
      if (files.empty()) return Usage();
      PackArchive(archive, files, std::cerr);
      return 0;
    }
    if (command == "list" && argc == 3) {
      ListArchive(archive, std::cout);
      return 0;
    }
    if (command == "extract" && argc >= 4) {
      std::vector<std::string> names(argv + 4, argv + argc);
      const int count = ExtractArchive(archive, PathArg(argv[3]), names, std::cerr);
      std::cout << count << " member(s) extracted\n";
      return 0;
    }
    return Usage();
  } catch (const bus::Exception& e) {
    std::cerr << "skinpack: " << e.Message() << "\n";
    return 1;
  }
}
