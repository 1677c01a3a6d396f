// Skin objects: one per descriptor section the skin engine knows, each an image strip with its
// margins, frame count, transparency and colours. The form and control painting refer to them by
// section name and to their fields by the descriptor keys that fill them.
#pragma once

#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Color.h"
#include "skin/data/NineSlice.h"

namespace bus {

class TDataSkinObject {
public:
  explicit TDataSkinObject(std::string name) : name_(std::move(name)) {}
  virtual ~TDataSkinObject() = default;
  TDataSkinObject(const TDataSkinObject&) = delete;
  TDataSkinObject& operator=(const TDataSkinObject&) = delete;

  // Takes every setting and image of source, an object of the same class and section, so that an
  // object others point to can show a newly read skin.
  virtual void Assign(const TDataSkinObject& source);

  // The margins: corners are copied, edges and centre stretched or tiled.
  int LeftWidth() const noexcept { return leftWidth_; }
  void SetLeftWidth(int v) noexcept { leftWidth_ = v; }
  int TopHeight() const noexcept { return topHeight_; }
  void SetTopHeight(int v) noexcept { topHeight_ = v; }
  int RightWidth() const noexcept { return rightWidth_; }
  void SetRightWidth(int v) noexcept { rightWidth_ = v; }
  int BottomHeight() const noexcept { return bottomHeight_; }
  void SetBottomHeight(int v) noexcept { bottomHeight_ = v; }
  TSkinMargins Margins() const noexcept { return {leftWidth_, topHeight_, rightWidth_, bottomHeight_}; }
  void SetMargins(TSkinMargins m) noexcept;

  // A strip of Frame() equally wide frames side by side; empty when the skin gives none.
  TBitmap& Image() noexcept { return image_; }
  const TBitmap& Image() const noexcept { return image_; }
  // 1: magenta pixels are transparent.
  int Trans() const noexcept { return trans_; }
  void SetTrans(int v) noexcept { trans_ = v; }
  // 1: the centre is tiled instead of stretched.
  int Tile() const noexcept { return tile_; }
  void SetTile(int v) noexcept { tile_ = v; }
  // The section name (upper case for caption buttons; "Personality" for the menu bar).
  const std::string& Name() const noexcept { return name_; }
  // Number of frames in Image().
  int Frame() const noexcept { return frame_; }
  void SetFrame(int v) noexcept { frame_ = v; }
  int Style() const noexcept { return style_; }
  void SetStyle(int v) noexcept { style_ = v; }
  // As written in the descriptor; -1 when absent.
  int NormalColour() const noexcept { return normalColour_; }
  void SetNormalColour(int v) noexcept { normalColour_ = v; }
  int MouseOverColour() const noexcept { return mouseOverColour_; }
  void SetMouseOverColour(int v) noexcept { mouseOverColour_ = v; }
  int PressedColour() const noexcept { return pressedColour_; }
  void SetPressedColour(int v) noexcept { pressedColour_ = v; }
  // Text colours of the normal, mouse-over and pressed state.
  TColor NormalColour2() const noexcept { return normalColour2_; }
  void SetNormalColour2(TColor v) noexcept { normalColour2_ = v; }
  TColor MouseOverColour2() const noexcept { return mouseOverColour2_; }
  void SetMouseOverColour2(TColor v) noexcept { mouseOverColour2_ = v; }
  TColor PressedColour2() const noexcept { return pressedColour2_; }
  void SetPressedColour2(TColor v) noexcept { pressedColour2_ = v; }

private:
  int leftWidth_ = 0;                 // left margin, pixels
  int topHeight_ = 0;                 // top margin, pixels
  int rightWidth_ = 0;                // right margin, pixels
  int bottomHeight_ = 0;              // bottom margin, pixels
  TBitmap image_;                     // the frames
  int trans_ = 0;                     // 1: magenta is transparent
  int tile_ = 0;                      // 1: tiled centre
  std::string name_;                  // section name
  int frame_ = 0;                     // frame count
  int style_ = 0;                     // style number
  int normalColour_ = -1;             // as written, -1 when absent
  int mouseOverColour_ = -1;          // as written, -1 when absent
  int pressedColour_ = -1;            // as written, -1 when absent
  TColor normalColour2_ = clBtnText;    // text colour, normal
  TColor mouseOverColour2_ = clBtnText; // text colour under the mouse
  TColor pressedColour2_ = clBtnText;   // text colour pressed
};

// An object with a second image: the window borders (none), Progress (Chunk), Tabs (Border),
// ComboButton (its image mirrored), UpDown.Horz and UpDown.Vert (GlyphImage).
class TDataSkinBorder : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  void Assign(const TDataSkinObject& source) override;
  TBitmap& Image2() noexcept { return image2_; }
  const TBitmap& Image2() const noexcept { return image2_; }

private:
  TBitmap image2_;  // the second image
};

