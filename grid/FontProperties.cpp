#include "grid/FontProperties.h"

#include "framework/controls/PropertyIdents.h"
#include "framework/graphics/Font.h"

namespace bus {

void AddFontProperties(TClassInfo& info, const std::string& name, std::function<TFont*(const TObject&)> font) {
  auto add = [&](const std::string& suffix, TPropKind kind) -> TPropInfo& {
    info.properties.emplace_back();
    TPropInfo& p = info.properties.back();
    p.name = suffix.empty() ? name : name + "." + suffix;
    p.kind = kind;
    return p;
  };
  TPropInfo& held = add("", TPropKind::Object);
  held.getHeld = [font](const TObject& o) { return std::any(font(o)); };

  TPropInfo& face = add("Name", TPropKind::Text);
  face.getText = [font](const TObject& o) { return font(o)->Name(); };
  face.setText = [font](TObject& o, const std::string& v) { font(o)->SetName(v); };

  TPropInfo& height = add("Height", TPropKind::Integer);
  height.defaultValue = kDefaultFontHeight;
  height.getOrdinal = [font](const TObject& o) { return std::int64_t(font(o)->Height()); };
  height.setOrdinal = [font](TObject& o, std::int64_t v) { font(o)->SetHeight(int(v)); };

  TPropInfo& size = add("Size", TPropKind::Integer);
  size.getOrdinal = [font](const TObject& o) { return std::int64_t(font(o)->Size()); };
  size.setOrdinal = [font](TObject& o, std::int64_t v) { font(o)->SetSize(int(v)); };

  TPropInfo& color = add("Color", TPropKind::Integer);
  color.intIdents = &kColorIdents;
  color.defaultValue = clWindowText;
  color.getOrdinal = [font](const TObject& o) { return std::int64_t(font(o)->Color()); };
  color.setOrdinal = [font](TObject& o, std::int64_t v) { font(o)->SetColor(TColor(v)); };

  TPropInfo& style = add("Style", TPropKind::Set);
  style.idents = &kFontStyleNames;
  style.getOrdinal = [font](const TObject& o) { return std::int64_t(font(o)->Style().Bits()); };
  style.setOrdinal = [font](TObject& o, std::int64_t v) { font(o)->SetStyle(TFontStyles::FromBits(unsigned(v))); };

  TPropInfo& charset = add("Charset", TPropKind::Integer);
  charset.intIdents = &kCharsetIdents;
  charset.defaultValue = DEFAULT_CHARSET;
  charset.getOrdinal = [font](const TObject& o) { return std::int64_t(font(o)->Charset()); };
  charset.setOrdinal = [font](TObject& o, std::int64_t v) { font(o)->SetCharset(BYTE(v)); };
}

}  // namespace bus
