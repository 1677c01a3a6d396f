#include "skin/data/QuickIni.h"

#include "core/TextUtil.h"

namespace bus {

std::optional<std::int32_t> ParseSkinInteger(std::string_view text) {
  bool hex = false;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    hex = true;
  } else if (!text.empty() && text[0] == '$') {
    text.remove_prefix(1);
    hex = true;
  }
  if (text.empty()) return std::nullopt;
  if (hex) {
    // up to 32 bits, taken as the signed number with the same bits
    std::uint64_t v = 0;
    for (const char ch : text) {
      int d;
      if (ch >= '0' && ch <= '9') d = ch - '0';
      else if (ch >= 'a' && ch <= 'f') d = ch - 'a' + 10;
      else if (ch >= 'A' && ch <= 'F') d = ch - 'A' + 10;
      else return std::nullopt;
      v = v * 16 + std::uint64_t(d);
      if (v > 0xFFFFFFFFu) return std::nullopt;
    }
    return std::int32_t(std::uint32_t(v));
  }
  bool negative = false;
  if (text[0] == '-' || text[0] == '+') {
    negative = text[0] == '-';
    text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
  }
  std::int64_t v = 0;
  for (const char ch : text) {
    if (ch < '0' || ch > '9') return std::nullopt;
    v = v * 10 + (ch - '0');
    if (v > 2147483648LL) return std::nullopt;
  }
  if (negative) v = -v;
  if (v > 2147483647LL) return std::nullopt;
  return std::int32_t(v);
}

void TQuickIni::LoadFromStream(TStream& stream) {
  TMemoryStream bytes;
  bytes.LoadFromStream(stream);
  LoadFromText({reinterpret_cast<const char*>(bytes.Memory()), std::size_t(bytes.Size())});
}

void TQuickIni::LoadFromText(std::string_view text) {
  lines_.Clear();
  entries_.clear();
  headers_.clear();
  index_.clear();
  text = text.substr(0, text.find('\0'));
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = TrimControl(text.substr(pos, end - pos));
    if (!line.empty() && line[0] != ';') {
      Entry entry;
      entry.header = line.front() == '[' && line.back() == ']';
      if (entry.header) {
        const std::size_t at = std::size_t(lines_.Count());
        headers_.push_back(at);
        index_.try_emplace(AsciiLower(line), at);
      } else {
        const std::size_t eq = line.find('=');
        if (eq != std::string_view::npos) {
          entry.key = AsciiLower(TrimControl(line.substr(0, eq)));
          entry.value = std::string(TrimControl(line.substr(eq + 1)));
        }
      }
      lines_.Add(std::string(line));
      entries_.push_back(std::move(entry));
    }
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
}

std::optional<std::size_t> TQuickIni::FindSection(std::string_view section) const {
  const auto it = index_.find("[" + AsciiLower(section) + "]");
  if (it == index_.end()) return std::nullopt;
  return it->second;
}

bool TQuickIni::SectionExists(std::string_view section) const { return FindSection(section).has_value(); }

std::string TQuickIni::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
  const auto at = FindSection(section);
  if (!at) return std::string(defaultValue);
  const std::string wanted = AsciiLower(key);
  for (std::size_t i = *at + 1; i < entries_.size() && !entries_[i].header; ++i) {
    if (entries_[i].key == wanted) {
      return entries_[i].value.empty() ? std::string(defaultValue) : entries_[i].value;
    }
  }
  return std::string(defaultValue);
}

std::int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const {
  return ParseSkinInteger(ReadString(section, key, "")).value_or(defaultValue);
}

void TQuickIni::ReadSections(TStringList& list) const {
  list.Clear();
  for (const std::size_t at : headers_) {
    const std::string_view header = TrimControl(lines_[int(at)]);
    list.Add(std::string(TrimControl(header.substr(1, header.size() >= 2 ? header.size() - 2 : 0))));
  }
}

}  // namespace bus
