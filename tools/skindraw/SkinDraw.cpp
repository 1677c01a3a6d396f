// skindraw: draws the default skin of BusSearch.
//
//   skindraw OUTDIR [--preview FILE.bmp]
//   skindraw --menu-glyphs FILE.bmp
//
// Writes every bitmap the descriptor names and the descriptor into OUTDIR (created if missing);
// with --preview, also a picture of the skin at work. --menu-glyphs writes the one-bit strip of
// window-button glyphs that skinned menu bars show.
#include <filesystem>
#include <iostream>
#include <string>

#include "core/BmpFile.h"
#include "core/Stream.h"
#include "tools/skindraw/DefaultSkin.h"
#include "tools/skindraw/MenuGlyphs.h"
#include "tools/skindraw/SkinPreview.h"

namespace {

void WriteBmp(const std::filesystem::path& path, const bus::tools::PixelCanvas& picture) {
  const std::vector<std::uint8_t> bytes = bus::EncodeBmp(picture.Image(), 24);
  bus::TFileStream file(path, bus::TFileStream::Mode::Create);
  file.WriteBuffer(bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--menu-glyphs") {
    try {
      const std::vector<std::uint8_t> bytes = bus::tools::DrawMenuGlyphs();
      bus::TFileStream file(argv[2], bus::TFileStream::Mode::Create);
      file.WriteBuffer(bytes.data(), bytes.size());
      return 0;
    } catch (const std::exception& e) {
      std::cerr << "skindraw: " << e.what() << "\n";
      return 1;
    }
  }
  if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--preview")) {
    std::cerr << "usage: skindraw OUTDIR [--preview FILE.bmp]\n       skindraw --menu-glyphs FILE.bmp\n";
    return 2;
  }
  try {
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const bus::tools::DrawnSkin skin = bus::tools::DrawDefaultSkin();
    for (const auto& [name, picture] : skin.images) WriteBmp(dir / name, picture);
    bus::TFileStream ini(dir / skin.descriptorName, bus::TFileStream::Mode::Create);
    ini.WriteBuffer(skin.descriptor.data(), skin.descriptor.size());
    if (argc == 4) WriteBmp(argv[3], bus::tools::DrawSkinPreview(skin));
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "skindraw: " << e.what() << "\n";
    return 1;
  }
}
