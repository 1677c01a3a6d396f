// TSkinData: the non-visual component that carries a skin. It keeps the skin archive in its stored
// form (from the form description's SkinStream, or from a SkinFile), turns the archive's descriptor
// into skin objects and colours (TSkinContent, which it is), and tells the skin manager when the
// skin is to be applied to the program's windows or removed.
//
// A form description stores the archive as `SkinStream = {hex}`: a little-endian 32-bit length N,
// then N bytes (N <= 0: no archive). cmake/SkinStream.cmake renders an archive file that way.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "core/Stream.h"
#include "core/StringList.h"
#include "framework/Component.h"
#include "framework/graphics/Bitmap.h"
#include "skin/data/SkinContent.h"

namespace bus {

class TControl;
class TCustomForm;
class TImageList;
class TSkinReader;

enum class TSkinControlType {
  xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton, xcProgress,
  xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcPanel, xcGroupBox, xcStatusBar, xcTab, xcSystemMenu,
  xcFastReport,
};
using TSkinControlTypes = TSet<TSkinControlType>;

enum class TSkinOption { xoMDIScrollbar, xoMenuMerge, xoNCPaint };
using TSkinOptions = TSet<TSkinOption>;

// sfMainform: the skin of the whole program; sfOnlyThisForm: only the owning form; sfDialog: the
// skin of message boxes and dialogs.
enum class TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog };

// What SkinStore shows, and the fixed Version.
inline constexpr std::string_view kSkinStoreGood = "(Good)";
inline constexpr std::string_view kSkinStoreNone = "(none)";
inline constexpr std::string_view kSkinDataVersion = "3.02.03.09";
// Delay of every command the component asks the manager for, in milliseconds.
inline constexpr unsigned kSkinCommandDelay = 250;
// Commands of the skin manager.
inline constexpr int kSkinApply = 1;
inline constexpr int kSkinRemove = 2;
inline constexpr int kSkinRefresh = 3;

class TSkinData : public TComponent, public TSkinContent {
  BUS_CLASS(TSkinData)
public:
  explicit TSkinData(TComponent* owner);
  ~TSkinData() override;

  // The skin is applied. Setting it (outside the reading of a form description) asks the skin
  // manager to apply or remove the skin; switching on a component without a skin does nothing.
  bool Active() const noexcept { return active_; }
  void SetActive(bool active);
  // A control or popup menu whose Tag modulo 100 equals this is left unskinned.
  int DisableTag() const noexcept { return disableTag_; }
  void SetDisableTag(int tag) noexcept { disableTag_ = tag; }
  TSkinControlTypes SkinControls() const noexcept { return skinControls_; }
  void SetSkinControls(TSkinControlTypes controls) noexcept { skinControls_ = controls; }
  TSkinOptions Options() const noexcept { return options_; }
  void SetOptions(TSkinOptions options) noexcept { options_ = options; }
  // Lines "class name=kind" that skin foreign control classes as one of the known kinds.
  const TStringList& Skin3rd() const noexcept { return skin3rd_; }
  void SetSkin3rd(const TStringList& lines);
  // A skin archive file: setting an existing file's name loads it and, for the main skin, has the
  // skinned forms refresh. A name of a missing file changes nothing but SkinEmpty.
  const std::string& SkinFile() const noexcept { return skinFile_; }
  void SetSkinFile(const std::string& name);
  // "(Good)" at design time when an archive is stored, "(none)" otherwise; read-only.
  std::string SkinStore() const;
  void SetSkinStore(const std::string&) noexcept {}
  TSkinFormType SkinFormtype() const noexcept { return formType_; }
  void SetSkinFormtype(TSkinFormType type) noexcept { formType_ = type; }
  // Fixed; writes are ignored.
  std::string Version() const { return std::string(kSkinDataVersion); }
  void SetVersion(const std::string&) noexcept {}
  bool MenuUpdate() const noexcept { return menuUpdate_; }
  void SetMenuUpdate(bool v) noexcept { menuUpdate_ = v; }
  bool MenuMerge() const noexcept { return menuMerge_; }
  void SetMenuMerge(bool v) noexcept { menuMerge_ = v; }

