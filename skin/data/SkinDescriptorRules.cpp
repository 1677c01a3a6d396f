#include "skin/data/SkinDescriptorRules.h"

#include <array>

#include "core/TextUtil.h"

namespace bus {

namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

}  // namespace

std::uint32_t ParseSkinColour(std::string_view text) {
  text = TrimControl(text);
  std::array<std::uint32_t, 3> numbers{};
  int count = 0;
  std::uint32_t run = 0;  // the current run of digits, modulo 256
  bool inRun = false;
  for (const char ch : text) {
    if (IsDigit(ch)) {
      run = (run * 10 + std::uint32_t(ch - '0')) & 0xFF;
      inRun = true;
    } else if (inRun) {
      if (count < 3) numbers[std::size_t(count)] = run;
      ++count;
      run = 0;
      inRun = false;
    }
  }
  if (count == 2) numbers[2] = run;
  return numbers[0] | numbers[1] << 8 | numbers[2] << 16;
}

std::string SkinImageMemberName(std::string_view value) {
  const std::size_t sep = value.find_last_of("\\/:");
  const std::string_view name = sep == std::string_view::npos ? value : value.substr(sep + 1);
  const std::size_t dot = name.rfind('.');
  if (name.empty() || dot == std::string_view::npos || name.substr(dot) != ".bmp") return "";
  return std::string(name);
}

bool IsCaptionButtonName(std::string_view section) {
  const std::string upper = AsciiUpper(section);
  return upper.starts_with("BUTTON") && upper != "BUTTON" && upper != "BUTTONS" && upper != "BUTTON.RADIO" &&
         upper != "BUTTON.CHECKBOX";
}

std::vector<std::string> CaptionButtonSections(const TQuickIni& ini, const TStringList& sections) {
  std::vector<std::string> out;
  for (const std::string& name : sections) {
    if (!IsCaptionButtonName(name)) continue;
    if (ini.ReadInteger(name, "Action", 0) == -1 && ini.ReadInteger(name, "Visibility", -1) != 0) continue;
    out.push_back(name);
  }
  return out;
}

std::vector<std::string> ColourTableSections(const TStringList& sections) {
  std::vector<std::string> out;
  for (const std::string& name : sections) {
    const std::string upper = AsciiUpper(name);
    if (upper.starts_with("COLOUR") && upper != "COLOURS") out.push_back(name);
  }
  return out;
}

CaptionButtonFrames ResolveCaptionButtonFrames(int frameKey, int action, int imageWidth, int imageHeight) {
  if (frameKey != 0) return {frameKey, false};
  int frames = 6;
  if (imageWidth > 0 && imageHeight > 0) {
    frames = double(imageWidth) / double(imageHeight) <= 3.8 ? 3 : 6;
    if (action < 0) frames = 6;
  }
  return {frames, action == 3 || action == 11};
}

int DeriveToggleFrameCount(int imageWidth, int imageHeight) {
  const int frames = imageWidth / (imageHeight < 16 ? 13 : 16);
  return frames < 4 ? 4 : frames;
}

int FixedFrameCount(std::string_view objectName) {
  struct Fixed {
    std::string_view name;
    int frames;
  };
  static constexpr Fixed kFixed[] = {
      {"Buttons", 5},        {"Title", 2},           {"Progress", 2},           {"Personality", 2},
      {"GroupBoxEdge", 2},   {"Toolbars", 5},        {"Tabs", 5},               {"StatusBarEdges", 3},
      {"GroupBox", 1},       {"ComboButton", 4},     {"SunkEdge", 4},           {"ExtraImages", 5},
      {"Headerbar", 5},      {"MenuItem", 5},        {"MenuBackground", 1},     {"Scrollbar", 23},
      {"HorzScroll", 4},     {"VertScroll", 4},      {"UpDown.Horz", 8},        {"UpDown.Vert", 8},
      {"Trackbar.ThumbHorz", 5}, {"Trackbar.ThumbVert", 5}, {"Trackbar.ThumbLeft", 5},
      {"Trackbar.ThumbRight", 5}, {"Trackbar.ThumbUp", 5},  {"Trackbar.ThumbDown", 5},
  };
  for (const Fixed& f : kFixed) {
    if (EqualsIgnoringAsciiCase(f.name, objectName)) return f.frames;
  }
  return 0;
}

MdiButtonSlice MdiControlSlice(int k, int imageWidth) {
  const int a = imageWidth / 12;
  return {4 * a * k, 4 * a, (a + 4) * (3 - k)};
}

}  // namespace bus
