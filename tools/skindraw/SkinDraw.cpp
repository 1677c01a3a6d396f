// skindraw: draws the skins of BusSearch.
//
//   skindraw [--skin NAME] OUTDIR [--preview FILE.bmp]
//   skindraw --menu-glyphs FILE.bmp
//
// Writes every bitmap the descriptor names and the descriptor into OUTDIR (created if missing);
// NAME picks the skin (default: the default skin; night: the dark one). With --preview, also a
// picture of the skin at work. --menu-glyphs writes the one-bit strip of window-button glyphs that
// skinned menu bars show.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/BmpFile.h"
#include "core/Stream.h"
#include "tools/skindraw/DrawnSkin.h"
#include "tools/skindraw/MenuGlyphs.h"
#include "tools/skindraw/SkinPreview.h"

namespace {

void WriteBmp(const std::filesystem::path& path, const bus::tools::PixelCanvas& picture) {
  const std::vector<std::uint8_t> bytes = bus::EncodeBmp(picture.Image(), 24);
  bus::TFileStream file(path, bus::TFileStream::Mode::Create);
  file.WriteBuffer(bytes.data(), bytes.size());
}

int Usage() {
  std::cerr << "usage: skindraw [--skin NAME] OUTDIR [--preview FILE.bmp]\n       skindraw --menu-glyphs FILE.bmp\n"
               "skins:";
  for (const std::string& name : bus::tools::SkinStyleNames()) std::cerr << " " << name;
  std::cerr << "\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "--menu-glyphs") {
    try {
      const std::vector<std::uint8_t> bytes = bus::tools::DrawMenuGlyphs();
      bus::TFileStream file(args[1], bus::TFileStream::Mode::Create);
      file.WriteBuffer(bytes.data(), bytes.size());
      return 0;
    } catch (const std::exception& e) {
      std::cerr << "skindraw: " << e.what() << "\n";
      return 1;
    }
  }
  const bus::tools::SkinStyle* style = &bus::tools::TransitSkinStyle();
  if (args.size() >= 2 && args[0] == "--skin") {
    style = bus::tools::FindSkinStyle(args[1]);
    if (!style) {
      std::cerr << "skindraw: no skin named " << args[1] << "\n";
      return Usage();
    }
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.size() != 1 && !(args.size() == 3 && args[1] == "--preview")) return Usage();
  try {
    const std::filesystem::path dir = args[0];
    std::filesystem::create_directories(dir);
    const bus::tools::DrawnSkin skin = bus::tools::DrawSkin(*style);
    for (const auto& [name, picture] : skin.images) WriteBmp(dir / name, picture);
    bus::TFileStream ini(dir / skin.descriptorName, bus::TFileStream::Mode::Create);
    ini.WriteBuffer(skin.descriptor.data(), skin.descriptor.size());
    if (args.size() == 3) WriteBmp(args[2], bus::tools::DrawSkinPreview(skin));
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "skindraw: " << e.what() << "\n";
    return 1;
  }
}
