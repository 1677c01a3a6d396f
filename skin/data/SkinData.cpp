#include "skin/data/SkinData.h"

#include <filesystem>
#include <system_error>

#include "core/WideText.h"
#include "framework/ClassRegistry.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/ImageList.h"
#include "skin/data/SkinDescriptorRules.h"
#include "skin/data/SkinManagerLink.h"
#include "skin/data/SkinReader.h"

namespace bus {

namespace {

const TIdentList kControlTypeIdents{"xcMainMenu",  "xcPopupMenu",   "xcMenuItem",    "xcToolbar",  "xcControlbar",
                                    "xcCombo",     "xcCheckBox",    "xcRadioButton", "xcProgress", "xcScrollbar",
                                    "xcEdit",      "xcButton",      "xcBitBtn",      "xcSpeedButton", "xcPanel",
                                    "xcGroupBox",  "xcStatusBar",   "xcTab",         "xcSystemMenu", "xcFastReport"};
const TIdentList kOptionIdents{"xoMDIScrollbar", "xoMenuMerge", "xoNCPaint"};
const TIdentList kFormTypeIdents{"sfMainform", "sfOnlyThisForm", "sfDialog"};

// Every kind from xcMainMenu to xcSystemMenu except xcMenuItem.
TSkinControlTypes DefaultSkinControls() {
  TSkinControlTypes set;
  for (int i = int(TSkinControlType::xcMainMenu); i <= int(TSkinControlType::xcSystemMenu); ++i) {
    set.Include(TSkinControlType(i));
  }
  return set.Exclude(TSkinControlType::xcMenuItem);
}

// The bitmap resource with the window-button glyphs of menu bars: 64 × 16, one bit per pixel.
constexpr const char* kMenuGlyphResource = "QORALMENU";

std::int32_t ReadInt32(const std::uint8_t* p) {
  return std::int32_t(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                      std::uint32_t(p[3]) << 24);
}

}  // namespace

const TClassInfo& TSkinData::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSkinData>("TSkinData", TComponent::StaticClassInfo())
          .Creatable()
          .Bool("Active", &TSkinData::Active, &TSkinData::SetActive, false)
          .Int("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag, 99)
          .SetOf("SkinControls", &TSkinData::SkinControls, &TSkinData::SetSkinControls, kControlTypeIdents,
                 DefaultSkinControls())
          .SetOf("Options", &TSkinData::Options, &TSkinData::SetOptions, kOptionIdents, TSkinOptions{})
          .Strings("Skin3rd", &TSkinData::Skin3rd, &TSkinData::SetSkin3rd)
          .Text("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile)
          .Text("SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore)
          .Enum("SkinFormtype", &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype, kFormTypeIdents,
                TSkinFormType::sfMainform)
          .Text("Version", &TSkinData::Version, &TSkinData::SetVersion)
          .Bool("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate, true)
          .Bool("MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge, false)
          .Event("OnFormSkin", &TSkinData::OnFormSkin)
          .Event("OnSkinChanged", &TSkinData::OnSkinChanged)
          .Event("OnSkinControl", &TSkinData::OnSkinControl)
          .Binary("SkinStream", &TSkinData::ReadSkinStream)
          .Build();
  return info;
}

TSkinData::TSkinData(TComponent* owner)
    : TComponent(owner), skinControls_(DefaultSkinControls()), skin3rd_(DefaultSkin3rd()),
      menuImages_(std::make_unique<TImageList>(nullptr)) {
  try {
    menuImages_->LoadFromResourceName(GetModuleHandleW(nullptr), kMenuGlyphResource, clWhite);
  } catch (const Exception&) {
    // a program built without the glyph resource shows no window buttons in skinned menu bars
  }
}

TSkinData::~TSkinData() {
  if (TSkinManagerLink* manager = FindSkinManager()) manager->UnregisterSkinData(this);
}

void TSkinData::SetSkin3rd(const TStringList& lines) { skin3rd_ = lines; }

std::string TSkinData::SkinStore() const {
  const bool designing = ComponentState().Contains(TComponentStateFlag::csDesigning);
  return std::string(designing && storedSkin_.Size() > 0 ? kSkinStoreGood : kSkinStoreNone);
}

void TSkinData::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  if (Loading()) return;
  TSkinManagerLink* manager = FindSkinManager();
  if (!manager) return;  // not connected to a skin manager: only the value changes
  switch (formType_) {
    case TSkinFormType::sfMainform:
      if (active) {
        if (skinEmpty_) return;
        manager->RequestCommand(kSkinApply, kSkinCommandDelay);
        manager->SetRunCount(1);
      } else {
        manager->RequestCommand(kSkinRemove, kSkinCommandDelay);
      }
      manager->SetCurrentSkin(this);
      break;
    case TSkinFormType::sfOnlyThisForm:
      manager->SetCurrentSkin(this);
      if (active && skinEmpty_) return;
      manager->RequestCommand(active ? kSkinApply : kSkinRemove, kSkinCommandDelay);
      break;
    case TSkinFormType::sfDialog:
      break;
  }
}

void TSkinData::SetSkinFile(const std::string& name) {
  skinEmpty_ = true;
  skinFile_ = name;
  if (name.empty()) return;
  const std::filesystem::path path(Widen(name));
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return;
  storedSkin_.LoadFromFile(path);
  // a file named in a form description is applied when the description has been read (Loaded)
  if (!LoadSkin() || Loading() || formType_ != TSkinFormType::sfMainform) return;
  TSkinManagerLink* manager = FindSkinManager();
  if (!manager) {
    ConnectToManager();
    manager = FindSkinManager();
    if (!manager) return;
  }
  manager->SetCurrentSkin(this);
  manager->DropCaptionButtons();
  if (manager->RunCount() == 1) manager->RequestCommand(kSkinRefresh, kSkinCommandDelay);
}

void TSkinData::Loaded() {
  TComponent::Loaded();
  ConnectToManager();
}

void TSkinData::ConnectToManager() {
  TSkinManagerLink* manager = FindSkinManager(true);
  if (!manager) return;  // a program without the skin engine only reads skins
  manager->RegisterSkinData(this);
  if (formType_ == TSkinFormType::sfMainform) {
    manager->InstallHook();
    if (active_) {
      if (skinEmpty_) active_ = false;
      else manager->RequestCommand(kSkinApply, kSkinCommandDelay);
    }
    // the skin's own menu items go with a skinned menu bar; without one, no skinned system menu
    if (skinControls_.Contains(TSkinControlType::xcMainMenu)) skinControls_.Exclude(TSkinControlType::xcMenuItem);
    else skinControls_.Exclude(TSkinControlType::xcSystemMenu);
  } else {
    manager->SetActive(true);
    manager->SetRunCount(manager->RunCount() + 1);
    if (auto* form = dynamic_cast<TCustomForm*>(Owner())) manager->SkinWindow(form->Handle());
  }
}

void TSkinData::ShowReaderMessage(std::string_view message) {
  if (Application) {
    Application->MessageBox(std::string(message), Application->Title(), MB_OK);
  } else {
    MessageBoxW(nullptr, Widen(message).c_str(), L"", MB_OK);
  }
}

bool TSkinData::LoadSkin() {
  skinEmpty_ = true;
  TSkinReader reader(&TSkinData::ShowReaderMessage);
  if (!reader.Load(storedSkin_)) return false;
  TMemoryStream descriptor;
  std::string name;
  reader.ExtractByPart(".ini", descriptor, name);
  descriptor.SetPosition(0);
  TQuickIni ini;
  ini.LoadFromStream(descriptor);

  struct ReaderScope {
    const TSkinReader*& slot;
    ~ReaderScope() { slot = nullptr; }
  } scope{reader_};
  reader_ = &reader;
  TSkinContent fresh = TSkinContent::Read(
      ini, [this](TBitmap& bitmap, std::string_view value) { LoadImage(bitmap, value); },
      GetSystemMetrics(SM_CXHSCROLL) + 2);
  Replace(std::move(fresh));
  skinEmpty_ = false;
  return true;
}

void TSkinData::LoadImage(TBitmap& bitmap, std::string_view value) const {
  const std::string member = SkinImageMemberName(value);
  TMemoryStream bytes;
  if (member.empty() || !reader_ || !reader_->ExtractByName(member, bytes) || bytes.Size() == 0) {
    bitmap.Clear();
    return;
  }
  bitmap.LoadFromStream(bytes);
}

bool TSkinData::CanSkinForm(const std::string& className) {
  bool skin = true;
  if (OnFormSkin) {
    OnFormSkin(this, className, skin);
    return skin;
  }
  if (className == "SysMonthCal32") return false;
  if (skinControls_.Contains(TSkinControlType::xcFastReport) && className.starts_with("Tfr")) return false;
  return skin;
}

void TSkinData::ReadSkinStream(TStream& stream) {
  std::uint8_t head[4];
  stream.ReadBuffer(head, sizeof head);
  const std::int32_t length = ReadInt32(head);
  if (length <= 0) return;
  if (length > stream.Size() - stream.Position()) {
    throw EReadError("the stored skin holds fewer bytes than its length says");
  }
  storedSkin_.Clear();
  storedSkin_.CopyFrom(stream, length);
  storedSkin_.SetPosition(0);
  LoadSkin();
}

void TSkinData::WriteSkinStream(TStream& stream) const {
  const std::int64_t size = storedSkin_.Size();
  const std::uint32_t length = std::uint32_t(size);
  const std::uint8_t head[4] = {std::uint8_t(length), std::uint8_t(length >> 8), std::uint8_t(length >> 16),
                                std::uint8_t(length >> 24)};
  stream.WriteBuffer(head, sizeof head);
  if (size > 0) stream.WriteBuffer(storedSkin_.Memory(), std::size_t(size));
}

TStringList DefaultSkin3rd() {
  // foreign control classes, grouped by the kind they are skinned as
  struct Group {
    const char* kind;
    std::initializer_list<const char*> classes;
  };
  static const Group kGroups[] = {
      {"embedscrollbar", {"TAdvPanelGroup"}},
      {"combobox",
       {"TComboboxex", "TcxDBLookupComboBox", "TcxDBComboBox", "TcxDBDateEdit", "TcxDBImageComboBox", "TcxDBCalcEdit",
        "TcxDBBlobEdit", "TcxDBPopupEdit", "TcxDBFontNameComboBox", "TcxDBShellComboBox", "TRxLookupEdit",
        "TRxDBLookupCombo", "TRzDateTimeEdit", "TRzColorEdit", "TRzDateTimePicker", "TRzDBDateTimeEdit"}},
      {"Combobox",
       {"TRzDbColorEdit", "TRzDBDateTimePicker", "TLMDListCombobox", "TLMDCheckListCombobox", "TLMDHeaderListCombobox",
        "TLMDImageCombobox", "TLMDColorCombobox", "TLMDFontCombobox", "TLMDFontSizeCombobox", "TLMDFontSizeCombobox",
        "TLMDPrinterCombobox", "TLMDDriveCombobox", "TLMDCalculatorComboBox", "TLMDTrackBarComboBox",
        "TLMDCalendarComboBox", "TLMDTreeComboBox", "TWWTempKeyCombo", "TDBLookupCombobox", "TWWDBCombobox",
        "TWWDBCombobox", "TWWDBLookupCombo", "TWWKeyCombo", "TWWDBDateTimePicker"}},
      {"speedbutton", {"TRxSpeedButton"}},
      {"Panel", {"TControlBar", "TTBDock", "TTBToolbar", "TLMDCalculator"}},
      {"panel",
       {"TLMDGROUPBOX", "TLMDSIMPLEPANEL", "TLMDDBCalendar", "TLMDButtonPanel", "TLMDLMDCalculator", "TLMDHeaderPanel",
        "TLMDTechnicalLine", "TLMDLMDClock", "TLMDTrackbar"}},
      {"nil", {"TAdvPageControl"}},
      {"scrollbar", {"TImageEnMView", "TImageEnView", "TAdvMemo", "TDBAdvMemo"}},
      {"button", {"TRzButton"}},
      {"bitbtn", {"TRzBitbtn", "TRzMenuButton", "TcxButton"}},
      {"CheckGroup", {"TRzCheckGroup", "TLMDCheckGroup", "TLMDDBCheckGroup"}},
      {"Radiogroup", {"TRzRadioGroup", "TRzDBRadioGroup", "TLMDRADIOGROUP"}},
      {"radiogroup", {"TLMDDBRADIOGROUP", "TWWRADIOGROUP", "TcxDBRadioGroup", "TcxRadioGroup"}},
      {"Radiobutton", {"TRzRadioButton", "TRzDBRadioButton", "TLMDRadiobutton"}},
      {"Checkbox", {"TRzCheckBox", "TDBCheckboxEh", "TDBCheckboxEh"}},
      {"checkbox", {"TLMDCHECKBOX", "TLMDDBCHECKBOX", "TcxDBCheckBox", "TcxCheckBox"}},
      {"Edit", {"TRzButtonEdit", "TLMDCalculatorEdit"}},
      {"edit",
       {"TLMDEDIT", "TLMDMASKEDIT", "TLMDBROWSEEDIT", "TLMDEXTSPINEDIT", "TLMDCALENDAREDIT", "TLMDFILEOPENEDIT",
        "TLMDFILESAVEEDIT", "TLMDCOLOREDIT", "TLMDDBEDIT", "TLMDDBMASKEDIT", "TLMDDBEXTSPINEDIT", "TLMDDBSPINEDIT",
        "TLMDDBEDITDBLookup", "TLMDEDITDBLookup", "TWWDBEDIT", "TOVCPICTUREFIELD", "TOVCDBPICTUREFIELD",
        "TOVCSLIDEREDIT", "TOVCDBSLIDEREDIT", "TOVCSIMPLEFIELD", "TOVCDBSIMPLEFIELD", "TO32DBFLEXEDIT",
        "TOVCNUMERICFIELD", "TOVCDBNUMERICFIELD"}},
      {"Groupbox", {"TLMDGroupBox"}},
  };
  TStringList lines;
  for (const Group& g : kGroups) {
    for (const char* cls : g.classes) lines.Add(std::string(cls) + "=" + g.kind);
  }
  return lines;
}

void RegisterSkinDataClasses() { RegisterClasses({&TSkinData::StaticClassInfo()}); }

}  // namespace bus
