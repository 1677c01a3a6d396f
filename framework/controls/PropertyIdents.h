// Identifiers form descriptions use for some integer and set properties of controls: colours
// (clBtnFace, $00FF8000), cursors (crHandPoint), character sets, font styles and text alignment.
#pragma once

#include "framework/Properties.h"

namespace bus {

extern const TIntIdents kColorIdents;
extern const TIntIdents kCursorIdents;
extern const TIntIdents kCharsetIdents;
extern const TIdentList kFontStyleNames;

}  // namespace bus
