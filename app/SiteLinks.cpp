#include "app/SiteLinks.h"

#include <shellapi.h>

#include "core/MakerSite.h"
#include "core/WideText.h"
#include "framework/controls/ComApartment.h"
#include "framework/controls/Form.h"

namespace bus {

void UnderlineLink(TControl& link) { link.Font()->SetStyle(TFontStyles{fsUnderline}); }

void PlainLink(TControl& link) { link.Font()->SetStyle(link.Font()->Style() - TFontStyles{fsUnderline}); }

INT_PTR ShellOpen(HWND owner, const std::string& target) {
  JoinComApartment();  // the shell may hand the target to a component
  return INT_PTR(ShellExecuteW(owner, L"open", Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

INT_PTR OpenWebSite(HWND owner) { return ShellOpen(owner, WebSiteUrl()); }

INT_PTR StartUpdater(TCustomForm& mainForm, const std::string& appDirectory) {
  mainForm.Close();
  // the program's own updater, never one that happens to lie in the current directory
  return ShellOpen(mainForm.HandleIfAllocated(), appDirectory + std::string(kUpdaterFileName));
}

}  // namespace bus
