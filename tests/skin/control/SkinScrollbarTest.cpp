// The scroll bar wrappers under Wine: overlays laid over a memo's, a stand-alone scroll bar's and
// the grid's real scroll bars. What they cover (the platform's own reading of each bar), what they
// paint (pixel probes against a skin whose every frame is one solid colour), and that the bar under
// them still scrolls as the platform's own: presses handed on to the platform's scroll loop, driven
// from a timer inside it (thumb drags, page and arrow clicks, arrow repeat), the wheel and the
// keyboard; the messages the control sees during a drag compared with the same drag unskinned; and
// that the overlays follow the control (hidden bars, hidden or disabled controls, the wrapper
// switched off, siblings created later lying over them).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "framework/ClassRegistry.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/ListView.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Panel.h"
#include "framework/controls/ScrollBar.h"
#include "framework/controls/WindowSubclass.h"
#include "framework/graphics/GdiHandles.h"
#include "grid/DBGrid.h"
#include "skin/control/SkinHeader.h"
#include "skin/control/SkinListView.h"
#include "skin/control/SkinScControl.h"
#include "skin/control/SkinScrollbar.h"
#include "skin/control/SkinScrollbarH.h"
#include "skin/control/WScrollbar.h"
#include "skin/data/SkinData.h"
#include "tests/grid/GridTestForm.h"
#include "tests/support/MessageSequence.h"
#include "tests/support/SkinWindowsSupport.h"
#include "tests/support/TestSupport.h"

