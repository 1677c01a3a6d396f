#include "skin/data/SkinContent.h"

#include <algorithm>
#include <utility>
#include <cstring>

#include "core/TextUtil.h"
#include "skin/data/SkinBitmapFilters.h"
#include "skin/data/SkinDescriptorRules.h"

namespace bus {

namespace {

constexpr std::string_view kPersonality = "Personality";

// Section and image key of each optional object, by TSkinPart.
struct PartKeys {
  std::string_view section;
  std::string_view imageKey;
};
constexpr PartKeys kParts[kSkinPartCount] = {
    {"Progress", "Bitmap"},
    {kPersonality, "menuBar"},
    {"GroupBoxEdge", "Image"},
    {"GroupBox", "Image"},
    {"Toolbars", "Image"},
    {"Tabs", "Image"},
    {"StatusBarEdges", "Image"},
    {"ComboButton", "Image"},
    {"SunkEdge", "Image"},
    {"ExtraImages", "Image"},
    {"Headerbar", "Image"},
    {"MenuItem", "Image"},
    {"MenuBackground", "Image"},
    {"Scrollbar", "Image"},
    {"HorzScroll", "Image"},
    {"VertScroll", "Image"},
    {"HorzScrollThumb", "Image"},
    {"VertScrollThumb", "Image"},
    {"Trackbar.ThumbHorz", "Image"},
    {"Trackbar.ThumbVert", "Image"},
    {"Trackbar.ThumbLeft", "Image"},
    {"Trackbar.ThumbRight", "Image"},
    {"Trackbar.ThumbUp", "Image"},
    {"Trackbar.ThumbDown", "Image"},
    {"UpDown.Horz", "Image"},
    {"UpDown.Vert", "Image"},
};

struct ColourEntry {
  std::string_view key;
  TColor platform;  // the default when the skin leaves the key out
};
constexpr ColourEntry kColours[kSkinColourCount] = {
    {"WindowText", clWindowText},       {"TitleTextActive", clCaptionText},
    {"TitleTextNoActive", clInactiveCaptionText}, {"ButtonFace", clBtnFace},
    {"ButtonText", clBtnText},          {"ButtonHilight", clBtnHighlight},
    {"Buttonlight", clBtnHighlight},    {"ButtonShadow", clBtnShadow},
    {"ButtonDkShadow", cl3DDkShadow},   {"HilightText", clHighlightText},
    {"Hilight", clHighlight},           {"Menubar", clNone},  // defaults to the ButtonFace read
    {"MenuBarText", clMenuText},        {"MenuText", clMenuText},
    {"Menu", clMenu},                   {"Scrollbar", clScrollBar},
};

// The colour a descriptor value gives, or `fallback` when the key is absent or empty.
TColor ReadColour(const TQuickIni& ini, std::string_view section, std::string_view key, TColor fallback) {
  const std::string text = ini.ReadString(section, key, "");
  return text.empty() ? fallback : TColor(ParseSkinColour(text));
}

std::string S(std::string_view a, std::string_view b) { return std::string(a) + std::string(b); }

// Reads the keys every generically read object has. `tileAsRead`: Tile keeps values above 1.
void ReadGenericKeys(TDataSkinObject& o, const TQuickIni& ini, std::string_view section, bool withStyle,
                     bool tileAsRead, TColor textColour) {
  if (withStyle) o.SetStyle(ini.ReadInteger(section, "Style", 0));
  o.SetLeftWidth(ini.ReadInteger(section, "LeftWidth", 0));
  o.SetRightWidth(ini.ReadInteger(section, "RightWidth", 0));
  o.SetTopHeight(ini.ReadInteger(section, "TopHeight", 0));
  o.SetBottomHeight(ini.ReadInteger(section, "BottomHeight", 0));
  o.SetTrans(ini.ReadInteger(section, "Trans", 0));
  const int tile = ini.ReadInteger(section, "Tile", 0);
  o.SetTile(tileAsRead ? tile : GenericTile(tile));
  o.SetNormalColour(ini.ReadInteger(section, "NormalColour", -1));
  o.SetMouseOverColour(ini.ReadInteger(section, "MouseOverColour", -1));
  o.SetPressedColour(ini.ReadInteger(section, "PressedColour", -1));
  o.SetNormalColour2(ReadColour(ini, section, "NormalColour2", textColour));
  o.SetMouseOverColour2(ReadColour(ini, section, "MouseOverColour2", textColour));
  o.SetPressedColour2(ReadColour(ini, section, "PressedColour2", textColour));
}

// A copy of `source`'s columns [left, left + width), in its pixel format.
void CopyColumns(const TBitmap& source, int left, int width, TBitmap& target) {
  if (width <= 0 || source.Empty() || left >= source.Width()) {
    target.Clear();
    return;
  }
  width = std::min(width, source.Width() - left);
  target.SetSize(0, 0);
  target.SetPixelFormat(source.PixelFormat());
  target.SetSize(width, source.Height());
  const int bytes = source.PixelFormat() == pf32bit ? 4 : 3;
  for (int y = 0; y < source.Height(); ++y) {
    std::memcpy(target.ScanLine(y), source.ScanLine(y) + std::size_t(left) * bytes, std::size_t(width) * bytes);
  }
}

}  // namespace

TSkinContent::TSkinContent()
    : buttons_(std::make_unique<TDataSkinButton>("Buttons")),
      left_(std::make_unique<TDataSkinBorder>("Left")),
      right_(std::make_unique<TDataSkinBorder>("Right")),
      top_(std::make_unique<TDataSkinBorder>("Top")),
      bottom_(std::make_unique<TDataSkinBorder>("Bottom")),
      title_(std::make_unique<TDataSkinTitle>("Title")) {
  for (int i = 0; i < kSkinColourCount; ++i) colours_[std::size_t(i)] = kColours[i].platform;
  colours_[std::size_t(TSkinColourKey::Menubar)] = clBtnFace;
  customColours_.fill(clWhite);
}

TSkinContent::~TSkinContent() = default;
TSkinContent::TSkinContent(TSkinContent&&) noexcept = default;
TSkinContent& TSkinContent::operator=(TSkinContent&&) noexcept = default;

void TSkinContent::Replace(TSkinContent&& fresh) {
  auto keep = [](auto& mine, auto& theirs) {
    mine->Assign(*theirs);
    std::swap(mine, theirs);  // moved back below
  };
  keep(buttons_, fresh.buttons_);
  keep(left_, fresh.left_);
  keep(right_, fresh.right_);
  keep(top_, fresh.top_);
  keep(bottom_, fresh.bottom_);
  keep(title_, fresh.title_);
  *this = std::move(fresh);
}

TDataSkinBorder* TSkinContent::Border(TSkinPart part) const noexcept {
  return static_cast<TDataSkinBorder*>(Part(part));
}

TDataSkinBoxLabel* TSkinContent::GroupBox() const noexcept {
  return static_cast<TDataSkinBoxLabel*>(Part(TSkinPart::GroupBox));
}

TDataSkinObject* TSkinContent::FindSkinObject(std::string_view name) const noexcept {
  for (TDataSkinObject* o : {static_cast<TDataSkinObject*>(buttons_.get()), static_cast<TDataSkinObject*>(left_.get()),
                             static_cast<TDataSkinObject*>(right_.get()), static_cast<TDataSkinObject*>(top_.get()),
                             static_cast<TDataSkinObject*>(bottom_.get()), static_cast<TDataSkinObject*>(title_.get())}) {
    if (EqualsIgnoringAsciiCase(o->Name(), name)) return o;
  }
  for (const auto& part : parts_) {
    if (part && EqualsIgnoringAsciiCase(part->Name(), name)) return part.get();
  }
  return nullptr;
}

TSkinContent TSkinContent::Read(const TQuickIni& ini, const ImageLoader& loadImage, int comboArrowWidth) {
  TSkinContent skin;
  TStringList sections;
  ini.ReadSections(sections);
  skin.skinName_ = ini.ReadString("TitlebarSkin", "SkinName", "");
  skin.ReadBorders(ini, loadImage);
  skin.ReadColours(ini, sections);
  skin.ReadCaptionButtons(ini, sections, loadImage);
  skin.ReadButtons(ini, loadImage);
  skin.ReadTitle(ini, loadImage);
  skin.ReadParts(ini, loadImage);
  skin.FixFrameCounts(ini);
  skin.BuildComboImages(comboArrowWidth);
  skin.faceBrush_.Reset(CreateSolidBrush(ColorToRGB(skin.ButtonFace())));
  return skin;
}

void TSkinContent::ReadBorders(const TQuickIni& ini, const ImageLoader& loadImage) {
  for (TDataSkinBorder* b : {left_.get(), right_.get(), top_.get(), bottom_.get()}) {
    const std::string& side = b->Name();
    loadImage(b->Image(), ini.ReadString(kPersonality, side, ""));
    const int first = ini.ReadInteger(kPersonality, S(side, "TopHeight"), 0);
    const int last = ini.ReadInteger(kPersonality, S(side, "BotHeight"), 0);
    // the side borders run downwards, the top and bottom ones across
    if (b == left_.get() || b == right_.get()) b->SetMargins({0, first, 0, last});
    else b->SetMargins({first, 0, last, 0});
    b->SetFrame(ini.ReadInteger(kPersonality, S(side, "Frame"), 1));
    b->SetTile(ini.ReadInteger(kPersonality, S(side, "Stretch"), 1));
    b->SetTrans(ini.ReadInteger(kPersonality, S(side, "Trans"), 1));
  }
}

void TSkinContent::ReadColours(const TQuickIni& ini, const TStringList& sections) {
  for (int i = 0; i < kSkinColourCount; ++i) {
    TColor fallback = kColours[i].platform;
    if (TSkinColourKey(i) == TSkinColourKey::Menubar) fallback = ButtonFace();
    colours_[std::size_t(i)] = ReadColour(ini, "Colours", kColours[i].key, fallback);
  }
  colourTable_.clear();
  for (const std::string& section : ColourTableSections(sections)) {
    colourTable_.push_back(ReadColour(ini, section, "color", clWindowText));
  }
  for (int n = 0; n < kSkinCustomColourCount; ++n) {
    customColours_[std::size_t(n)] = ReadColour(ini, "Customcolors", "Color" + std::to_string(n), clWhite);
  }
}

void TSkinContent::ReadCaptionButtons(const TQuickIni& ini, const TStringList& sections, const ImageLoader& loadImage) {
  sysButtons_.clear();
  for (const std::string& section : CaptionButtonSections(ini, sections)) {
    auto b = std::make_unique<TDataSkinSysButton>(AsciiUpper(section));
    b->SetAction(ini.ReadInteger(section, "Action", 0));
    b->SetAlign(ini.ReadInteger(section, "Align", 0));
    b->SetXcoord(ini.ReadInteger(section, "Xcoord", 0));
    b->SetYcoord(ini.ReadInteger(section, "Ycoord", 0));
    b->SetVisibility(ini.ReadInteger(section, "Visibility", 0));
    b->SetVisibility1(ini.ReadInteger(section, "Visibility1", b->Action() == -1 ? -1 : 0));
    b->SetCombineOp(ini.ReadInteger(section, "CombineOp", -1));
    const int frameKey = ini.ReadInteger(section, "frame", 0);
    loadImage(b->Image(), ini.ReadString(section, "ButtonImage", ""));
    const CaptionButtonFrames frames =
        ResolveCaptionButtonFrames(frameKey, b->Action(), b->Image().Width(), b->Image().Height());
    b->SetFrame(frames.frames);
    if (frames.dropImage) b->Image().Clear();
    sysButtons_.push_back(std::move(b));
  }

  // minimise, restore and close of a maximised MDI child, cut from one strip of 12 frames
  TBitmap strip;
  loadImage(strip, ini.ReadString("MDICONTROLS", "Image", ""));
  constexpr int kActions[3] = {7, 8, 9};
  for (int k = 0; k < 3; ++k) {
    auto b = std::make_unique<TDataSkinSysButton>("MDICONTROLS");
    b->SetAction(kActions[k]);
    b->SetAlign(100);
    b->SetVisibility(100);
    b->SetVisibility1(100);
    b->SetFrame(4);
    if (!strip.Empty()) {
      const MdiButtonSlice slice = MdiControlSlice(k, strip.Width());
      CopyColumns(strip, slice.left, slice.width, b->Image());
      b->SetXcoord(slice.xcoord);
    }
    sysButtons_.push_back(std::move(b));
  }
}

void TSkinContent::ReadButtons(const TQuickIni& ini, const ImageLoader& loadImage) {
  constexpr std::string_view kSection = "Buttons";
  TDataSkinButton& b = *buttons_;
  loadImage(b.Image(), ini.ReadString(kSection, "Bitmap", ""));
  b.SetLeftWidth(ini.ReadInteger(kSection, "LeftWidth", 0));
  b.SetRightWidth(ini.ReadInteger(kSection, "RightWidth", 0));
  b.SetTopHeight(ini.ReadInteger(kSection, "TopHeight", 0));
  b.SetBottomHeight(ini.ReadInteger(kSection, "BottomHeight", 0));
  b.SetTrans(ini.ReadInteger(kSection, "Trans", 0));
  b.SetTile(ini.ReadInteger(kSection, "Tile", 0));
  loadImage(b.CheckButton(), ini.ReadString(kSection, "CheckButton", ""));
  loadImage(b.RadioButton(), ini.ReadString(kSection, "RadioButton", ""));
  b.SetNormalColour(ini.ReadInteger(kSection, "NormalColour", -1));
  b.SetMouseOverColour(ini.ReadInteger(kSection, "MouseOverColour", -1));
  b.SetPressedColour(ini.ReadInteger(kSection, "PressedColour", -1));
  b.SetRadioButtonFrame(ini.ReadInteger(kSection, "RadioButtonFrame", 0));
  b.SetCheckButtonFrame(ini.ReadInteger(kSection, "CheckButtonFrame", 0));
  const auto textColour = [&](std::string_view key, bool& given) {
    const std::string text = ini.ReadString(kSection, key, "");
    given = !text.empty();
    return given ? TColor(ParseSkinColour(text)) : ButtonText();
  };
  bool given = false;
  b.SetNormalColour2(textColour("NormalColour2", given));
  b.SetHasNormalColour2(given);
  b.SetMouseOverColour2(textColour("MouseOverColour2", given));
  b.SetHasMouseOverColour2(given);
  b.SetPressedColour2(textColour("PressedColour2", given));
  b.SetHasPressedColour2(given);
}

void TSkinContent::ReadTitle(const TQuickIni& ini, const ImageLoader& loadImage) {
  TDataSkinTitle& t = *title_;
  loadImage(t.Image(), ini.ReadString(kPersonality, "TextBack", ""));
  t.SetMargins({ini.ReadInteger(kPersonality, "TextShift", 0), ini.ReadInteger(kPersonality, "TextShiftVert", 0),
                ini.ReadInteger(kPersonality, "TextRightClip", 0), 0});
  t.SetTextAlignment(ini.ReadInteger(kPersonality, "TextAlignment", 0));
  t.SetTextbackground(ini.ReadInteger(kPersonality, "Textbackground", 0));
  t.SetTXTBackleft(ini.ReadInteger(kPersonality, "TXTBackleft", 0));
  t.SetTXTBackRight(ini.ReadInteger(kPersonality, "TXTBackRight", 0));
  t.SetFontHeight(ini.ReadInteger("Fonts", "FontHeight", 14));
  // a caption colour is given by three keys; one missing or negative leaves it not given
  const auto rgb = [&](std::string_view prefix) {
    const int r = ini.ReadInteger(kPersonality, S(prefix, "R"), -1);
    const int g = ini.ReadInteger(kPersonality, S(prefix, "G"), -1);
    const int b = ini.ReadInteger(kPersonality, S(prefix, "B"), -1);
    if (r < 0 || g < 0 || b < 0) return clNone;
    return RGBColor(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b));
  };
  t.SetActiveText(rgb("ActiveText"));
  t.SetInActiveText(rgb("InActiveText"));
}

