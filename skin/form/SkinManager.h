// The skin manager: one per process. It keeps the registered skin data components, decides which
// of them skins a window, and watches windows through a computer-based-training hook on the
// user-interface thread: a top-level window is adopted when it is activated (a TSkinForm takes it
// over), a menu window gets a TSkinPopupMenu when it is created and loses it when it is destroyed.
// It carries out the apply, remove and refresh requests of the skin data components, at once
// before the program's first window activation and through a 250 ms timer after it.
//
// It keeps the form objects it made (a form's object belongs to the form; a bare window's object is
// freed once its window is gone) and owns the menu window objects.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/data/SkinManagerLink.h"

namespace bus {

class TBitmap;
class TCustomForm;
class TSkinData;
class TSkinForm;
class TSkinPopupMenu;
class TTimer;

// Private messages of the skin engine.
inline constexpr UINT kSkinMsgSkinControls = 0x3503;  // posted to an adopted window: skin the controls now
inline constexpr UINT kSkinMsgIsSkinned = 0x3504;     // sent to a window: answers 1 when skinned already
// Command 6: only forget forms whose windows are gone.
inline constexpr int kSkinPurge = 6;
// MenuMode: the kind of menu about to open.
inline constexpr int kMenuModePopup = 0;     // a popup menu
inline constexpr int kMenuModeDropDown = 1;  // a menu bar's drop-down (or any menu a form announces)
inline constexpr int kMenuModeSystem = 2;    // a system menu

class TSkinManage final : public TSkinManagerLink {
public:
  TSkinManage();
  ~TSkinManage() override;
  TSkinManage(const TSkinManage&) = delete;
  TSkinManage& operator=(const TSkinManage&) = delete;

  // --- registration ---
  void RegisterSkinData(TSkinData* skin) override;
  // Also clears MainSkin (the next registered main skin takes its place) and CurrentSkin (a request
  // pending for it is dropped) when they name the component.
  void UnregisterSkinData(TSkinData* skin) override;
  // Registered components, in registration order.
  const std::vector<TSkinData*>& SkinDatas() const noexcept { return skinDatas_; }
  // The first registered component whose SkinFormtype is sfMainform.
  TSkinData* MainSkin() const noexcept { return mainSkin_; }

  // --- the hook ---
  // Records the platform version word and installs the WH_CBT hook for the calling thread, once.
  void InstallHook() override;
  HHOOK HookHandle() const noexcept { return hook_; }
  // GetVersion() as recorded by InstallHook (its top bit marks the Windows 95 family).
  DWORD PlatformVersion() const noexcept { return platformVersion_; }

  // --- commands ---
  // Records the command and sets the timer's interval; with RunCount 0 records only its effect on
  // Active (1 sets it, 2 clears it), otherwise starts the timer.
  void RequestCommand(int command, unsigned delay) override;
  // The timer tick: carries out PendingCommand for CurrentSkin, stops the timer, clears CurrentSkin
  // and fires its OnSkinChanged. Without CurrentSkin nothing happens and the timer goes on.
  void ExecuteCommand();
  int PendingCommand() const noexcept { return pendingCommand_; }
  TTimer& Timer() noexcept { return *timer_; }
  void DropCaptionButtons() override;

  // --- windows ---
  // Adopts a top-level window: true when a TSkinForm took it over (the window is then told to
  // skin its controls with 0x3503).
  bool SkinWindow(HWND window) override;
  // Skins a form's window unless the form is hidden, or its window is a child window while the
  // form is no MDI child.
  void SkinForm(TCustomForm* form);
  // The skin data component that would skin a window, when the window may be skinned at all: not
  // skinned already (no form object of ours, no answer 1 to 0x3504), no MDI child (unless
  // AdoptAll), not of zero area, no form with Tag 99, not the application window or a report
  // preview, accepted by the main skin's CanSkinForm, and a skin that is not empty. Null otherwise.
  TSkinData* AdoptionSkin(HWND window) const;
  // The component for a window: a sfOnlyThisForm component of the window's form (the last
  // registered), else for message boxes and dialogs the last sfDialog component, else the last
  // sfMainform component, else the first registered component; null when none is registered.
  TSkinData* SelectSkinData(HWND window) const;

  // --- form objects ---
  // The adopted windows' objects, in adoption order.
  const std::vector<TSkinForm*>& SkinForms() const noexcept { return skinForms_; }
  TSkinForm* FindSkinForm(HWND window) const noexcept;
  // Forgets a form object (it is being destroyed).
  void RemoveSkinForm(TSkinForm* form) noexcept;
  // Frees the objects whose window is gone, last first.
  void PurgeClosedForms() noexcept;