namespace bus {
namespace {

// --- a skin whose frames are solid colours --------------------------------------------------------

constexpr int kFrameSize = 16;  // every frame of the test skin is 16 × 16

COLORREF ArrowColour(int frame) { return RGB(0x10 + 8 * frame, 0x90, 0x30); }   // Scrollbar, 23 frames
COLORREF TrackColour(int frame) { return RGB(0x90, 0x10 + 0x20 * frame, 0xB0); }  // HorzScroll, VertScroll, 4
COLORREF ThumbColour(int frame) { return RGB(0xD0, 0x50, 0x10 + 0x30 * frame); }  // the thumbs, 3
constexpr COLORREF kFace = test::kTestFace;

std::uint32_t Rgb(COLORREF c) { return (std::uint32_t(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// A strip of frames frames, frame k (from 1) all colour(k).
std::vector<std::uint8_t> Strip(int frames, COLORREF (*colour)(int)) {
  return test::BmpFile(frames * kFrameSize, kFrameSize, [&](int x, int) { return Rgb(colour(x / kFrameSize + 1)); });
}

void GiveScrollSkin(TSkinData& skin) {
  test::StoreArchive(skin.StoredSkin(),
                     "[TitlebarSkin]\r\nSkinName=Bars\r\n[Colours]\r\nButtonFace=10 20 30\r\n"
                     "[Scrollbar]\r\nImage=scrollbar.bmp\r\n"
                     "[HorzScroll]\r\nImage=horzscroll.bmp\r\n[VertScroll]\r\nImage=vertscroll.bmp\r\n"
                     "[HorzScrollThumb]\r\nImage=horzthumb.bmp\r\nFrameCount=3\r\n"
                     "[VertScrollThumb]\r\nImage=vertthumb.bmp\r\nFrameCount=3\r\n",
                     {{"scrollbar.bmp", Strip(23, ArrowColour)},
                      {"horzscroll.bmp", Strip(4, TrackColour)},
                      {"vertscroll.bmp", Strip(4, TrackColour)},
                      {"horzthumb.bmp", Strip(3, ThumbColour)},
                      {"vertthumb.bmp", Strip(3, ThumbColour)}});
  ASSERT_TRUE(skin.LoadSkin());
}

// --- reading what is there ------------------------------------------------------------------------

SCROLLBARINFO BarInfo(HWND window, LONG object) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  EXPECT_TRUE(GetScrollBarInfo(window, object, &info));
  return info;
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

RECT ScreenRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

bool Visible(const TWScrollbar* bar) { return bar && bar->HandleAllocated() && IsWindowVisible(bar->HandleIfAllocated()); }

// The colour at a point of the overlay (along its axis, across it), read from the overlay's own
// device context: what the overlay painted, also inside the platform's scroll loop, before the
// platform has brought it to the screen.
COLORREF OnBar(TWScrollbar& bar, int along, int across) {
  const WindowDC dc(bar.Handle());
  return bar.Orientation() == 1 ? GetPixel(dc.Get(), across, along) : GetPixel(dc.Get(), along, across);
}

// Whether a colour shows anywhere along the overlay's middle line.
bool ShowsAlong(TWScrollbar& bar, COLORREF colour) {
  for (int along = 0; along < bar.Length(); ++along)
    if (OnBar(bar, along, kFrameSize / 2) == colour) return true;
  return false;
}

// --- pressing an overlay --------------------------------------------------------------------------

// Presses the left button on bar at p (its client coordinates) and, every few milliseconds inside
// the platform's scroll loop the press starts, calls step with the tick number; step answers true
// once it has released the button. A script that never releases gets the button released for it
// after kMaxTicks (the test then fails on what it checks). Returns the ticks run.
constexpr int kMaxTicks = 300;
int PressWithScript(TWScrollbar& bar, POINT p, const std::function<bool(int)>& step) {
  int ticks = 0;
  bool released = false;
  const HWND target = bar.Target();
  test::ThreadTimer timer(10, [&] {
    if (released) return;
    released = step(++ticks);
    if (!released && ticks >= kMaxTicks) {
      PostMessageW(target, WM_LBUTTONUP, 0, 0);
      released = true;
    }
  });
  SendMessageW(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  test::PumpPending();
  return ticks;
}

// The release of a press on target's bar, posted where the scroll loop reads it.
void PostRelease(HWND target, POINT screen) {
  ScreenToClient(target, &screen);
  PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(screen.x, screen.y));
}

// A mouse move to screen point, as the scroll loop sees one: the cursor there, and the move posted.
void MoveTo(HWND target, POINT screen) {
  SetCursorPos(screen.x, screen.y);
  ScreenToClient(target, &screen);
  PostMessageW(target, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(screen.x, screen.y));
}

// --- a form with a memo ---------------------------------------------------------------------------

class SkinScrollbarTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { test::StartSkinTestApplication(); }
  void SetUp() override {
    GiveScrollSkin(skin_);
    form_ = new TForm(Application);
    form_->SetBounds(40, 40, 420, 320);
    memo_ = new TMemo(form_);
    memo_->SetParent(form_);
    memo_->SetBounds(10, 10, 220, 200);
    memo_->SetScrollBars(TScrollStyle::ssVertical);
    SetLines(200);
    form_->Show();
    test::PumpPending();
  }
  void TearDown() override {
    form_->Free();
    test::PumpPending();
  }

  void SetLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "第" + std::to_string(i) + "行\r\n";
    memo_->SetText(text);
  }
  TSkinScrollbar* Skin(TWinControl& control) {
    auto* wrapper = new TSkinScrollbar(&control);
    wrapper->AttachScrolling(control, &skin_, &host_, &canvas_);
    test::PumpPending();
    return wrapper;
  }
  HWND MemoHandle() { return memo_->Handle(); }
  int MemoPos() { return GetScrollPos(MemoHandle(), SB_VERT); }
  // A screen point on the platform's vertical bar of the memo, `along` pixels from its top.
  POINT OnMemoBar(int along) {
    const SCROLLBARINFO info = BarInfo(MemoHandle(), OBJID_VSCROLL);
    return {(info.rcScrollBar.left + info.rcScrollBar.right) / 2, info.rcScrollBar.top + along};
  }

  TSkinData skin_{nullptr};
  test::TWrapperList host_;
  TCanvas canvas_;
  TForm* form_ = nullptr;
  TMemo* memo_ = nullptr;
};

TEST_F(SkinScrollbarTest, OverlaysCoverTheMemosBarsAsThePlatformReadsThemAndPaintFromTheSkin) {
  TSkinScrollbar* wrapper = Skin(*memo_);
  TWScrollbar* vert = wrapper->VertBar();
  TWScrollbar* horz = wrapper->HorzBar();
  ASSERT_TRUE(vert && horz);
  EXPECT_EQ(vert->Owner(), wrapper);
  EXPECT_EQ(vert->Target(), MemoHandle());
  EXPECT_EQ(GetParent(vert->Handle()), form_->Handle()) << "a child of the memo's parent";

  // the vertical bar exactly, the memo has no horizontal one
  const SCROLLBARINFO info = BarInfo(MemoHandle(), OBJID_VSCROLL);
  EXPECT_TRUE(SameRect(info.rcScrollBar, ScreenRectOf(vert->Handle())));
  EXPECT_TRUE(Visible(vert) && vert->Shown());
  EXPECT_FALSE(Visible(horz) || horz->Shown());
  EXPECT_EQ(GetWindow(vert->Handle(), GW_HWNDNEXT), MemoHandle()) << "directly above the memo";

  // up arrow frame 9, down arrow 13, the track's enabled frame, the thumb's normal frame where the
  // platform has it; the bar is as thick as the skin's strip, the rest face
  const int length = vert->Length(), a = vert->ArrowSize();
  EXPECT_EQ(length, info.rcScrollBar.bottom - info.rcScrollBar.top);
  EXPECT_EQ(OnBar(*vert, 2, 8), ArrowColour(9));
  EXPECT_EQ(OnBar(*vert, a - 1, 8), ArrowColour(9));
  EXPECT_EQ(OnBar(*vert, length - a, 8), ArrowColour(13));
  EXPECT_EQ(OnBar(*vert, length - 1, 8), ArrowColour(13));
  EXPECT_EQ(vert->ThumbStart(), info.xyThumbTop);
  EXPECT_EQ(vert->ThumbEnd(), info.xyThumbBottom);
  EXPECT_EQ(OnBar(*vert, (info.xyThumbTop + info.xyThumbBottom) / 2, 8), ThumbColour(1));
  EXPECT_EQ(OnBar(*vert, info.xyThumbBottom + 5, 8), TrackColour(1));
  if (info.rcScrollBar.right - info.rcScrollBar.left > kFrameSize) {
    EXPECT_EQ(OnBar(*vert, length / 2, kFrameSize), kFace);
  }
}

TEST_F(SkinScrollbarTest, TheThumbFollowsTheKeyboardTheWheelAndNewTextAndADisabledBarShowsNoThumb) {
  TWScrollbar* vert = Skin(*memo_)->VertBar();
  const auto thumbAsPlatform = [&] {
    test::PumpPending();
    const SCROLLBARINFO info = BarInfo(MemoHandle(), OBJID_VSCROLL);
    return vert->ThumbStart() == info.xyThumbTop && vert->ThumbEnd() == info.xyThumbBottom &&
           OnBar(*vert, (info.xyThumbTop + info.xyThumbBottom) / 2, 8) == ThumbColour(1);
  };
  // the memo scrolls by the keyboard without telling anyone but its own scroll bar
  memo_->SetFocus();
  SendMessageW(MemoHandle(), WM_KEYDOWN, VK_NEXT, 0);
  SendMessageW(MemoHandle(), WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_GT(MemoPos(), 0);
  EXPECT_TRUE(thumbAsPlatform()) << "page down";
  const int before = MemoPos();
  SendMessageW(MemoHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_LT(MemoPos(), before);
  EXPECT_TRUE(thumbAsPlatform()) << "wheel";

  // text that fits: the platform disables the bar; track frame 3, arrows as ever, no thumb
  SetLines(2);
  test::PumpPending();
  ASSERT_TRUE(BarInfo(MemoHandle(), OBJID_VSCROLL).rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_TRUE(Visible(vert));
  EXPECT_EQ(OnBar(*vert, vert->Length() / 2, 8), TrackColour(3));
  EXPECT_EQ(OnBar(*vert, 2, 8), ArrowColour(9));
  EXPECT_EQ(OnBar(*vert, vert->Length() - 2, 8), ArrowColour(13));
  EXPECT_FALSE(ShowsAlong(*vert, ThumbColour(1)));

  // long text again, then the memo disabled: drawn disabled, and a press scrolls nothing
  SetLines(200);
  EXPECT_TRUE(thumbAsPlatform()) << "enabled again";
  memo_->SetEnabled(false);
  test::PumpPending();
  EXPECT_EQ(OnBar(*vert, vert->Length() / 2, 8), TrackColour(3));
  EXPECT_FALSE(ShowsAlong(*vert, ThumbColour(1)));
  const int pos = MemoPos();
  SendMessageW(vert->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, vert->Length() - 3));
  SendMessageW(vert->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, vert->Length() - 3));
  test::PumpPending();
  EXPECT_EQ(MemoPos(), pos);
}

TEST_F(SkinScrollbarTest, ADragOfTheSkinnedThumbMovesItWithTheCursorScrollsAndLandsWhereThePlatformSays) {
  TWScrollbar* vert = Skin(*memo_)->VertBar();
  const SCROLLBARINFO info = BarInfo(MemoHandle(), OBJID_VSCROLL);
  const int thumbLength = info.xyThumbBottom - info.xyThumbTop;
  const int grab = info.xyThumbTop + thumbLength / 2;
  const POINT start = OnMemoBar(grab);
  test::MoveCursor(start);
  std::vector<int> followed;   // the skinned thumb's start after each move
  std::vector<COLORREF> look;  // its colour then
  // down 30, 60, then to the screen's bottom edge, far beyond the bar's end
  const int bottom = GetSystemMetrics(SM_CYSCREEN) - 1;
  const POINT moves[] = {{start.x, start.y + 30}, {start.x, start.y + 60}, {start.x, bottom}};
  std::size_t next = 0;
  bool moving = false;
  // each move, then once the platform reports the cursor there, the overlay painted and looked at
  PressWithScript(*vert, {8, grab}, [&](int) {
    if (next == std::size(moves)) {
      PostRelease(MemoHandle(), moves[1]);
      return true;
    }
    if (!moving) {
      MoveTo(MemoHandle(), moves[next]);
      moving = true;
      return false;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    if (cursor.x != moves[next].x || cursor.y != moves[next].y) return false;
    InvalidateRect(vert->Handle(), nullptr, FALSE);
    UpdateWindow(vert->Handle());
    followed.push_back(vert->ThumbStart());
    look.push_back(OnBar(*vert, (vert->ThumbStart() + vert->ThumbEnd()) / 2, 8));
    moving = false;
    ++next;
    return false;
  });
  ASSERT_EQ(followed.size(), 3u);
  // at once with the cursor, whatever the control made of the move yet; never over an arrow
  EXPECT_EQ(followed[0], info.xyThumbTop + 30);
  EXPECT_EQ(followed[1], info.xyThumbTop + 60);
  EXPECT_EQ(followed[2], vert->Length() - vert->ArrowSize() - thumbLength);
  for (COLORREF c : look) EXPECT_EQ(c, ThumbColour(2)) << "the dragged frame";

  // released 60 pixels down: the memo scrolled there, and the thumb is where the platform has it
  EXPECT_GT(MemoPos(), 0);
  const SCROLLBARINFO after = BarInfo(MemoHandle(), OBJID_VSCROLL);
  EXPECT_EQ(vert->HitCode(), SB_ENDSCROLL);
  EXPECT_FALSE(vert->Pressing());
  EXPECT_EQ(vert->ThumbStart(), after.xyThumbTop);
  EXPECT_EQ(OnBar(*vert, (after.xyThumbTop + after.xyThumbBottom) / 2, 8), ThumbColour(1));
}

TEST_F(SkinScrollbarTest, PageAndArrowClicksScrollAndAHeldArrowRepeatsShowingItsPressedFrame) {
  TWScrollbar* vert = Skin(*memo_)->VertBar();
  const int length = vert->Length();
  const auto click = [&](int along) {
    PressWithScript(*vert, {8, along}, [&](int) {
      PostRelease(MemoHandle(), OnMemoBar(along));
      return true;
    });
  };
  // a press on the track below the thumb: one page; on the down arrow: one line
  click(length - vert->ArrowSize() - 5);
  const int page = MemoPos();
  EXPECT_GT(page, 1);
  click(length - 3);
  EXPECT_EQ(MemoPos(), page + 1);
  click(vert->ArrowSize() / 2);
  EXPECT_EQ(MemoPos(), page);

  // held on the down arrow: the platform repeats; the arrow shows frame 14 all the while
  std::vector<COLORREF> arrow;
  PressWithScript(*vert, {8, length - 3}, [&](int) {
    UpdateWindow(vert->Handle());
    arrow.push_back(OnBar(*vert, length - 3, 8));
    if (MemoPos() < page + 4) return false;
    PostRelease(MemoHandle(), OnMemoBar(length - 3));
    return true;
  });
  EXPECT_GE(MemoPos(), page + 4);
  ASSERT_FALSE(arrow.empty());
  for (COLORREF c : arrow) EXPECT_EQ(c, ArrowColour(14));
  test::PumpPending();
  EXPECT_EQ(OnBar(*vert, length - 3, 8), ArrowColour(13)) << "released";
}

// The messages the memo sees at its window procedure during a thumb drag, with the press made on
// the overlay, are the ones it sees when the same press is made on its own bar.
TEST_F(SkinScrollbarTest, ADragThroughTheOverlayGivesTheMemoTheMessagesOfADragOnItsOwnBar) {
  const std::vector<UINT> watched = {WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_SYSCOMMAND, WM_VSCROLL, WM_HSCROLL,
                                     WM_CAPTURECHANGED, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_SETFOCUS};
  const SCROLLBARINFO info = BarInfo(MemoHandle(), OBJID_VSCROLL);
  const int grab = (info.xyThumbTop + info.xyThumbBottom) / 2;
  const POINT start = OnMemoBar(grab);
  // scroll codes in order, and where the drag ends
  struct Drag {
    std::vector<UINT> messages;
    std::vector<int> codes;
    int position = 0;
  };
  const auto drag = [&](const std::function<void()>& press) {
    SendMessageW(MemoHandle(), WM_VSCROLL, SB_TOP, 0);
    test::MoveCursor(start);
    test::PumpPending();
    Drag d;
    test::MessageLog log(MemoHandle(), watched);
    std::vector<int> codes;
    TWindowSubclass codesOf(MemoHandle(), [&](TMessage& m) {
      if (m.Msg == WM_VSCROLL) codes.push_back(LOWORD(m.WParam));
      return false;
    });
    int tick = 0;
    test::ThreadTimer timer(10, [&] {
      switch (++tick) {
        case 1:  // moves as the loop reads them, without the cursor (its late events would vary)
        case 2: {
          POINT p{start.x, start.y + 20 * tick};
          ScreenToClient(MemoHandle(), &p);
          PostMessageW(MemoHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
          break;
        }
        case 3:
          PostRelease(MemoHandle(), {start.x, start.y + 40});
          break;
        default:
          break;
      }
    });
    press();
    test::PumpPending();
    d.messages = log.Take();
    d.codes = codes;
    d.position = MemoPos();
    return d;
  };
  const Drag plain = drag([&] { SendMessageW(MemoHandle(), WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(start.x, start.y)); });
  TWScrollbar* vert = Skin(*memo_)->VertBar();
  const Drag skinned = drag([&] { SendMessageW(vert->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, grab)); });

  const std::vector<test::Expected> expected = {
      {WM_NCLBUTTONDOWN}, {WM_SYSCOMMAND}, {WM_VSCROLL}, {WM_VSCROLL}, {WM_VSCROLL},
      {WM_CAPTURECHANGED}, {WM_VSCROLL}, {WM_VSCROLL}};
  test::ExpectSequence(plain.messages, expected, "drag on the memo's own bar");
  test::ExpectSequence(skinned.messages, expected, "drag through the overlay");
  const std::vector<int> codes = {SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL};
  EXPECT_EQ(plain.codes, codes);
  EXPECT_EQ(skinned.codes, codes);
  EXPECT_GT(plain.position, 0);
  EXPECT_EQ(skinned.position, plain.position);
}

TEST_F(SkinScrollbarTest, OverlaysHideWithTheMemoAndTheSwitchAndGoWithTheWrapper) {
  const int windowsBefore = test::ThreadWindowCount();
  TSkinScrollbar* wrapper = Skin(*memo_);
  TWScrollbar* vert = wrapper->VertBar();
  EXPECT_GT(test::ThreadWindowCount(), windowsBefore);
  memo_->Hide();
  test::PumpPending();
  EXPECT_FALSE(Visible(vert));
  memo_->Show();
  test::PumpPending();
  EXPECT_TRUE(Visible(vert));

  // switched off: the platform's own bar shows; on: the overlay again
  SendMessageW(MemoHandle(), kSkinMsgSwitch, 0, 0);
  test::PumpPending();
  EXPECT_FALSE(Visible(vert));
  SendMessageW(MemoHandle(), kSkinMsgSwitch, 1, 0);
  test::PumpPending();
  EXPECT_TRUE(Visible(vert));

  // a new skin without scroll bar images: the platform's bar shows rather than an empty overlay
  test::GiveTestSkin(skin_);
  wrapper->SkinChanged();
  test::PumpPending();
  EXPECT_FALSE(Visible(vert));

  wrapper->Detach();
  wrapper->Free();
  test::PumpPending();
  EXPECT_EQ(test::ThreadWindowCount(), windowsBefore) << "the overlays went with the wrapper";
}

TEST_F(SkinScrollbarTest, AStandAloneBarIsCoveredWholeAndATooShortOneSplitsItsLengthBetweenTheArrows) {
  auto* bar = new TScrollBar(form_);
  bar->SetParent(form_);
  bar->SetBounds(10, 230, 200, GetSystemMetrics(SM_CYHSCROLL));
  bar->SetMax(100);
  bar->SetPageSize(10);
  bar->SetPosition(30);
  auto* wrapper = new TSkinScControl(bar);
  wrapper->AttachScrollControl(*bar, &skin_, &host_, &canvas_);
  test::PumpPending();
  TWScrollbar* overlay = wrapper->Bar();
  ASSERT_TRUE(Visible(overlay));
  EXPECT_EQ(overlay->Orientation(), 0);
  EXPECT_TRUE(SameRect(ScreenRectOf(bar->Handle()), ScreenRectOf(overlay->Handle())));
  // the thumb where the control itself finds it
  const SCROLLBARINFO info = BarInfo(bar->Handle(), OBJID_CLIENT);
  EXPECT_EQ(overlay->ThumbStart(), info.xyThumbTop);
  EXPECT_EQ(OnBar(*overlay, (info.xyThumbTop + info.xyThumbBottom) / 2, 8), ThumbColour(1));
  EXPECT_EQ(overlay->HitTest({2, 8}), SB_LINEUP);
  EXPECT_EQ(overlay->HitTest({info.xyThumbTop - 1, 8}), SB_PAGEUP);
  EXPECT_EQ(overlay->HitTest({info.xyThumbTop, 8}), SB_THUMBTRACK);
  EXPECT_EQ(overlay->HitTest({info.xyThumbBottom, 8}), SB_PAGEDOWN);
  EXPECT_EQ(overlay->HitTest({199, 8}), SB_LINEDOWN);

  // a press on the right arrow goes to the control: one small step, and a new thumb
  PressWithScript(*overlay, {195, 8}, [&](int) {
    PostMessageW(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(195, 8));
    return true;
  });
  EXPECT_EQ(bar->Position(), 31);
  EXPECT_EQ(overlay->ThumbStart(), BarInfo(bar->Handle(), OBJID_CLIENT).xyThumbTop);
  bar->SetPosition(90);
  test::PumpPending();
  EXPECT_EQ(overlay->ThumbStart(), BarInfo(bar->Handle(), OBJID_CLIENT).xyThumbTop);

  // 30 pixels long: two arrows of 15, no track
  bar->SetWidth(30);
  test::PumpPending();
  EXPECT_EQ(overlay->Length(), 30);
  EXPECT_EQ(OnBar(*overlay, 0, 8), ArrowColour(1));
  EXPECT_EQ(OnBar(*overlay, 14, 8), ArrowColour(1));
  EXPECT_EQ(OnBar(*overlay, 15, 8), ArrowColour(5));
  EXPECT_EQ(OnBar(*overlay, 29, 8), ArrowColour(5));

  bar->Hide();
  test::PumpPending();
  EXPECT_FALSE(Visible(overlay));
}

TEST_F(SkinScrollbarTest, ABareWindowsBarsAreCoveredAndHiddenWithTheWindow) {
  const HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY,
                                    250, 10, 140, 120, form_->Handle(), nullptr, nullptr, nullptr);
  for (int i = 0; i < 40; ++i) SendMessageW(list, LB_ADDSTRING, 0, LPARAM((L"项目 " + std::to_wstring(i)).c_str()));
  auto* wrapper = new TSkinScrollbarH(form_);
  wrapper->AttachWindow(list, &skin_, &host_, &canvas_);
  test::PumpPending();
  TWScrollbar* vert = wrapper->VertBar();
  ASSERT_TRUE(Visible(vert));
  EXPECT_TRUE(SameRect(BarInfo(list, OBJID_VSCROLL).rcScrollBar, ScreenRectOf(vert->Handle())));
  // the list scrolled by a message the wrapper sees: the thumb follows
  SendMessageW(list, LB_SETTOPINDEX, 20, 0);
  test::PumpPending();
  EXPECT_EQ(vert->ThumbStart(), BarInfo(list, OBJID_VSCROLL).xyThumbTop);
  EXPECT_GT(vert->ThumbStart(), vert->ArrowSize());
  ShowWindow(list, SW_HIDE);
  test::PumpPending();
  EXPECT_FALSE(Visible(vert));
  wrapper->Free();
  DestroyWindow(list);
}

TEST_F(SkinScrollbarTest, AListViewsBarsAreCoveredAndItsHeaderGetsAWrapperOnceTheViewMakesOne) {
  auto* view = new TListView(form_);
  view->SetBounds(240, 10, 160, 200);
  view->SetViewStyle(TViewStyle::vsList);
  // the items before the window: the view fills its window with all of them at once
  for (int i = 0; i < 80; ++i) view->Items()->Add()->SetCaption("站点 " + std::to_string(i));
  view->SetParent(form_);
  auto* wrapper = new TSkinListView(view);
  wrapper->AttachScrolling(*view, &skin_, &host_, &canvas_);
  test::PumpPending();
  const HWND h = view->Handle();
  const auto headerSkinned = [&] {
    const TSkinHeader* header = wrapper->Header();
    return header && header->Handle() == view->HeaderHandle() && header->Owner() == view &&
           std::count(host_.list.begin(), host_.list.end(), header) == 1;
  };
  if (view->HeaderHandle()) EXPECT_TRUE(headerSkinned()) << "a header made with the window";
  else EXPECT_EQ(wrapper->Header(), nullptr);

  // the report view: the platform makes its header now, and it is skinned at once
  view->SetViewStyle(TViewStyle::vsReport);
  for (const char* caption : {"线路", "起点"}) {
    TListColumn* column = view->Columns()->Add();
    column->SetCaption(caption);
    column->SetWidth(100);
  }
  test::PumpPending();
  ASSERT_NE(view->HeaderHandle(), nullptr);
  EXPECT_TRUE(headerSkinned());
  // both bars covered as the platform reads them, the corner between them face
  TWScrollbar* vert = wrapper->VertBar();
  TWScrollbar* horz = wrapper->HorzBar();
  ASSERT_TRUE(Visible(vert) && Visible(horz));
  const SCROLLBARINFO v = BarInfo(h, OBJID_VSCROLL);
  EXPECT_TRUE(SameRect(v.rcScrollBar, ScreenRectOf(vert->Handle())));
  EXPECT_TRUE(SameRect(BarInfo(h, OBJID_HSCROLL).rcScrollBar, ScreenRectOf(horz->Handle())));
  EXPECT_EQ(OnBar(*vert, 2, 8), ArrowColour(9));
  EXPECT_EQ(OnBar(*horz, 2, 8), ArrowColour(1));

  // a press on the track under the thumb: the view's next page, the skinned thumb where the
  // platform puts it
  const int along = vert->Length() - vert->ArrowSize() - 3;
  PressWithScript(*vert, {8, along}, [&](int) {
    PostRelease(h, {(v.rcScrollBar.left + v.rcScrollBar.right) / 2, v.rcScrollBar.top + along});
    return true;
  });
  EXPECT_EQ(ListView_GetTopIndex(h), ListView_GetCountPerPage(h));
  EXPECT_EQ(vert->ThumbStart(), BarInfo(h, OBJID_VSCROLL).xyThumbTop);
  EXPECT_EQ(OnBar(*vert, (vert->ThumbStart() + vert->ThumbEnd()) / 2, 8), ThumbColour(1));
}

// --- the grid -------------------------------------------------------------------------------------

class SkinScrollbarGridTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    test::StartSkinTestApplication();
    RegisterGridClasses();
  }
  void SetUp() override {
    GiveScrollSkin(skin_);
    database_ = dir_.Path() / "xaway.db";
    std::filesystem::copy_file(test::BinaryDir() / "xaway.db", database_);
    test::gConnectionString = test::ConnectionStringFor(database_);
    test::gStatement = "select * from way ";
    form_ = Application->CreateForm<test::TfrmGridTest>(test::GridFormDescription());
    ASSERT_TRUE(test::PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }, test::kSkinWait));
    test::PumpPending();
    grid_ = form_->DBGrid1;
    wrapper_ = new TSkinScrollbar(grid_);
    wrapper_->AttachScrolling(*grid_, &skin_, &host_, &canvas_);
    test::PumpPending();
  }
  void TearDown() override {
    if (form_) form_->Free();
    test::PumpPending();
  }
  HWND Grid() { return grid_->Handle(); }

