#include "tests/support/TrayMenuDriver.h"

#include "tests/support/MenuAnswerer.h"
#include "tray/TrayIcon.h"

namespace bus::test {

int SendTrayIconMessage(TTrayIcon& tray, UINT mouseMessage, int downs) {
  MenuAnswerer menu(downs);
  SendMessageW(tray.Handle(), TTrayIcon::kCallbackMessage, TTrayIcon::kIconId, mouseMessage);
  return menu.MenusSeen();
}

}  // namespace bus::test