  // (Sender, form class name, skin it): decides alone whether a form class is skinned.
  TEvent<TObject*, const std::string&, bool&> OnFormSkin;
  // Fired by the skin manager once it has carried out a request of this component.
  TNotifyEvent OnSkinChanged;
  // (Sender, skin data, form, control, control class name, wrapper handed back): lets the program
  // pick the wrapper of a control before the form skinning does.
  TEvent<TObject*, TSkinData*, TCustomForm*, TControl*, const std::string&, TObject*&> OnSkinControl;
  // (Skin data, window, class name): a top-level window has been created. Not published.
  TEvent<TSkinData*, HWND, const std::string&> OnWindowCreated;

  // The stored archive.
  TMemoryStream& StoredSkin() noexcept { return storedSkin_; }
  // True until a descriptor has been read completely, and again from the start of each reading or
  // SkinFile change until that reading succeeds.
  bool SkinEmpty() const noexcept { return skinEmpty_; }

  // Reads StoredSkin into the skin objects and colours. False, after the archive reader's message
  // to the user, when the archive is of another version or unsound; the previous skin then stays.
  // An invalid bitmap member raises the bitmap loader's error (EInvalidGraphic); the previous skin
  // stays and SkinEmpty is true.
  bool LoadSkin();
  // The image rule: `bitmap` becomes the archive member the value names (its file-name part, which
  // must end in ".bmp"), or empty. Reads from the archive of the LoadSkin that is running; empty
  // outside one.
  void LoadImage(TBitmap& bitmap, std::string_view value) const;
  // Whether a form of that class is skinned: OnFormSkin decides when assigned; otherwise every
  // class but "SysMonthCal32" and, with xcFastReport, classes beginning with "Tfr".
  bool CanSkinForm(const std::string& className);

  // The SkinStream property: reads the length and the archive and, when there is one, loads it.
  void ReadSkinStream(TStream& stream);
  // Writes the length of StoredSkin, then its bytes.
  void WriteSkinStream(TStream& stream) const;

  // The window-button images of a menu bar: 16 × 16 restore, maximise, minimise, close.
  TImageList& MenuImages() noexcept { return *menuImages_; }
  // An application icon cached by the form skinning for windows that have none.
  TBitmap& AppIcon() noexcept { return appIcon_; }
  bool FramePaintEnabled() const noexcept { return framePaintEnabled_; }
  void SetFramePaintEnabled(bool v) noexcept { framePaintEnabled_ = v; }

protected:
  void Loaded() override;

private:
  // Registers with the skin manager (making it first) and applies the loading rules.
  void ConnectToManager();
  // Shows a message of the archive reader to the user.
  static void ShowReaderMessage(std::string_view message);

  bool active_ = false;                             // the skin is applied
  int disableTag_ = 99;                             // Tag (mod 100) of unskinned controls
  TSkinControlTypes skinControls_;                  // kinds of control that are skinned
  TSkinOptions options_;                            // xoMDIScrollbar, xoMenuMerge, xoNCPaint
  TStringList skin3rd_;                             // foreign classes and their kind
  std::string skinFile_;                            // archive file to load at run time
  TSkinFormType formType_ = TSkinFormType::sfMainform;  // what the skin is for
  bool menuUpdate_ = true;                          // menu bar follows menu changes
  bool menuMerge_ = false;                          // menu bar built from the window's menu
  mutable TMemoryStream storedSkin_;                // the archive as stored (Size() is not const)
  bool skinEmpty_ = true;                           // no descriptor read completely yet
  const TSkinReader* reader_ = nullptr;             // the archive of the running LoadSkin
  std::unique_ptr<TImageList> menuImages_;          // window-button glyphs for menu bars
  TBitmap appIcon_;                                 // cached application icon
  bool framePaintEnabled_ = true;                   // frames are painted on WM_NCPAINT
};

// The Skin3rd lines a new component starts with.
TStringList DefaultSkin3rd();

// Registers TSkinData with the class registry.
void RegisterSkinDataClasses();

}  // namespace bus
