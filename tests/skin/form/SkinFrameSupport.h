// The fixture of the frame tests: the form fixture with our default skin file, and the form's
// rectangles.
#pragma once

#include <windows.h>

#include "tests/skin/form/FrameProbes.h"
#include "tests/skin/form/SkinFormFixture.h"
#include "tests/support/TestSupport.h"

namespace bus::test {

class SkinFrameFixture : public SkinFormFixture {
protected:
  void GiveSkin(TSkinData& skin) override { LoadSkinFile(skin, BinaryDir() / "bussearch.skn"); }

  RECT ClientRect() const {
    RECT r{};
    GetClientRect(form_->Handle(), &r);
    return r;
  }
  RECT WindowRect() const {
    RECT r{};
    GetWindowRect(form_->Handle(), &r);
    return r;
  }
};

}  // namespace bus::test
