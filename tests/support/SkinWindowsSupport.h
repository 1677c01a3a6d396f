// Helpers of the skin tests under Wine: the application object with the skin engine's classes, a
// form that carries a skin, archives made to measure, and the deadline of their waits (the message
// pumps are the window tests' own).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/Stream.h"
#include "framework/controls/Form.h"
#include "skin/control/SkinWrapperHost.h"
#include "tests/support/WindowTestSupport.h"

namespace bus {
class TSkinData;
}

namespace bus::test {

// The application object of the skin tests, with the widget layer's and the skin engine's classes
// registered; made once.
void StartSkinTestApplication();

// A form that carries a skin data component "SkinData1".
class TfrmSkinHost : public TForm {
  BUS_CLASS(TfrmSkinHost)
public:
  explicit TfrmSkinHost(TComponent* owner) : TForm(owner) { PublishField("SkinData1", &SkinData1); }
  TSkinData* SkinData1 = nullptr;  // from the description
};
// The description of a TfrmSkinHost whose SkinData1 has these property lines.
std::string HostDescription(const std::string& skinProperties);

using Member = std::pair<std::string, std::vector<std::uint8_t>>;

// A 24-bit BMP file of w × h whose pixel (x, y) is colour(x, y) (0xRRGGBB).
std::vector<std::uint8_t> BmpFile(int w, int h, const std::function<std::uint32_t(int, int)>& colour);
// A stored skin archive of the members, the descriptor first; `version` is written into its header.
void StoreArchive(TMemoryStream& out, const std::string& descriptor, const std::vector<Member>& members,
                  std::int32_t version = 20000);

// Loads a skin of no images into skin: face colour (10, 20, 30), then the descriptor lines extra.
void GiveTestSkin(TSkinData& skin, const std::string& extra = "");
// The skin's face colour.
constexpr COLORREF kTestFace = RGB(10, 20, 30);

// A form object's list of wrappers, as a wrapper sees it, for wrapper tests without a skinned form.
class TWrapperList : public TSkinWrapperHost {
public:
  bool RegisterWrapper(TSkinControl* wrapper) override;
  void UnregisterWrapper(TSkinControl* wrapper) noexcept override;
  TSkinControl* HotButton() const noexcept override { return hot; }
  void SetHotButton(TSkinControl* wrapper) noexcept override { hot = wrapper; }
  std::vector<TSkinControl*> list;  // registered wrappers, in order
  TSkinControl* hot = nullptr;      // the button drawn hot
};

// The deadline of the skin tests' waits, in milliseconds.
constexpr DWORD kSkinWait = 5000;

}  // namespace bus::test
