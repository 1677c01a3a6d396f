#include "tests/desktop/TrayMenuDriver.h"

#include "tests/framework/MenuAnswerer.h"
#include "tray/TrayIcon.h"

namespace bus::test {

int SendTrayIconMessage(TTrayIcon& tray, UINT mouseMessage, int downs) {
  MenuAnswerer menu(downs);
  SendMessageW(tray.Handle(), TTrayIcon::kCallbackMessage, TTrayIcon::kIconId, mouseMessage);
  return menu.MenusSeen();
}

}  // namespace bus::test
