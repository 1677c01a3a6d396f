// Form descriptions of the menu bar and MDI tests and of their screenshots: a form with a main menu
// (sub-menus, separators around a hidden item), an MDI frame with a menu, and MDI child forms; and
// the open menu windows.
#pragma once

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace bus::test {

// A form with a main menu: File (Open, Recent with a sub-menu), Edit (separators around a hidden
// item), View.
inline constexpr const char* kMenuForm = R"(
object MenuForm: TForm
  Left = 60
  Top = 60
  ClientWidth = 360
  ClientHeight = 200
  Caption = 'menus'
  Menu = MainMenu1
  object MainMenu1: TMainMenu
    object FileMenu: TMenuItem
      Caption = '&File'
      object FileOpen: TMenuItem
        Caption = '&Open'
      end
      object FileRecent: TMenuItem
        Caption = '&Recent'
        object RecentOne: TMenuItem
          Caption = 'one'
        end
      end
    end
    object EditMenu: TMenuItem
      Caption = '&Edit'
      object Sep0: TMenuItem
        Caption = '-'
      end
      object EditCut: TMenuItem
        Caption = 'Cu&t'
      end
      object Sep1: TMenuItem
        Caption = '-'
      end
      object Sep2: TMenuItem
        Caption = '-'
      end
      object EditHidden: TMenuItem
        Caption = 'Hidden'
        Visible = False
      end
      object EditPaste: TMenuItem
        Caption = '&Paste'
      end
      object Sep3: TMenuItem
        Caption = '-'
      end
    end
    object ViewMenu: TMenuItem
      Caption = '&View'
      object ViewAll: TMenuItem
        Caption = '&All'
      end
    end
  end
end
)";

// An MDI frame form with a Window menu.
inline constexpr const char* kFrame = R"(
object MDIFrame: TForm
  Left = 40
  Top = 40
  ClientWidth = 520
  ClientHeight = 340
  Caption = 'frame'
  FormStyle = fsMDIForm
  Menu = FrameMenu
  Visible = True
  object FrameMenu: TMainMenu
    object WindowMenu: TMenuItem
      Caption = '&Window'
      object WindowCascade: TMenuItem
        Caption = '&Cascade'
      end
    end
  end
end
)";

// An MDI child form at (left, 10) holding an edit.
inline std::string ChildDescription(const char* name, int left) {
  return std::string("object ") + name + ": TForm\n  Left = " + std::to_string(left) +
         "\n  Top = 10\n  ClientWidth = 200\n  ClientHeight = 120\n  Caption = '" + name +
         "'\n  FormStyle = fsMDIChild\n  Visible = True\n  object Edit1: TEdit\n    Left = 10\n    Top = 10\n"
         "    Width = 120\n  end\nend\n";
}

// While it lives, the thread's keyboard state shows the Alt key held (as the menu bar's accelerators
// ask of it); the state before comes back when it goes.
class AltHeld {
public:
  AltHeld() {
    GetKeyboardState(before_);
    BYTE held[256];
    std::copy(std::begin(before_), std::end(before_), std::begin(held));
    held[VK_MENU] = 0x80;
    SetKeyboardState(held);
  }
  ~AltHeld() { SetKeyboardState(before_); }
  AltHeld(const AltHeld&) = delete;
  AltHeld& operator=(const AltHeld&) = delete;

private:
  BYTE before_[256] = {};  // the keyboard state before
};

// The visible menu windows of this thread, the latest first.
inline std::vector<HWND> OpenMenus() {
  std::vector<HWND> menus;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM out) {
        wchar_t cls[16] = {};
        GetClassNameW(h, cls, 16);
        if (std::wstring_view(cls) == L"#32768" && IsWindowVisible(h)) reinterpret_cast<std::vector<HWND>*>(out)->push_back(h);
        return TRUE;
      },
      LPARAM(&menus));
  return menus;
}

}  // namespace bus::test