// Push buttons, with the check-box and radio-button strips.
class TDataSkinButton : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  void Assign(const TDataSkinObject& source) override;
  TBitmap& CheckButton() noexcept { return checkButton_; }
  const TBitmap& CheckButton() const noexcept { return checkButton_; }
  TBitmap& RadioButton() noexcept { return radioButton_; }
  const TBitmap& RadioButton() const noexcept { return radioButton_; }
  int RadioButtonFrame() const noexcept { return radioButtonFrame_; }
  void SetRadioButtonFrame(int v) noexcept { radioButtonFrame_ = v; }
  int CheckButtonFrame() const noexcept { return checkButtonFrame_; }
  void SetCheckButtonFrame(int v) noexcept { checkButtonFrame_ = v; }
  // Whether the descriptor gave the text colour of that state.
  bool HasNormalColour2() const noexcept { return hasNormalColour2_; }
  void SetHasNormalColour2(bool v) noexcept { hasNormalColour2_ = v; }
  bool HasMouseOverColour2() const noexcept { return hasMouseOverColour2_; }
  void SetHasMouseOverColour2(bool v) noexcept { hasMouseOverColour2_ = v; }
  bool HasPressedColour2() const noexcept { return hasPressedColour2_; }
  void SetHasPressedColour2(bool v) noexcept { hasPressedColour2_ = v; }

private:
  TBitmap checkButton_;              // check-box strip
  TBitmap radioButton_;              // radio-button strip
  int radioButtonFrame_ = 0;         // frames in radioButton_
  int checkButtonFrame_ = 0;         // frames in checkButton_
  bool hasNormalColour2_ = false;    // NormalColour2 was written
  bool hasMouseOverColour2_ = false; // MouseOverColour2 was written
  bool hasPressedColour2_ = false;   // PressedColour2 was written
};

// The caption text: its background image, placement and colours. LeftWidth is the text's shift
// from the left, TopHeight its vertical shift, RightWidth the clip on the right.
class TDataSkinTitle : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  void Assign(const TDataSkinObject& source) override;
  int TextAlignment() const noexcept { return textAlignment_; }
  void SetTextAlignment(int v) noexcept { textAlignment_ = v; }
  int Textbackground() const noexcept { return textbackground_; }
  void SetTextbackground(int v) noexcept { textbackground_ = v; }
  int FontHeight() const noexcept { return fontHeight_; }
  void SetFontHeight(int v) noexcept { fontHeight_ = v; }
  int TXTBackleft() const noexcept { return txtBackLeft_; }
  void SetTXTBackleft(int v) noexcept { txtBackLeft_ = v; }
  int TXTBackRight() const noexcept { return txtBackRight_; }
  void SetTXTBackRight(int v) noexcept { txtBackRight_ = v; }
  // Caption text colours; clNone when the skin does not give them.
  TColor ActiveText() const noexcept { return activeText_; }
  void SetActiveText(TColor v) noexcept { activeText_ = v; }
  TColor InActiveText() const noexcept { return inActiveText_; }
  void SetInActiveText(TColor v) noexcept { inActiveText_ = v; }

private:
  int textAlignment_ = 0;         // caption text alignment
  int textbackground_ = 0;        // draw the text background image
  int fontHeight_ = 0;            // caption font height
  int txtBackLeft_ = 0;           // text background's left margin
  int txtBackRight_ = 0;          // text background's right margin
  TColor activeText_ = clNone;    // caption text, active window
  TColor inActiveText_ = clNone;  // caption text, inactive window
};

// A caption button (close, maximise, system menu ...) or one of the three window-control buttons
// of a maximised MDI child (Action 7, 8, 9).
class TDataSkinSysButton : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  int Action() const noexcept { return action_; }
  void SetAction(int v) noexcept { action_ = v; }
  int Align() const noexcept { return align_; }
  void SetAlign(int v) noexcept { align_ = v; }
  int Xcoord() const noexcept { return xcoord_; }
  void SetXcoord(int v) noexcept { xcoord_ = v; }
  int Ycoord() const noexcept { return ycoord_; }
  void SetYcoord(int v) noexcept { ycoord_ = v; }
  int CombineOp() const noexcept { return combineOp_; }
  void SetCombineOp(int v) noexcept { combineOp_ = v; }
  int Visibility() const noexcept { return visibility_; }
  void SetVisibility(int v) noexcept { visibility_ = v; }
  int Visibility1() const noexcept { return visibility1_; }
  void SetVisibility1(int v) noexcept { visibility1_ = v; }

private:
  int action_ = 0;       // what a click does
  int align_ = 0;        // placed from the left or the right
  int xcoord_ = 0;       // horizontal place
  int ycoord_ = 0;       // vertical place
  int combineOp_ = -1;   // how the image combines with the caption
  int visibility_ = 0;   // first visibility test
  int visibility1_ = 0;  // second visibility test
};

// The group-box caption background.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  int BackgroundLeftShift() const noexcept { return backgroundLeftShift_; }
  void SetBackgroundLeftShift(int v) noexcept { backgroundLeftShift_ = v; }
  int BackgroundRightShift() const noexcept { return backgroundRightShift_; }
  void SetBackgroundRightShift(int v) noexcept { backgroundRightShift_ = v; }
  int BackgroundAlignment() const noexcept { return backgroundAlignment_; }
  void SetBackgroundAlignment(int v) noexcept { backgroundAlignment_ = v; }

private:
  int backgroundLeftShift_ = 0;   // background reaches this far left of the text
  int backgroundRightShift_ = 0;  // and this far right
  int backgroundAlignment_ = 0;   // where the caption sits
};

// The object as image composition sees it: its margins, frames, transparency and tiling, with
// `pixels` (its image's pixels, which the caller keeps) as the strip.
TSkinStrip StripOf(const TDataSkinObject& object, const BmpImage& pixels);

}  // namespace bus
