// menu_shot: pictures of the skinned menu bar and of MDI windows, for looking at what they show.
//   menu_shot.exe PREFIX
// Skins with the program's default skin (bussearch.skn beside this program) and saves
// PREFIX-menu.bmp (the screen: a form with a menu bar, its File menu open and the sub-menu Recent
// open beside it; PREFIX-menu.bmp.crop says where to look), PREFIX-mdi.bmp (an MDI frame with two
// child forms) and PREFIX-mdi-maximized.bmp (the same with the active child maximised).
// scripts/menu-screenshot.sh runs it under Wine and converts the pictures to PNG.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/WideText.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Menus.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"
#include "skin/form/SkinMenuBar.h"
#include "tests/skin/form/MenuForms.h"
#include "tests/support/SkinWindowsSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowPicture.h"

namespace {

using namespace bus;
using test::OpenMenus;

bool Skinned(HWND window) {
  const TSkinForm* object = SkinManager ? SkinManager->FindSkinForm(window) : nullptr;
  return object && object->ChildrenSkinned();
}

// Saves the whole screen, and beside it (path + ".crop") the part r to look at, as ImageMagick's
// geometry WxH+X+Y.
void SaveScreenArea(const RECT& r, const std::string& path) {
  test::SaveWindowPicture(GetDesktopWindow(), path);
  if (std::FILE* crop = std::fopen((path + ".crop").c_str(), "w")) {
    std::fprintf(crop, "%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    std::fclose(crop);
  }
}

// The form with its File menu and the Recent sub-menu open.
bool ShootMenu(const std::string& path) {
  auto* form = new TForm(Application);
  form->Build(test::kMenuForm);
  form->Show();
  SetForegroundWindow(form->Handle());
  SkinManager->SkinWindow(form->Handle());
  if (!test::PumpUntil([&] { return Skinned(form->Handle()); }, test::kSkinWait)) return false;
  test::PumpPending();
  TSkinForm* object = SkinManager->FindSkinForm(form->Handle());
  auto* open = static_cast<TMenuItem*>(form->FindComponent("FileOpen"));
  auto* recent = static_cast<TMenuItem*>(form->FindComponent("FileRecent"));
  bool saved = false;
  int step = 0, ticks = 0;
  {
    test::ThreadTimer driver(30, [&] {
      const std::vector<HWND> menus = OpenMenus();
      if (++ticks > 200) EndMenu();
      if (menus.empty()) return;
      if (step == 0 && MenuTracking().currentMenuItem == open) {
        PostMessageW(menus.front(), WM_KEYDOWN, VK_DOWN, 0);
        ++step;
      } else if (step == 1 && MenuTracking().currentMenuItem == recent) {
        PostMessageW(menus.front(), WM_KEYDOWN, VK_RIGHT, 0);
        ++step;
      } else if (step >= 2 && menus.size() == 2 && ++step == 6) {
        RECT area{};
        GetWindowRect(form->Handle(), &area);
        for (HWND menu : menus) {
          RECT r{};
          GetWindowRect(menu, &r);
          UnionRect(&area, &area, &r);
        }
        InflateRect(&area, 8, 8);
        area.left = std::max<LONG>(area.left, 0);
        area.top = std::max<LONG>(area.top, 0);
        SaveScreenArea(area, path);
        saved = true;
        EndMenu();
      }
    });
    object->PostMenuClick(*object->MenuBar()->Items(0));
    test::PumpUntil([&] { return saved || ticks > 200; }, 10000);
    test::PumpUntil([] { return OpenMenus().empty(); }, test::kSkinWait);
  }
  form->Free();
  return saved;
}

// The MDI frame with two children, the second one active (PREFIX-mdi.bmp), then maximised
// (PREFIX-mdi-maximized.bmp).
bool ShootMDI(const std::string& prefix) {
  auto* frame = new TForm(Application);
  frame->Build(test::kFrame);
  SetForegroundWindow(frame->Handle());
  SkinManager->SkinWindow(frame->Handle());
  if (!test::PumpUntil([&] { return Skinned(frame->Handle()); }, test::kSkinWait)) return false;
  std::vector<TForm*> children;
  for (const auto& [name, left] : {std::pair{"Timetable", 16}, std::pair{"Stops", 200}}) {
    auto* child = new TForm(Application);
    child->Build(test::ChildDescription(name, left));
    children.push_back(child);
  }
  const bool skinned = test::PumpUntil([&] { return Skinned(children[0]->Handle()) && Skinned(children[1]->Handle()); },
                                       test::kSkinWait);
  test::PumpPending();
  test::SaveWindowPicture(frame->Handle(), prefix + "-mdi.bmp");
  // the active child maximised: its window buttons at the end of the frame's menu bar
  SendMessageW(frame->ClientHandle(), WM_MDIMAXIMIZE, WPARAM(children[1]->Handle()), 0);
  test::PumpUntil([&] { return SkinManager->MDIMaximized(); }, test::kSkinWait);
  test::PumpPending();
  test::SaveWindowPicture(frame->Handle(), prefix + "-mdi-maximized.bmp");
  for (TForm* child : children) child->Free();
  frame->Free();
  return skinned;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: menu_shot PREFIX\n");
    return 2;
  }
  const std::string prefix = Narrow(argv[1]);
  try {
    test::StartSkinTestApplication();
    TSkinManage& manager = CreateSkinManager();
    TSkinData skin(nullptr);
    skin.StoredSkin().LoadFromFile(test::BinaryDir() / "bussearch.skn");
    if (!skin.LoadSkin()) throw std::runtime_error("cannot read bussearch.skn");
    manager.RegisterSkinData(&skin);
    manager.InstallHook();
    manager.SetActive(true);
    manager.SetRunCount(1);
    const bool menu = ShootMenu(prefix + "-menu.bmp");
    const bool mdi = ShootMDI(prefix);
    FreeSkinManager();
    std::printf("menu_shot: %s%s\n", menu ? (prefix + "-menu.bmp ").c_str() : "(no menu picture) ",
                mdi ? (prefix + "-mdi.bmp " + prefix + "-mdi-maximized.bmp").c_str() : "(no MDI pictures)");
    return menu && mdi ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "menu_shot: %s\n", e.what());
    return 1;
  }
}
