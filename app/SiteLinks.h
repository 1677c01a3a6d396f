// The ways the main window reaches outside the program, besides the banner: the link label that
// underlines under the mouse and opens the maker's web site, and the update button that hides the
// program to the tray and starts the database updater. Both go through the shell's "open"; what
// the shell answers is not looked at (no browser, no updater: nothing happens, nothing is said).
#pragma once

#include <windows.h>

#include <string>

namespace bus {

class TControl;
class TCustomForm;

// The mouse came over the link: its font becomes underlined only.
void UnderlineLink(TControl& link);
// The mouse left it: the underline goes, other styles stay.
void PlainLink(TControl& link);

// Asks the shell to open target (UTF-8: a web address or a program) owned by owner, with no
// parameters and no working directory, shown normally. Returns the shell's answer: above 32 when
// it did, else the reason it did not (SE_ERR_FNF: no such file), which the program passes over.
INT_PTR ShellOpen(HWND owner, const std::string& target);
// Opens the maker's web site; the shell's answer.
INT_PTR OpenWebSite(HWND owner);
// Closes mainForm (its close handler hides it to the tray), then opens the updater in
// appDirectory (ending in a separator), owned by the main window; the shell's answer.
INT_PTR StartUpdater(TCustomForm& mainForm, const std::string& appDirectory);

}  // namespace bus
