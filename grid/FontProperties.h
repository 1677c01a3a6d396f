// Publishes a font that a grid object holds (the header font, a column's font) the way controls
// publish theirs: the font itself as a held object, and its settings as dotted properties
// ("HeaderFont.Name", "HeaderFont.Height", "HeaderFont.Color", "HeaderFont.Style",
// "HeaderFont.Charset", "HeaderFont.Size") that form descriptions set.
#pragma once

#include <functional>
#include <string>

#include "framework/Properties.h"

namespace bus {

class TFont;

void AddFontProperties(TClassInfo& info, const std::string& name, std::function<TFont*(const TObject&)> font);

}  // namespace bus