  TSkinData skin_{nullptr};
  test::TWrapperList host_;
  TCanvas canvas_;
  test::TempDir dir_;
  std::filesystem::path database_;
  test::TfrmGridTest* form_ = nullptr;
  TrgDBGrid* grid_ = nullptr;
  TSkinScrollbar* wrapper_ = nullptr;
};

TEST_F(SkinScrollbarGridTest, BothBarsAreCoveredAsReadTheCornerIsFaceAndPagesScrollTheRows) {
  TWScrollbar* vert = wrapper_->VertBar();
  TWScrollbar* horz = wrapper_->HorzBar();
  ASSERT_TRUE(Visible(vert) && Visible(horz));
  const SCROLLBARINFO v = BarInfo(Grid(), OBJID_VSCROLL), h = BarInfo(Grid(), OBJID_HSCROLL);
  EXPECT_TRUE(SameRect(v.rcScrollBar, ScreenRectOf(vert->Handle())));
  EXPECT_TRUE(SameRect(h.rcScrollBar, ScreenRectOf(horz->Handle())));
  EXPECT_EQ(horz->Orientation(), 0);
  // both lie directly above the grid, and a message that changes no bar moves neither
  const HWND first = GetWindow(Grid(), GW_HWNDPREV), second = GetWindow(first, GW_HWNDPREV);
  EXPECT_TRUE((first == vert->Handle() && second == horz->Handle()) || (first == horz->Handle() && second == vert->Handle()));
  test::MessageLog vertMoves(vert->Handle(), {WM_WINDOWPOSCHANGING}), horzMoves(horz->Handle(), {WM_WINDOWPOSCHANGING});
  for (int i = 0; i < 3; ++i) SendMessageW(Grid(), WM_NULL, 0, 0);
  test::PumpPending();
  EXPECT_TRUE(vertMoves.Take().empty());
  EXPECT_TRUE(horzMoves.Take().empty());
  EXPECT_EQ(OnBar(*horz, 2, 8), ArrowColour(1));
  EXPECT_EQ(OnBar(*horz, horz->Length() - 2, 8), ArrowColour(5));
  // the square between the bars, on the grid's own frame
  POINT corner{(v.rcScrollBar.left + v.rcScrollBar.right) / 2, (h.rcScrollBar.top + h.rcScrollBar.bottom) / 2};
  ScreenToClient(Grid(), &corner);
  EXPECT_EQ(test::PixelAt(*grid_, corner), kFace);

  // a press on the track under the thumb: the grid's next page
  const int top = grid_->TopIndex();
  const int along = vert->Length() - vert->ArrowSize() - 3;
  PressWithScript(*vert, {8, along}, [&](int) {
    PostRelease(Grid(), {(v.rcScrollBar.left + v.rcScrollBar.right) / 2, v.rcScrollBar.top + along});
    return true;
  });
  EXPECT_EQ(grid_->TopIndex(), top + grid_->VisibleRowCount());
  EXPECT_EQ(vert->ThumbStart(), BarInfo(Grid(), OBJID_VSCROLL).xyThumbTop);
  EXPECT_GT(vert->ThumbStart(), vert->ArrowSize());
}

