// Any bytes as a skin descriptor: loading, every lookup and the value rules never crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "skin/data/QuickIni.h"
#include "skin/data/SkinDescriptorRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  bus::TMemoryStream stream;
  stream.WriteBuffer(data, size);
  stream.SetPosition(0);
  bus::TQuickIni ini;
  ini.LoadFromStream(stream);
  bus::TStringList sections;
  ini.ReadSections(sections);
  for (const std::string& section : sections) {
    for (const char* key : {"Image", "Left", "TopHeight", "color", "Action", "frame", ""}) {
      const std::string value = ini.ReadString(section, key, "");
      (void)ini.ReadInteger(section, key, 0);
      (void)bus::ParseSkinColour(value);
      (void)bus::SkinImageMemberName(value);
    }
  }
  (void)bus::CaptionButtonSections(ini, sections);
  (void)bus::ColourTableSections(sections);
  return 0;
}