  // --- menu windows ---
  // Gives a menu window its object when skinning is on, the window is not skinned yet, and the
  // skin has the member the coming menu's kind needs (MenuMode).
  void SkinPopupMenu(HWND window);
  // Detaches and frees the object of a menu window; false when it has none. MenuMode returns to 0
  // with the last one.
  bool ReleasePopupMenu(HWND window) noexcept;
  bool IsPopupMenuSkinned(HWND window) const noexcept;
  // The background of the menu window showing menu, or null.
  TBitmap* FindPopupBackground(HMENU menu) const noexcept;
  // The object of the first menu window showing menu, or null.
  TSkinPopupMenu* FindPopupMenu(HMENU menu) const noexcept;
  void FreePopupMenus() noexcept;
  const std::vector<std::unique_ptr<TSkinPopupMenu>>& PopupMenus() const noexcept { return popupMenus_; }

  // --- state ---
  bool Active() const override { return active_; }
  void SetActive(bool active) override { active_ = active; }
  int RunCount() const override { return runCount_; }
  void SetRunCount(int count) override { runCount_ = count; }
  TSkinData* CurrentSkin() const override { return currentSkin_; }
  void SetCurrentSkin(TSkinData* skin) override { currentSkin_ = skin; }
  // True only while command 1 walks the forms; lets MDI child windows be adopted.
  bool AdoptAll() const noexcept { return adoptAll_; }
  // Kind of menu about to open: 0 popup menu, 1 drop-down of a menu bar, 2 system menu.
  int MenuMode() const noexcept { return menuMode_; }
  void SetMenuMode(int mode) noexcept { menuMode_ = mode; }
  // The active MDI child window is shown maximised (kept by the MDI support).
  bool MDIMaximized() const noexcept { return mdiMaximized_; }
  // Sets the shared maximised state; every MDI child's form object follows a change.
  void SetMDIMaximized(bool maximized);
  // The client window and the form of the skinned MDI frame (null when none, or a bare window).
  HWND MDIClient() const noexcept { return mdiClient_; }
  TCustomForm* MDIForm() const noexcept { return mdiForm_; }
  void SetMDIFrame(HWND client, TCustomForm* form) noexcept {
    mdiClient_ = client;
    mdiForm_ = form;
  }
  // Adopts an MDI child window the frame's client has just made: MDI children are adopted only
  // while every form is being walked, so this is such a walk of one.
  bool SkinMDIChild(HWND window);

private:
  static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
  void WindowCreated(HWND window, const CBT_CREATEWNDW& create);
  // Command 2 for the entries of skin, or all when skin is null (from the last to the first).
  void RemoveSkin(TSkinData* skin);
  // Command 3: the entries of skin take the new skin.
  void RefreshSkin(TSkinData* skin);

  std::unique_ptr<TTimer> timer_;        // runs ExecuteCommand; 250 ms, off at construction
  HHOOK hook_ = nullptr;                 // WH_CBT hook of the installing thread
  DWORD platformVersion_ = 0;            // GetVersion() at InstallHook
  std::vector<TSkinForm*> skinForms_;    // adopted windows' objects, in adoption order
  std::vector<std::unique_ptr<TSkinPopupMenu>> popupMenus_;  // one per skinned menu window
  std::vector<TSkinData*> skinDatas_;    // registered components, not owned
  bool active_ = false;                  // skinning is switched on
  bool adoptAll_ = false;                // command 1 is walking every form
  int runCount_ = 0;                     // 0 until the first window activation; 4 while destroyed
  int menuMode_ = 0;                     // kind of the next menu
  bool mdiMaximized_ = false;            // the active MDI child is maximised
  HWND mdiClient_ = nullptr;             // the client window of the skinned MDI frame
  TCustomForm* mdiForm_ = nullptr;       // the skinned MDI frame's form, or null
  int pendingCommand_ = 0;               // last requested command
  TSkinData* currentSkin_ = nullptr;     // component whose request is pending
  TSkinData* mainSkin_ = nullptr;        // first registered sfMainform component
};

// The process's skin manager; null until the first skin data component has been loaded.
extern TSkinManage* SkinManager;

// Makes SkinManager when there is none and returns it.
TSkinManage& CreateSkinManager();
// Destroys SkinManager (at program end; tests start afresh with it).
void FreeSkinManager() noexcept;

// A window's class name.
std::string WindowClassName(HWND window);

// Registers the skin engine's component classes with the class registry and connects skin data
// components to the skin manager. Call once before the first form description is read.
void RegisterSkinClasses();

}  // namespace bus
