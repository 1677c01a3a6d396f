#include "framework/graphics/Graphic.h"

namespace bus {

void TGraphic::LoadFromFile(const std::filesystem::path& path) {
  TFileStream file(path, TFileStream::Mode::OpenRead);
  LoadFromStream(file);
}

void TGraphic::SaveToFile(const std::filesystem::path& path) const {
  TFileStream file(path, TFileStream::Mode::Create);
  SaveToStream(file);
}

}  // namespace bus
