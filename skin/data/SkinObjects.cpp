#include "skin/data/SkinObjects.h"

#include <cassert>
#include <typeinfo>

namespace bus {

void TDataSkinObject::SetMargins(TSkinMargins m) noexcept {
  leftWidth_ = m.left;
  topHeight_ = m.top;
  rightWidth_ = m.right;
  bottomHeight_ = m.bottom;
}

void TDataSkinObject::Assign(const TDataSkinObject& source) {
  assert(typeid(source) == typeid(*this) && source.name_ == name_);
  leftWidth_ = source.leftWidth_;
  topHeight_ = source.topHeight_;
  rightWidth_ = source.rightWidth_;
  bottomHeight_ = source.bottomHeight_;
  image_.Assign(source.image_);
  trans_ = source.trans_;
  tile_ = source.tile_;
  frame_ = source.frame_;
  style_ = source.style_;
  normalColour_ = source.normalColour_;
  mouseOverColour_ = source.mouseOverColour_;
  pressedColour_ = source.pressedColour_;
  normalColour2_ = source.normalColour2_;
  mouseOverColour2_ = source.mouseOverColour2_;
  pressedColour2_ = source.pressedColour2_;
}

void TDataSkinBorder::Assign(const TDataSkinObject& source) {
  TDataSkinObject::Assign(source);
  image2_.Assign(static_cast<const TDataSkinBorder&>(source).image2_);
}

void TDataSkinButton::Assign(const TDataSkinObject& source) {
  TDataSkinObject::Assign(source);
  const auto& b = static_cast<const TDataSkinButton&>(source);
  checkButton_.Assign(b.checkButton_);
  radioButton_.Assign(b.radioButton_);
  radioButtonFrame_ = b.radioButtonFrame_;
  checkButtonFrame_ = b.checkButtonFrame_;
  hasNormalColour2_ = b.hasNormalColour2_;
  hasMouseOverColour2_ = b.hasMouseOverColour2_;
  hasPressedColour2_ = b.hasPressedColour2_;
}

void TDataSkinTitle::Assign(const TDataSkinObject& source) {
  TDataSkinObject::Assign(source);
  const auto& t = static_cast<const TDataSkinTitle&>(source);
  textAlignment_ = t.textAlignment_;
  textbackground_ = t.textbackground_;
  fontHeight_ = t.fontHeight_;
  txtBackLeft_ = t.txtBackLeft_;
  txtBackRight_ = t.txtBackRight_;
  activeText_ = t.activeText_;
  inActiveText_ = t.inActiveText_;
}

TSkinStrip StripOf(const TDataSkinObject& object, const BmpImage& pixels) {
  TSkinStrip strip;
  strip.image = &pixels;
  strip.frames = object.Frame();
  strip.margins = object.Margins();
  strip.transparent = object.Trans() == 1;
  strip.tile = object.Tile() == 1;
  return strip;
}

}  // namespace bus
