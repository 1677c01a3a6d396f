#include "tests/skin/control/ButtonSkinFixture.h"

#include <cstdio>

#include "framework/controls/Application.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"
#include "tests/support/SkinWindowsSupport.h"

namespace bus::test {

namespace {

constexpr int kGreen[] = {100, 150, 200};  // by strip
constexpr int kFrameSize = 13;             // check and radio frames are 13 × 13

HWND WindowOf(const TControl& control, POINT& at) {
  if (!control.IsWindowless()) return static_cast<const TWinControl&>(control).HandleIfAllocated();
  at.x += control.Left();
  at.y += control.Top();
  return control.Parent()->HandleIfAllocated();
}

void SendMouse(const TControl& control, UINT msg, WPARAM keys, POINT at) {
  const HWND window = WindowOf(control, at);
  SendMessageW(window, msg, keys, MAKELPARAM(at.x, at.y));
}

std::string MessageName(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_CAPTURECHANGED: return "WM_CAPTURECHANGED";
    case BM_SETSTATE: return "BM_SETSTATE";
    case BM_SETCHECK: return "BM_SETCHECK";
    default: return std::to_string(msg);
  }
}

POINT Centre(const TControl& control) {
  const RECT r = control.ClientRect();
  return {r.right / 2, r.bottom / 2};
}

}  // namespace

COLORREF FrameColour(TStrip strip, int k) { return RGB(16 * k, kGreen[int(strip)], 255 - 16 * k); }

std::string Shown(COLORREF colour) {
  if (colour == kTestFace) return "face";
  const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
  static const char* const names[] = {"buttons", "check", "radio"};
  for (int s = 0; s < 3; ++s) {
    if (g == kGreen[s] && r % 16 == 0 && r / 16 >= 1 && r / 16 <= 12 && b == 255 - r)
      return std::string(names[s]) + " " + std::to_string(r / 16);
  }
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", r, g, b);
  return text;
}

void ButtonSkinTest::SetUpTestSuite() {
  StartSkinTestApplication();
  RegisterButtonStatesClasses();
}

void ButtonSkinTest::SetUp() {
  MoveCursor(kAway);
  manager_ = &CreateSkinManager();
  skin_ = new TSkinData(nullptr);
  LoadSkin(12, 8);
  manager_->RegisterSkinData(skin_);
  manager_->SetActive(true);
  manager_->SetRunCount(1);
}

void ButtonSkinTest::TearDown() {
  if (form_) form_->Free();
  FreeSkinManager();
  delete skin_;
  PumpPending();
  MoveCursor(kAway);
}

void ButtonSkinTest::LoadSkin(int checkFrames, int radioFrames) {
  // BmpFile takes 0xRRGGBB, FrameColour gives a COLORREF (0xBBGGRR): turn it round
  const auto rgb = [](COLORREF c) { return std::uint32_t(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c); };
  const auto framed = [&](TStrip s, int frames, int w, int h) {
    return BmpFile(w * frames, h, [=](int x, int) { return rgb(FrameColour(s, x / w + 1)); });
  };
  StoreArchive(skin_->StoredSkin(),
               "[TitlebarSkin]\r\nSkinName=Flat\r\n[Colours]\r\nButtonFace=10 20 30\r\n[Buttons]\r\n"
               "Bitmap=buttons.bmp\r\nCheckButton=check.bmp\r\nCheckButtonFrame=" +
                   std::to_string(checkFrames) + "\r\nRadioButton=radio.bmp\r\nRadioButtonFrame=" +
                   std::to_string(radioFrames) + "\r\n",
               {{"buttons.bmp", framed(TStrip::buttons, 5, 12, 12)},
                {"check.bmp", framed(TStrip::check, checkFrames, kFrameSize, kFrameSize)},
                {"radio.bmp", framed(TStrip::radio, radioFrames, kFrameSize, kFrameSize)}});
  ASSERT_TRUE(skin_->LoadSkin());
}

TfrmButtonStates& ButtonSkinTest::MakeForm() {
  form_ = Application->CreateForm<TfrmButtonStates>(kButtonStatesDescription);
  return *form_;
}

TSkinForm& ButtonSkinTest::Adopt() {
  if (!form_) MakeForm();
  form_->Show();
  // with the window hook installed the form is adopted as it is activated
  if (!manager_->FindSkinForm(form_->Handle())) {
    EXPECT_TRUE(manager_->SkinWindow(form_->Handle()));
  }
  TSkinForm* object = manager_->FindSkinForm(form_->Handle());
  if (!object) throw Exception("the form was not adopted");
  if (!PumpUntil([&] { return object->ChildrenSkinned(); }, kSkinWait)) throw Exception("the controls were not skinned");
  PumpPending();
  return *object;
}

std::vector<std::string> ButtonSkinTest::Journal(bool skinned, const std::string& name,
                                                const std::vector<UINT>& watched,
                                                const std::function<void(TControl&)>& act) {
  SCOPED_TRACE(skinned ? "skinned" : "unskinned");
  MakeForm();
  auto& control = form_->Get<TControl>(name);
  std::vector<std::string> journal;
  {  // the recorder goes before the form
    TMessageRecorder recorder(control, watched, [&](const TMessage& m) { form_->Events.push_back(MessageName(m.Msg)); });
    if (skinned) {
      Adopt();
    } else {
      form_->Show();
      PumpPending();
    }
    form_->Events.clear();
    act(control);
    PumpPending();
    journal = form_->Events;
  }
  form_->Free();
  form_ = nullptr;
  return journal;
}

std::string ButtonSkinTest::ShownAt(const TControl& control, POINT client) {
  const HWND window = WindowOf(control, client);
  return ShownIn(window, client);
}

std::string ShownIn(HWND window, POINT client) {
  // the window's own pixels: what reaches the screen, without waiting for the platform to show it
  return Shown(GetPixel(WindowDC(window).Get(), client.x, client.y));
}

void ButtonSkinTest::Press(const TControl& control) { SendMouse(control, WM_LBUTTONDOWN, MK_LBUTTON, Centre(control)); }

void ButtonSkinTest::Release(const TControl& control, POINT client) { SendMouse(control, WM_LBUTTONUP, 0, client); }

void ButtonSkinTest::Release(const TControl& control) { Release(control, Centre(control)); }

}  // namespace bus::test
