// A form with one or more controls of every kind the widget layer adds beyond the main window's own
// (radio buttons and groups, combo and list boxes, tab and page controls, range controls ...),
// built from a description. Its handlers write what they hear into Events, in order. The control
// kind tests drive it; form_showcase shows it.
#pragma once

#include <string>
#include <vector>

#include "framework/controls/Form.h"
#include "framework/controls/ScrollBar.h"
#include "framework/controls/ToolBar.h"

namespace bus {

class THeaderControl;
class THeaderSection;
class TListColumn;
class TListItem;

namespace test {

class TfrmKinds : public TForm {
  BUS_CLASS(TfrmKinds)
public:
  explicit TfrmKinds(TComponent* owner);

  // The component called name, as a T; throws when there is none of that class.
  template <class T>
  T& Get(const std::string& name) const {
    auto* c = dynamic_cast<T*>(FindComponent(name));
    if (!c) throw Exception("the kinds form has no " + name + " of that class");
    return *c;
  }

  // "change Name", "click Name", "changing Name", "scroll Name <code> <pos>", "select Name <item>
  // on|off", "column Name <caption>", "section Name <text>", "resize Name <text> <width>"
  std::vector<std::string> Events;
  // What the tab changing handler answers.
  bool AllowTabChange = true;
  // The scroll handler moves the position it is given to at most this.
  int ScrollLimit = 1 << 30;

  void KindChange(TObject* sender);
  void KindClick(TObject* sender);
  void TabChanging(TObject* sender, bool& allow);
  void BarScroll(TObject* sender, TScrollCode code, int& pos);
  void ListSelectItem(TObject* sender, TListItem* item, bool selected);
  void ListColumnClick(TObject* sender, TListColumn* column);
  void SectionClick(THeaderControl* sender, THeaderSection* section);
  void SectionResize(THeaderControl* sender, THeaderSection* section);
  void ToolBarDrawButton(TToolBar* sender, TToolButton* button, UINT state, bool& defaultDraw);

  // What the tool bar's custom-draw handler does (nothing when empty).
  TToolBarCustomDrawButtonEvent DrawButton;
};

// The form's description.
extern const char* const kKindsDescription;

// Registers the kinds form and its frame with the class registry.
void RegisterKindsClasses();

}  // namespace test
}  // namespace bus