void TSkinContent::ReadParts(const TQuickIni& ini, const ImageLoader& loadImage) {
  for (int i = 0; i < kSkinPartCount; ++i) {
    const TSkinPart part = TSkinPart(i);
    const PartKeys& keys = kParts[i];
    std::unique_ptr<TDataSkinObject>& slot = parts_[std::size_t(i)];
    slot.reset();
    const std::string value = ini.ReadString(keys.section, keys.imageKey, "");
    if (value.empty()) continue;
    switch (part) {
      case TSkinPart::Progress: {
        auto o = std::make_unique<TDataSkinBorder>(std::string(keys.section));
        loadImage(o->Image(), value);
        loadImage(o->Image2(), ini.ReadString(keys.section, "Chunk", ""));
        o->SetStyle(ini.ReadInteger(keys.section, "Style", 0));
        o->SetLeftWidth(ini.ReadInteger(keys.section, "LeftWidth", 0));
        o->SetRightWidth(ini.ReadInteger(keys.section, "RightWidth", 0));
        o->SetTopHeight(ini.ReadInteger(keys.section, "TopHeight", 0));
        o->SetBottomHeight(ini.ReadInteger(keys.section, "BottomHeight", 0));
        o->SetTrans(ini.ReadInteger(keys.section, "Trans", 0));
        o->SetTile(ini.ReadInteger(keys.section, "Tile", 0));
        slot = std::move(o);
        break;
      }
      case TSkinPart::MenuBar: {
        auto o = std::make_unique<TDataSkinObject>(std::string(kPersonality));
        loadImage(o->Image(), value);
        o->SetTile(ini.ReadInteger(kPersonality, "TileMenu", 0));
        o->SetLeftWidth(ini.ReadInteger(kPersonality, "TileLeftMenu", 1));
        o->SetRightWidth(ini.ReadInteger(kPersonality, "TileRightMenu", 1));
        slot = std::move(o);
        break;
      }
      case TSkinPart::GroupBox: {
        auto o = std::make_unique<TDataSkinBoxLabel>(std::string(keys.section));
        loadImage(o->Image(), value);
        ReadGenericKeys(*o, ini, keys.section, true, false, ButtonText());
        o->SetBackgroundAlignment(ini.ReadInteger(keys.section, "BackgroundAlignment", 0));
        o->SetBackgroundLeftShift(ini.ReadInteger(keys.section, "BackgroundLeftShift", 0));
        o->SetBackgroundRightShift(ini.ReadInteger(keys.section, "BackgroundRightShift", 0));
        slot = std::move(o);
        break;
      }
      case TSkinPart::Tabs:
      case TSkinPart::ComboButton:
      case TSkinPart::UpDownHorz:
      case TSkinPart::UpDownVert: {
        auto o = std::make_unique<TDataSkinBorder>(std::string(keys.section));
        loadImage(o->Image(), value);
        ReadGenericKeys(*o, ini, keys.section, false, false, ButtonText());
        if (part == TSkinPart::Tabs) {
          loadImage(o->Image2(), ini.ReadString(keys.section, "Border", ""));
        } else if (part == TSkinPart::ComboButton) {
          if (!o->Image().Empty()) {
            // the button for right-to-left combo boxes
            o->Image2().Assign(o->Image());
            o->Image2().SetPixelFormat(pf24bit);
            MirrorHorizontal(o->Image2());
          }
        } else {
          loadImage(o->Image2(), ini.ReadString(keys.section, "GlyphImage", ""));
        }
        slot = std::move(o);
        break;
      }
      default: {
        auto o = std::make_unique<TDataSkinObject>(std::string(keys.section));
        loadImage(o->Image(), value);
        ReadGenericKeys(*o, ini, keys.section, true, false, ButtonText());
        slot = std::move(o);
        break;
      }
    }
  }
}

