// Form descriptions: the readable text from which a form and its components are built.
//
//   object frmMain: TfrmMain          // the root: must be the class of the object being loaded
//     Caption = 'Bus search'          // text: '...' with '' for a quote, #13 for a character code,
//     ClientWidth = 789               //   pieces joined by '+' or written with no blank between
//     Color = clBtnFace               // integers: decimal or $hex, or an identifier the property knows
//     BorderIcons = [biSystemMenu, biMinimize]       // sets
//     Font.Name = 'MS Sans Serif'     // a property of a held object
//     OnCreate = FormCreate           // events: a method the root publishes
//     object Panel1: TPanel           // a component owned by the root, placed in Panel1's parent
//       Align = alBottom
//       PopupMenu = PopupMenu1        // references: resolved after the whole text is read
//     end
//     object qry: TDbQuery
//       SQL = ('select * from way')     // lines
//     end
//     object SkinData1: TSkinData
//       SkinStream = {0400000001020304}           // bytes for the component's own reader
//     end
//     object StatusBar1: TStatusBar
//       Panels = <item Width = 100 end item Width = 300 end>   // collection items
//     end
//   end
//
// Comments run from // to the end of the line. Properties are set in the order they are written,
// through the classes' own setters. Reading: every created component is in csLoading; then the
// references are resolved; then Loaded runs on the root and on every component in the order they
// were written. A description that cannot be read throws EDescriptionError naming the line.
#pragma once

#include <string_view>

#include "core/Exception.h"

namespace bus {

class TComponent;

class EDescriptionError : public Exception {
public:
  EDescriptionError(int line, const std::string& message)
      : Exception("form description, line " + std::to_string(line) + ": " + message), line_(line) {}
  int Line() const noexcept { return line_; }

private:
  int line_;  // 1-based line of the offending text
};

// Reads text into root (already constructed, with its methods and fields published). nameRoot false
// leaves the root's name as it is (a frame built from its own description keeps the name of its
// place on a form).
void ReadDescription(std::string_view text, TComponent& root, bool nameRoot = true);

}  // namespace bus
