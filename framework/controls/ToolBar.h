// Tool bars: a superclassed native tool bar (ToolbarWindow32) aligned to its parent's top, whose
// buttons are its TToolButton children, in order. Flat draws the buttons without frames until the
// mouse is over them; Images gives their images, ShowCaptions their captions. A Menu reference
// makes one button per top item of that menu. OnCustomDrawButton, when assigned, is called for
// every button the tool bar paints, with the button, the platform's custom-draw item state
// (CDIS_* flags) and the tool bar's Canvas bound to the painting; clearing DefaultDraw keeps the
// tool bar from drawing the button itself.
//
// This is the tool bar kind of the skin's control selection: TToolBar and every class derived
// from it.
#pragma once

#include <memory>
#include <vector>

#include "framework/controls/ControlCanvas.h"
#include "framework/controls/WinControl.h"

namespace bus {

class TImageList;
class TMainMenu;
class TToolButton;
class TToolBar;

// (ToolBar, Button, State: CDIS_* flags, DefaultDraw)
using TToolBarCustomDrawButtonEvent = TEvent<TToolBar*, TToolButton*, UINT, bool&>;

class TToolBar : public TWinControl {
  BUS_CLASS(TToolBar)
public:
  explicit TToolBar(TComponent* owner);
  ~TToolBar() override;

  int ButtonCount() const noexcept { return int(buttons_.size()); }
  TToolButton* Buttons(int index) const { return buttons_.at(size_t(index)); }
  bool Flat() const noexcept { return flat_; }
  void SetFlat(bool v);
  bool ShowCaptions() const noexcept { return showCaptions_; }
  void SetShowCaptions(bool v);
  TImageList* Images() const noexcept { return images_; }
  void SetImages(TImageList* v);
  // The smallest button size.
  int ButtonWidth() const noexcept { return buttonWidth_; }
  void SetButtonWidth(int v);
  int ButtonHeight() const noexcept { return buttonHeight_; }
  void SetButtonHeight(int v);
  // One button per top item of the menu (made again when a menu is set); null removes them.
  TMainMenu* Menu() const noexcept { return menu_; }
  void SetMenu(TMainMenu* menu);
  TControlCanvas& Canvas() noexcept { return *canvas_; }

  TToolBarCustomDrawButtonEvent OnCustomDrawButton;  // published

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TToolButton;
  void InsertButton(TToolButton* button);
  void RemoveButton(TToolButton* button);
  // Makes the native buttons match the children, then places the children over them.
  void UpdateButtons();
  void UpdateButton(TToolButton* button);
  void PlaceButtons();
  void ApplySettings();
  void MakeMenuButtons();
  TToolButton* FindButton(UINT command) const;
  void CnNotify(TMessage& m);
  // Drops the button's menu item's sub-menu under it.
  void DropMenu(TToolButton* button);

  std::vector<TToolButton*> buttons_;       // children, in order
  bool flat_ = false;                       // TBSTYLE_FLAT
  bool showCaptions_ = false;               // buttons show their captions
  TImageList* images_ = nullptr;            // button images
  int buttonWidth_ = 23;                    // smallest button width
  int buttonHeight_ = 22;                   // button height
  TMainMenu* menu_ = nullptr;               // its top items have buttons
  std::vector<TToolButton*> menuButtons_;   // those buttons, owned by the tool bar
  UINT nextCommand_ = 1;                    // identifier of the next native button
  std::unique_ptr<TControlCanvas> canvas_;  // bound while a button is custom-drawn
};

}  // namespace bus
