// MDI windows under the skin: a frame form and child forms built from descriptions, the children
// made after the frame was adopted, the client without scroll bars, a maximised child's window
// buttons in the frame's menu bar, and the shared maximised state.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/ScopeExit.h"
#include "framework/controls/Application.h"
#include "framework/controls/Menus.h"
#include "skin/form/SkinMenuBar.h"
#include "tests/skin/form/MenuForms.h"
#include "tests/skin/form/SkinFrameSupport.h"
#include "tests/support/WindowPicture.h"

namespace bus {
namespace {

using test::CaptionButton;
using test::ClickCaptionButton;
using test::ImagePixel;
using test::Rgb;
using test::ChildDescription;
using test::kFrame;

// Window-control button actions of a maximised MDI child.
constexpr int kChildRestore = 8;

class MDIWindows : public test::SkinFrameFixture {
protected:
  void TearDown() override {
    for (TForm* child : children_) child->Free();
    SkinFrameFixture::TearDown();
  }
  // The frame, adopted, with two children made afterwards.
  TSkinForm* AdoptFrameWithChildren() {
    form_ = new TForm(Application);
    form_->Build(kFrame);
    TSkinForm* frame = Adopt();
    if (!frame) return nullptr;
    for (const auto& [name, left] : {std::pair{"ChildOne", 10}, std::pair{"ChildTwo", 240}}) {
      auto* child = new TForm(Application);
      children_.push_back(child);
      child->Build(ChildDescription(name, left));
    }
    for (TForm* child : children_) {
      EXPECT_TRUE(test::PumpUntil([&] {
        const TSkinForm* object = manager_->FindSkinForm(child->Handle());
        return object && object->ChildrenSkinned();
      }, test::kSkinWait)) << child->Name();
    }
    test::PumpPending();
    return frame;
  }
  TSkinForm* ObjectOf(TForm* child) const { return manager_->FindSkinForm(child->Handle()); }
  DWORD ClientStyle() const { return DWORD(GetWindowLongPtrW(form_->ClientHandle(), GWL_STYLE)); }

