#include "tests/support/SkinWindowsSupport.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "core/BmpFile.h"
#include "framework/ClassRegistry.h"
#include "framework/controls/Application.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinManager.h"
#include "skin/data/LZH.h"
#include "skin/data/SkinWriter.h"

namespace bus::test {

const TClassInfo& TfrmSkinHost::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TfrmSkinHost>("TfrmSkinHost", TForm::StaticClassInfo()).Build();
  return info;
}

void StartSkinTestApplication() {
  static bool started = false;
  if (started) return;
  started = true;
  EnsureApplication().SetTitle("skin tests");
  RegisterSkinClasses();
  RegisterClasses({&TfrmSkinHost::StaticClassInfo()});
}

std::string HostDescription(const std::string& skinProperties) {
  return "object frmSkinHost: TfrmSkinHost\n  Caption = 'skin host'\n  ClientWidth = 320\n  ClientHeight = 200\n"
         "  object SkinData1: TSkinData\n" +
         skinProperties + "\n  end\nend\n";
}

std::vector<std::uint8_t> BmpFile(int w, int h, const std::function<std::uint32_t(int, int)>& colour) {
  BmpImage image(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.SetPixel(x, y, 0xFF000000u | (colour(x, y) & 0xFFFFFF));
  }
  return EncodeBmp(image, 24);
}

void StoreArchive(TMemoryStream& out, const std::string& descriptor, const std::vector<Member>& members,
                  std::int32_t version) {
  TSkinWriter writer;
  writer.AddMember("skin.ini", {reinterpret_cast<const std::uint8_t*>(descriptor.data()), descriptor.size()});
  for (const auto& [name, bytes] : members) writer.AddMember(name, bytes);
  std::vector<std::uint8_t> expanded = writer.Expanded();
  for (int i = 0; i < 4; ++i) expanded[std::size_t(i)] = std::uint8_t(std::uint32_t(version) >> (8 * i));
  const std::vector<std::uint8_t> packed = LzhCompress(expanded);
  out.Clear();
  const std::uint32_t size = std::uint32_t(expanded.size());
  const std::uint8_t head[4] = {std::uint8_t(size), std::uint8_t(size >> 8), std::uint8_t(size >> 16),
                                std::uint8_t(size >> 24)};
  out.WriteBuffer(head, 4);
  out.WriteBuffer(packed.data(), packed.size());
  out.SetPosition(0);
}

void GiveTestSkin(TSkinData& skin, const std::string& extra) {
  StoreArchive(skin.StoredSkin(), "[TitlebarSkin]\r\nSkinName=Flat\r\n[Colours]\r\nButtonFace=10 20 30\r\n" + extra, {});
  ASSERT_TRUE(skin.LoadSkin());
}

bool TWrapperList::RegisterWrapper(TSkinControl* wrapper) {
  if (std::find(list.begin(), list.end(), wrapper) != list.end()) return true;
  list.push_back(wrapper);
  return false;
}

void TWrapperList::UnregisterWrapper(TSkinControl* wrapper) noexcept {
  std::erase(list, wrapper);
  if (hot == wrapper) hot = nullptr;
}

}  // namespace bus::test