TEST_F(SkinScrollbarGridTest, ACoveredBarIsLeftUndrawnAndTheSwitchShowsThePlatformsBarWhereTheRowsAre) {
  TWScrollbar* vert = wrapper_->VertBar();
  ASSERT_TRUE(Visible(vert));
  EXPECT_TRUE(grid_->ScrollBarCovered(SB_VERT));
  EXPECT_TRUE(grid_->ScrollBarCovered(SB_HORZ));
  const SCROLLBARINFO before = BarInfo(Grid(), OBJID_VSCROLL);
  for (int i = 0; i < 5; ++i) SendMessageW(Grid(), WM_VSCROLL, SB_PAGEDOWN, 0);
  test::PumpPending();
  const SCROLLBARINFO after = BarInfo(Grid(), OBJID_VSCROLL);
  ASSERT_GT(after.xyThumbTop, before.xyThumbBottom) << "the thumb left its first place";
  EXPECT_EQ(vert->ThumbStart(), after.xyThumbTop);
  EXPECT_EQ(OnBar(*vert, (after.xyThumbTop + after.xyThumbBottom) / 2, 8), ThumbColour(1));
  EXPECT_EQ(OnBar(*vert, (before.xyThumbTop + before.xyThumbBottom) / 2, 8), TrackColour(1));

  // switched off: the platform's own bar shows, its thumb where the rows are, exactly as the
  // platform draws it afresh (a bar left as it was drawn before the pages would differ)
  SendMessageW(Grid(), kSkinMsgSwitch, 0, 0);
  test::PumpPending();
  EXPECT_FALSE(Visible(vert));
  EXPECT_FALSE(grid_->ScrollBarCovered(SB_VERT));
  const int x = (after.rcScrollBar.left + after.rcScrollBar.right) / 2;
  const auto probes = [&] {
    std::vector<COLORREF> seen;
    for (int along : {(before.xyThumbTop + before.xyThumbBottom) / 2, (after.xyThumbTop + after.xyThumbBottom) / 2}) {
      POINT p{x, after.rcScrollBar.top + along};
      ScreenToClient(Grid(), &p);
      seen.push_back(test::PixelAt(*grid_, p));
    }
    return seen;
  };
  const std::vector<COLORREF> shown = probes();
  EXPECT_NE(shown[0], shown[1]) << "track where the thumb was, thumb where it is";
  RedrawWindow(Grid(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  test::PumpPending();
  EXPECT_EQ(probes(), shown);
}

TEST_F(SkinScrollbarGridTest, ABarWhoseContentFitsIsHiddenAndAPanelMadeLaterCoversTheOverlays) {
  TWScrollbar* vert = wrapper_->VertBar();
  const RECT bar = ScreenRectOf(vert->Handle());
  const POINT probe{(bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2};
  auto* panel = new TPanel(form_);  // later in the list, so above the grid, like the plan panel
  panel->SetBounds(0, 0, form_->ClientWidth(), form_->ClientHeight());
  panel->SetColor(clWhite);
  panel->SetVisible(false);
  panel->SetParent(form_);
  test::PumpPending();
  const auto screen = [](POINT p) {
    WindowDC dc(nullptr);
    return GetPixel(dc.Get(), p.x, p.y);
  };
  EXPECT_EQ(screen(probe), TrackColour(1));
  panel->Show();
  test::PumpPending();
  EXPECT_EQ(screen(probe), RGB(255, 255, 255)) << "the panel lies over the overlay";
  // and the overlay, re-placed by the grid's messages, stays under it
  grid_->SetTopIndex(100);
  InvalidateRect(Grid(), nullptr, TRUE);
  test::PumpPending();
  EXPECT_EQ(screen(probe), RGB(255, 255, 255));
  EXPECT_EQ(WindowFromPoint(probe), panel->Handle());
  panel->Hide();
  test::PumpPending();
  EXPECT_NE(screen(probe), RGB(255, 255, 255));

  // a few rows: the vertical bar goes, and its overlay with it
  form_->Requery("select * from way where id < 4");
  test::PumpPending();
  EXPECT_TRUE(BarInfo(Grid(), OBJID_VSCROLL).rgstate[0] & STATE_SYSTEM_INVISIBLE);
  EXPECT_FALSE(Visible(vert));
}

}  // namespace
}  // namespace bus
