// The suggestions under the search boxes: after each change of a box's text the list of what the
// source suggests for it opens under the box (above it when the window has no room below), at most
// ten lines, and closes again for an empty text or when there is nothing to suggest.
//
// While the list is open, Down and Up move in it (Down from no line selects the first; Up from the
// first selects none), Enter or a click takes the selected name into the box and closes the list
// (no search: the next Enter searches, as before), and Escape closes it. While it is closed the
// box's keys do what they always did. The list never takes the focus from the box.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace bus {

class TCustomEdit;
class TForm;
class TSuggestionList;

class StopSuggestions {
public:
  // The names to suggest for a box's text, best first.
  using Source = std::function<std::vector<std::string>(TCustomEdit& box, std::string_view text)>;

  // list: a child of form, owned by it; hidden until there is something to suggest.
  StopSuggestions(TForm& form, TSuggestionList& list, Source source);
  StopSuggestions(const StopSuggestions&) = delete;
  StopSuggestions& operator=(const StopSuggestions&) = delete;

  // box's text changed: fills the list for the new text and shows it under box, or closes it.
  void TextChanged(TCustomEdit& box);
  // A key went down in box. True when it was the list's (Up, Down, Escape while the list is open
  // under box): the caller then stops it.
  bool KeyDown(TCustomEdit& box, unsigned short key);
  // Enter in box. True when it took the selected name into the box: the caller then does nothing
  // more. Closes the list in any case.
  bool Enter(TCustomEdit& box);
  void Close();
  // Puts text into box as code does (a suggestion taken, the stops swapped): closes the list and
  // opens none for the new text.
  void SetTextQuietly(TCustomEdit& box, const std::string& text);

  bool IsOpen() const noexcept { return box_ != nullptr; }
  // The box the list is open under, or null.
  TCustomEdit* Box() const noexcept { return box_; }

private:
  void Take();
  void Place(TCustomEdit& box);

  TForm& form_;                // the window the list lies in
  TSuggestionList& list_;      // the list control
  Source source_;              // what to suggest
  TCustomEdit* box_ = nullptr;  // the box the list is open under; null while closed
  bool quiet_ = false;          // code is setting a box's text: its change opens no list
};

}  // namespace bus
