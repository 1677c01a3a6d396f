// The fixture of the button wrapper tests: a skin whose button, check-box and radio strips have one
// flat colour per frame (so a pixel on the screen names the frame drawn there), the skin manager,
// and the button states form adopted by it. The mouse pointer is parked away from the form, so the
// application's own enter and leave tracking only acts where a test moves it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/controls/Control.h"
#include "tests/skin/control/ButtonStatesForm.h"

namespace bus {
class TSkinData;
class TSkinForm;
class TSkinManage;
}  // namespace bus

namespace bus::test {

// The strips of the test skin.
enum class TStrip { buttons, check, radio };

// The colour of frame k (from 1) of a strip: every frame of every strip differs.
COLORREF FrameColour(TStrip strip, int k);
// What a colour shows: "buttons 4", "check 9", "radio 2", "face", or the colour as #RRGGBB.
std::string Shown(COLORREF colour);
// What a window shows at a point of its client area.
std::string ShownIn(HWND window, POINT client);

class ButtonSkinTest : public ::testing::Test {
public:
  // What a control shows at a point of its client area.
  static std::string ShownAt(const TControl& control, POINT client);

protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Loads the test skin with check and radio strips of these frame counts.
  void LoadSkin(int checkFrames, int radioFrames);
  // The button states form, made (not shown) from its description.
  TfrmButtonStates& MakeForm();
  // Shows the form and has the skin manager adopt it; its controls are skinned on return.
  TSkinForm& Adopt();
  // What a control shows at the control's client point (3, 3), clear of its caption.
  static std::string FaceOf(const TControl& control) { return ShownAt(control, {3, 3}); }
  // Makes the form, shown and (when skinned) adopted, runs act on the control called name and
  // answers the journal of it: the watched messages that reached the control's own processing (by
  // name; under the wrapper when skinned) and the events the program heard, in order. The form is
  // freed afterwards.
  std::vector<std::string> Journal(bool skinned, const std::string& name, const std::vector<UINT>& watched,
                                   const std::function<void(TControl&)>& act);
  // Sends a left press and release at the control's client point (its centre by default).
  static void Press(const TControl& control);
  static void Release(const TControl& control, POINT client);
  static void Release(const TControl& control);

  TSkinManage* manager_ = nullptr;
  TSkinData* skin_ = nullptr;
  TfrmButtonStates* form_ = nullptr;
};

// A point on the screen that no window of the tests covers.
constexpr POINT kAway{1010, 8};

}  // namespace bus::test
