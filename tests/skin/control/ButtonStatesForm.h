// A form of push, glyph and speed buttons, check boxes and radio buttons in every state the skin
// draws (normal, default, disabled, down, flat, checked, mixed, box on the right ...), built from a
// description. The button wrapper tests drive it; skin_showcase shows it skinned (--states), with
// the hot and pressed looks given by the mouse messages a user's pointer would bring.
#pragma once

#include <string>
#include <vector>

#include "framework/controls/Form.h"

namespace bus::test {

class TfrmButtonStates : public TForm {
  BUS_CLASS(TfrmButtonStates)
public:
  explicit TfrmButtonStates(TComponent* owner);

  // The component called name, as a T; throws when there is none of that class.
  template <class T>
  T& Get(const std::string& name) const {
    auto* c = dynamic_cast<T*>(FindComponent(name));
    if (!c) throw Exception("the button states form has no " + name + " of that class");
    return *c;
  }

  // "click Name", "down Name", "up Name", "enter Name", "leave Name", in the order they came.
  std::vector<std::string> Events;

  void StateClick(TObject* sender);
  void StateMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void StateMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void StateMouseEnter(TObject* sender);
  void StateMouseLeave(TObject* sender);
};

// The form's description.
extern const char* const kButtonStatesDescription;

// Registers the form with the class registry.
void RegisterButtonStatesClasses();

}  // namespace bus::test