  std::vector<TForm*> children_;  // the child forms, freed before the frame
};

TEST_F(MDIWindows, ChildrenMadeAfterTheFrameWasAdoptedAreAdoptedAndFramedAndTheClientShowsNoScrollBars) {
  TSkinForm* frame = AdoptFrameWithChildren();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Kind(), kKindMDIFrame);
  EXPECT_EQ(frame->MDIClientWindow(), form_->ClientHandle());
  EXPECT_EQ(manager_->MDIClient(), form_->ClientHandle());
  ASSERT_EQ(form_->MDIChildCount(), 2);
  for (TForm* child : children_) {
    TSkinForm* object = ObjectOf(child);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->Kind(), kKindMDIChild);
    EXPECT_EQ(object->MenuBar(), nullptr);
    // the skin's frame: the client area inside its borders, the platform's boxes gone
    RECT window{};
    GetWindowRect(child->Handle(), &window);
    POINT origin{0, 0};
    ClientToScreen(child->Handle(), &origin);
    EXPECT_EQ(origin.x - window.left, object->FrameLeft()) << child->Name();
    EXPECT_EQ(origin.y - window.top, object->FrameTop()) << child->Name();
    EXPECT_EQ(GetWindowLongPtrW(child->Handle(), GWL_STYLE) & (WS_SYSMENU | WS_MAXIMIZEBOX), 0) << child->Name();
    const BmpImage picture = test::WindowImage(child->Handle());
    const TDataSkinBorder& top = *skin_.Top();
    const int row = object->Active() ? 1 : object->FrameTop() + 1;  // the inactive frame lies below
    EXPECT_EQ(Rgb(picture, picture.width / 2, 1), ImagePixel(top.Image(), top.Image().Width() / 2, row)) << child->Name();
  }
  // a child pushed past the client's edge: the client's content is wider and higher than it, and
  // still it shows no scroll bars of its own
  SetWindowPos(children_[1]->Handle(), nullptr, 480, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  test::PumpPending();
  SCROLLINFO range{};
  range.cbSize = sizeof range;
  range.fMask = SIF_RANGE | SIF_PAGE;
  ASSERT_TRUE(GetScrollInfo(form_->ClientHandle(), SB_HORZ, &range));
  EXPECT_GT(range.nMax - range.nMin + 1, int(range.nPage)) << "the platform would scroll";
  EXPECT_EQ(ClientStyle() & (WS_HSCROLL | WS_VSCROLL), 0u);

  // Alt with a letter of the frame's bar, typed in a child, opens the frame's menu
  TSkinForm* opener = nullptr;
  {
    const test::AltHeld alt;
    test::ThreadTimer watch(20, [&] {
      if (test::OpenMenus().empty()) return;
      opener = MenuTracking().trackingForm;
      EndMenu();
    });
    auto* edit = static_cast<TWinControl*>(children_[0]->FindComponent("Edit1"));
    PostMessageW(edit->Handle(), WM_SYSCHAR, 'w', LPARAM(1) << 29);
    EXPECT_TRUE(test::PumpUntil([&] { return opener != nullptr; }, test::kSkinWait));
    test::PumpUntil([] { return test::OpenMenus().empty(); });
  }
  EXPECT_EQ(opener, frame);

  // a frame menu set through the client: the bar shows it, the platform's bar stays away
  HMENU menu = CreateMenu();
  const ScopeExit destroyMenu([menu] { DestroyMenu(menu); });
  AppendMenuW(menu, MF_POPUP, UINT_PTR(CreatePopupMenu()), L"&Alpha");
  AppendMenuW(menu, MF_POPUP, UINT_PTR(CreatePopupMenu()), L"&Beta");
  SendMessageW(form_->ClientHandle(), WM_MDISETMENU, WPARAM(menu), 0);
  test::PumpPending();
  ASSERT_EQ(frame->MenuBar()->Count(), 2);
  EXPECT_EQ(frame->MenuBar()->Items(1)->Caption(), L"&Beta");
  EXPECT_EQ(GetMenu(form_->Handle()), nullptr);

  // skinning switched off: the children have the platform's frames again, the frame its menu
  SwitchOff();
  for (TForm* child : children_)
    EXPECT_EQ(GetWindowLongPtrW(child->Handle(), GWL_STYLE) & (WS_SYSMENU | WS_MAXIMIZEBOX), WS_SYSMENU | WS_MAXIMIZEBOX);
  EXPECT_EQ(GetMenu(form_->Handle()), menu);
  SetMenu(form_->Handle(), nullptr);  // the menu is the test's
  EXPECT_EQ(manager_->MDIClient(), nullptr);
}

TEST_F(MDIWindows, AMaximisedChildsButtonsShowInTheBarAndWorkAndCascadingEndsTheSharedMaximisedState) {
  TSkinForm* frame = AdoptFrameWithChildren();
  ASSERT_NE(frame, nullptr);
  TForm* child = children_[0];
  TSkinForm* object = ObjectOf(child);
  ASSERT_NE(object, nullptr);
  SendMessageW(form_->ClientHandle(), WM_MDIACTIVATE, WPARAM(child->Handle()), 0);
  test::PumpPending();
  const auto maximise = [&] {
    ASSERT_TRUE(ClickCaptionButton(*object, kActionMaximize));
    ASSERT_TRUE(test::PumpUntil([&] { return IsZoomed(child->Handle()) && manager_->MDIMaximized(); }));
    test::PumpPending();
  };
  maximise();
  EXPECT_TRUE(frame->IsActiveChildMaximized());
  // maximised, the child has the platform's frame; its buttons sit at the end of the frame's bar
  EXPECT_NE(GetWindowLongPtrW(child->Handle(), GWL_STYLE) & WS_SYSMENU, 0);
  frame->PaintFrame();
  const TSkinCaptionButton* restore = CaptionButton(*frame, kChildRestore);
  ASSERT_NE(restore, nullptr);
  const RECT r = restore->Rect();
  EXPECT_GE(r.top, frame->FrameTop());
  EXPECT_LE(r.bottom, frame->FrameTop() + frame->MenuHeight());
  const TBitmap& glyphs = restore->SkinButton().Image();
  // how many opaque pixels of a frame of the button's picture the window shows where the button is
  const auto shown = [&](int frame, int& opaque) {
    const BmpImage picture = test::WindowImage(form_->Handle());
    const int w = r.right - r.left;
    int same = 0;
    opaque = 0;
    for (int y = 0; y < r.bottom - r.top; ++y) {
      for (int x = 0; x < w; ++x) {
        const std::uint32_t want = ImagePixel(glyphs, (frame - 1) * w + x, y);
        if (want == 0xFF00FF) continue;
        ++opaque;
        same += Rgb(picture, r.left + x, r.top + y) == want;
      }
    }
    return same;
  };
  int opaque = 0;
  EXPECT_EQ(shown(1, opaque), opaque) << "the restore button's first frame in the bar";
  EXPECT_GT(opaque, 0);
  // under the mouse it shows its hot frame (the fourth)
  const POINT over = test::ScreenPointOf(*frame, *restore);
  test::MoveCursor(over);
  test::PostNcMouse(form_->Handle(), WM_NCMOUSEMOVE, over);
  ASSERT_TRUE(test::PumpUntil([&] { return restore->State() == kNCHot; }));
  EXPECT_EQ(shown(4, opaque), opaque) << "hot";

  // the restore button restores the child, and the children have the skin's frame again
  ASSERT_TRUE(ClickCaptionButton(*frame, kChildRestore));
  ASSERT_TRUE(test::PumpUntil([&] { return !IsZoomed(child->Handle()) && !manager_->MDIMaximized(); }));
  test::PumpPending();
  EXPECT_EQ(GetWindowLongPtrW(child->Handle(), GWL_STYLE) & WS_SYSMENU, 0);
  EXPECT_EQ(CaptionButton(*frame, kChildRestore), nullptr);

  // maximised again, then cascaded: nothing stays maximised
  maximise();
  form_->Cascade();
  ASSERT_TRUE(test::PumpUntil([&] { return !IsZoomed(child->Handle()); }));
  test::PumpPending();
  EXPECT_FALSE(manager_->MDIMaximized());
  EXPECT_EQ(object->WindowState(), kStateNormal);
  EXPECT_EQ(GetWindowLongPtrW(child->Handle(), GWL_STYLE) & WS_SYSMENU, 0) << "the skin's frame again";
  // and so does tiling
  maximise();
  form_->Tile();
  ASSERT_TRUE(test::PumpUntil([&] { return !IsZoomed(child->Handle()); }));
  test::PumpPending();
  EXPECT_FALSE(manager_->MDIMaximized());

  // maximised once more, then every child goes: nothing is maximised, and the skin follows menu
  // changes again (it stops while the client makes children)
  maximise();
  // a child made now: the platform maximises it too, or restores the maximised one; either way the
  // shared state says what is, and the new child's frame follows it
  auto* third = new TForm(Application);
  children_.push_back(third);
  third->Build(ChildDescription("ChildThree", 30));
  ASSERT_TRUE(test::PumpUntil([&] {
    const TSkinForm* made = ObjectOf(third);
    return made && made->ChildrenSkinned();
  }, test::kSkinWait));
  test::PumpPending();
  EXPECT_EQ(manager_->MDIMaximized(), frame->IsActiveChildMaximized());
  EXPECT_EQ((GetWindowLongPtrW(third->Handle(), GWL_STYLE) & WS_SYSMENU) != 0, IsZoomed(third->Handle()) != 0);
  if (!manager_->MDIMaximized()) maximise();
  EXPECT_FALSE(skin_.MenuUpdate());
  for (TForm* gone : children_) gone->Free();
  children_.clear();
  test::PumpPending();
  EXPECT_FALSE(manager_->MDIMaximized());
  EXPECT_TRUE(skin_.MenuUpdate());
  EXPECT_EQ(frame->MenuBar()->Count(), 1);
}

}  // namespace
}  // namespace bus