void TSkinContent::FixFrameCounts(const TQuickIni& ini) {
  buttons_->SetFrame(FixedFrameCount(buttons_->Name()));
  title_->SetFrame(FixedFrameCount(title_->Name()));
  for (const auto& part : parts_) {
    if (!part) continue;
    const int fixed = FixedFrameCount(part->Name());
    if (fixed > 0) part->SetFrame(fixed);
  }
  for (TSkinPart thumb : {TSkinPart::HorzScrollThumb, TSkinPart::VertScrollThumb}) {
    if (TDataSkinObject* o = Part(thumb)) o->SetFrame(ini.ReadInteger(o->Name(), "FrameCount", 3));
  }
  TDataSkinButton& b = *buttons_;
  if (b.RadioButtonFrame() == 0) {
    b.SetRadioButtonFrame(DeriveToggleFrameCount(b.RadioButton().Width(), b.RadioButton().Height()));
  }
  if (b.CheckButtonFrame() == 0) {
    b.SetCheckButtonFrame(DeriveToggleFrameCount(b.CheckButton().Width(), b.CheckButton().Height()));
  }
}

void TSkinContent::BuildComboImages(int arrowWidth) {
  TDataSkinObject* sunk = SunkEdge();
  TDataSkinBorder* combo = ComboButton();
  if (!sunk || !combo) return;
  const BmpImage sunkPixels = sunk->Image().ToImage();
  const BmpImage comboPixels = combo->Image().ToImage();
  BmpImage extraPixels;
  TSkinStrip extra;
  if (TDataSkinObject* e = ExtraImages()) {
    extraPixels = e->Image().ToImage();
    extra = StripOf(*e, extraPixels);
  }
  TSkinStrip comboStrip = StripOf(*combo, comboPixels);
  comboStrip.transparent = true;
  const BmpImage strip = BuildComboStrip(StripOf(*sunk, sunkPixels), comboStrip, ExtraImages() ? &extra : nullptr,
                                         arrowWidth);
  const TSkinMargins sunkMargins = sunk->Margins();
  combo->SetStyle(2);
  combo->SetMargins({2, sunkMargins.top, arrowWidth + 2, sunkMargins.bottom});
  combo->Image().FromImage(strip, pf24bit);
  sunk->Image().FromImage(strip, pf24bit);
  MirrorHorizontal(sunk->Image());
  sunk->SetLeftWidth(arrowWidth + 2);
  sunk->SetRightWidth(2);
}

}  // namespace bus
