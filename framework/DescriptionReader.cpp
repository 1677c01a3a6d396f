#include "framework/DescriptionReader.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

#include "core/ScopeExit.h"
#include "core/Stream.h"
#include "core/TextEncoding.h"
#include "core/TextUtil.h"
#include "framework/ClassRegistry.h"
#include "framework/Collection.h"
#include "framework/Component.h"
#include "framework/Properties.h"

namespace bus {

namespace {

constexpr int kMaxDepth = 64;  // nested objects and collection items

enum class Tok { End, Ident, Int, Str, Sym, Bytes };

struct Token {
  Tok kind = Tok::End;
  std::string text;              // identifier, string value or symbol
  std::int64_t number = 0;       // Int
  std::vector<std::uint8_t> bytes;  // Bytes
  int line = 1;
};

struct Value;
struct Assignment {
  std::string path;   // possibly dotted property name
  int line = 0;
  std::vector<Value> value;  // exactly one element (vector allows the recursive type)
};

struct Value {
  enum Kind { Int, Str, Ident, Set, List, Bytes, Items } kind = Int;
  int line = 0;
  std::int64_t number = 0;
  std::string text;                          // Str, Ident
  std::vector<std::string> names;            // Set idents, List lines
  std::vector<std::uint8_t> bytes;           // Bytes
  std::vector<std::vector<Assignment>> items;  // Items: the assignments of each item
};

class Lexer {
public:
  explicit Lexer(std::string_view text) : s_(text) {}

  Token Next() {
    SkipBlanks();
    Token t;
    t.line = line_;
    if (pos_ >= s_.size()) return t;
    const char c = s_[pos_];
    if (IsIdentStart(c)) {
      size_t start = pos_;
      while (pos_ < s_.size() && (IsIdentStart(s_[pos_]) || IsDigit(s_[pos_]) || s_[pos_] == '.')) ++pos_;
      t.kind = Tok::Ident;
      t.text = std::string(s_.substr(start, pos_ - start));
      return t;
    }
    if (IsDigit(c) || c == '$' || (c == '-' && pos_ + 1 < s_.size() && (IsDigit(s_[pos_ + 1]) || s_[pos_ + 1] == '$'))) {
      t.kind = Tok::Int;
      t.number = Number();
      return t;
    }
    if (c == '\'' || c == '#') {
      t.kind = Tok::Str;
      t.text = String();
      return t;
    }
    if (c == '{') {
      t.kind = Tok::Bytes;
      t.bytes = Bytes();
      return t;
    }
    if (std::string_view("=:[](),<>+").find(c) != std::string_view::npos) {
      ++pos_;
      t.kind = Tok::Sym;
      t.text = std::string(1, c);
      return t;
    }
    Fail(std::string("unexpected character '") + (c >= 32 && c < 127 ? std::string(1, c) : "\\x" + Hex(c)) + "'");
  }

  [[noreturn]] void Fail(const std::string& message) const { throw EDescriptionError(line_, message); }

private:
  static bool IsIdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }
  static std::string Hex(char c) {
    const char* digits = "0123456789ABCDEF";
    return {digits[(unsigned char)c >> 4], digits[(unsigned char)c & 15]};
  }

  void SkipBlanks() {
    while (pos_ < s_.size()) {
      const char c = s_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else if (c == '/' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '/') {
        while (pos_ < s_.size() && s_[pos_] != '\n') ++pos_;
      } else {
        break;
      }
    }
  }

  std::int64_t Number() {
    const bool negative = s_[pos_] == '-';
    if (negative) ++pos_;
    std::uint64_t v = 0;
    const size_t start = pos_;
    if (s_[pos_] == '$') {
      ++pos_;
      const size_t digits = pos_;
      while (pos_ < s_.size() && HexDigit(s_[pos_]) >= 0) {
        if (v >> 60) Fail("number too large");
        v = v * 16 + std::uint64_t(HexDigit(s_[pos_++]));
      }
      if (pos_ == digits) Fail("'$' without hexadecimal digits");
      if (v > std::uint64_t(INT64_MAX)) Fail("number too large");
    } else {
      while (pos_ < s_.size() && IsDigit(s_[pos_])) ++pos_;
      auto [end, ec] = std::from_chars(s_.data() + start, s_.data() + pos_, v);
      if (ec != std::errc() || v > std::uint64_t(INT64_MAX)) Fail("number too large");
    }
    if (pos_ < s_.size() && (IsIdentStart(s_[pos_]) || s_[pos_] == '.')) Fail("malformed number");
    return negative ? -std::int64_t(v) : std::int64_t(v);
  }

  // 'quoted' and #code pieces written next to each other form one text.
  std::string String() {
    std::string out;
    while (pos_ < s_.size() && (s_[pos_] == '\'' || s_[pos_] == '#')) {
      if (s_[pos_] == '#') {
        ++pos_;
        std::uint32_t code = 0;
        const size_t start = pos_;
        while (pos_ < s_.size() && IsDigit(s_[pos_]) && code <= 0x10FFFF) code = code * 10 + std::uint32_t(s_[pos_++] - '0');
        if (pos_ == start || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) Fail("bad character code after '#'");
        AppendUtf8(out, char32_t(code));
        continue;
      }
      ++pos_;
      for (;;) {
        if (pos_ >= s_.size() || s_[pos_] == '\n') Fail("unterminated text");
        if (s_[pos_] == '\'') {
          if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\'') {
            out += '\'';
            pos_ += 2;
            continue;
          }
          ++pos_;
          break;
        }
        out += s_[pos_++];
      }
    }
    return out;
  }

  // { hex digits, blanks and line breaks allowed between byte pairs }
  std::vector<std::uint8_t> Bytes() {
    ++pos_;
    std::vector<std::uint8_t> out;
    int high = -1;
    for (;;) {
      if (pos_ >= s_.size()) Fail("unterminated binary value");
      const char c = s_[pos_++];
      if (c == '}') break;
      if (c == '\n') {
        ++line_;
        continue;
      }
      if (c == ' ' || c == '\t' || c == '\r') continue;
      const int d = HexDigit(c);
      if (d < 0) Fail("binary values hold hexadecimal digits only");
      if (high < 0) {
        high = d;
      } else {
        out.push_back(std::uint8_t(high * 16 + d));
        high = -1;
      }
    }
    if (high >= 0) Fail("odd number of hexadecimal digits");
    return out;
  }

  std::string_view s_;  // the description
  size_t pos_ = 0;      // next character
  int line_ = 1;        // line of pos_
};

struct Fixup {
  TObject* object;
  const TPropInfo* prop;
  std::string target;
  int line;
};

class Reader {
public:
  Reader(std::string_view text, TComponent& root, bool nameRoot)
      : lex_(text), root_(root), nameRoot_(nameRoot) {
    Advance();
  }

  void Run() {
    {
      // a description that fails leaves no component in the loading state
      ScopeFailure endLoading([this] {
        root_.SetLoadingState(false);
        for (TComponent* c : created_) c->SetLoadingState(false);
      });
      root_.SetLoadingState(true);
      ReadObject(nullptr, 0);
      if (tok_.kind != Tok::End) Fail(tok_.line, "text after the final 'end'");
      for (const Fixup& f : fixups_) {
        TComponent* target = root_.FindComponent(f.target);
        if (!target && EqualsIgnoringAsciiCase(root_.Name(), f.target)) target = &root_;
        if (!target) Fail(f.line, "no component named " + f.target);
        Guard(f.line, [&] { f.prop->setObject(*f.object, target); });
      }
    }
    root_.LoadedByReader();
    for (TComponent* c : created_) c->LoadedByReader();
  }

private:
  [[noreturn]] static void Fail(int line, const std::string& message) { throw EDescriptionError(line, message); }

  template <class F>
  static void Guard(int line, F&& action) {
    try {
      action();
    } catch (const EDescriptionError&) {
      throw;
    } catch (const Exception& e) {
      Fail(line, e.Message());
    } catch (const std::bad_any_cast&) {
      Fail(line, "the handler does not fit this event");
    } catch (const std::exception& e) {
      Fail(line, e.what());
    }
  }

  void Advance() { tok_ = lex_.Next(); }
  bool IsSym(const char* s) const { return tok_.kind == Tok::Sym && tok_.text == s; }
  bool IsWord(const char* w) const { return tok_.kind == Tok::Ident && EqualsIgnoringAsciiCase(tok_.text, w); }
  void ExpectSym(const char* s) {
    if (!IsSym(s)) Fail(tok_.line, std::string("'") + s + "' expected");
    Advance();
  }
  std::string ExpectIdent(const char* what) {
    if (tok_.kind != Tok::Ident) Fail(tok_.line, std::string(what) + " expected");
    std::string s = tok_.text;
    Advance();
    return s;
  }

  void ReadObject(TComponent* enclosing, int depth) {
    if (depth > kMaxDepth) Fail(tok_.line, "objects nested too deeply");
    if (!IsWord("object")) Fail(tok_.line, "'object' expected");
    const int line = tok_.line;
    Advance();
    const std::string name = ExpectIdent("component name");
    ExpectSym(":");
    const std::string className = ExpectIdent("class name");
    TComponent* component = nullptr;
    if (enclosing == nullptr) {
      if (!EqualsIgnoringAsciiCase(root_.ClassName(), className))
        Fail(line, "the description is for a " + className + ", not a " + root_.ClassName());
      if (nameRoot_) Guard(line, [&] { root_.SetName(name); });
      component = &root_;
    } else {
      const TClassInfo* cls = FindClass(className);
      if (!cls) Fail(line, "unknown class " + className);
      if (!cls->create) Fail(line, "class " + className + " cannot be created from a description");
      if (root_.FindComponent(name) || EqualsIgnoringAsciiCase(root_.Name(), name))
        Fail(line, "a component named " + name + " already exists");
      Guard(line, [&] {
        component = cls->create(&root_);
        component->SetLoadingState(true);
        created_.push_back(component);
        component->SetName(name);
        component->SetParentComponent(enclosing);
        root_.BindField(name, component);
      });
    }
    for (;;) {
      if (IsWord("end")) {
        Advance();
        return;
      }
      if (IsWord("object")) {
        ReadObject(component, depth + 1);
        continue;
      }
      if (tok_.kind != Tok::Ident) Fail(tok_.line, "property name, 'object' or 'end' expected");
      Assignment a = ReadAssignment(depth);
      Apply(*component, a);
    }
  }

  Assignment ReadAssignment(int depth) {
    Assignment a;
    a.line = tok_.line;
    a.path = ExpectIdent("property name");
    ExpectSym("=");
    a.value.push_back(ReadValue(depth));
    return a;
  }

  Value ReadValue(int depth) {
    Value v;
    v.line = tok_.line;
    switch (tok_.kind) {
      case Tok::Int:
        v.kind = Value::Int;
        v.number = tok_.number;
        Advance();
        return v;
      case Tok::Ident:
        v.kind = Value::Ident;
        v.text = tok_.text;
        Advance();
        return v;
      case Tok::Str:
        v.kind = Value::Str;
        v.text = ReadText();
        return v;
      case Tok::Bytes:
        v.kind = Value::Bytes;
        v.bytes = std::move(tok_.bytes);
        Advance();
        return v;
      case Tok::Sym:
        break;
      case Tok::End:
        Fail(tok_.line, "value expected");
    }
    if (IsSym("[")) {
      v.kind = Value::Set;
      Advance();
      if (!IsSym("]")) {
        for (;;) {
          v.names.push_back(ExpectIdent("set member"));
          if (IsSym("]")) break;
          ExpectSym(",");
        }
      }
      Advance();
      return v;
    }
    if (IsSym("(")) {
      v.kind = Value::List;
      Advance();
      while (!IsSym(")")) {
        if (tok_.kind != Tok::Str) Fail(tok_.line, "text line or ')' expected");
        v.names.push_back(ReadText());
      }
      Advance();
      return v;
    }
    if (IsSym("<")) {
      if (depth > kMaxDepth) Fail(tok_.line, "collections nested too deeply");
      v.kind = Value::Items;
      Advance();
      while (!IsSym(">")) {
        if (!IsWord("item")) Fail(tok_.line, "'item' or '>' expected");
        Advance();
        std::vector<Assignment> item;
        while (!IsWord("end")) {
          if (tok_.kind != Tok::Ident) Fail(tok_.line, "property name or 'end' expected");
          item.push_back(ReadAssignment(depth + 1));
        }
        Advance();
        v.items.push_back(std::move(item));
      }
      Advance();
      return v;
    }
    Fail(tok_.line, "value expected");
  }

  // Text pieces joined with '+'.
  std::string ReadText() {
    std::string s = tok_.text;
    Advance();
    while (IsSym("+")) {
      Advance();
      if (tok_.kind != Tok::Str) Fail(tok_.line, "text expected after '+'");
      s += tok_.text;
      Advance();
    }
    return s;
  }

  // Sets one property of obj, walking a dotted path through held objects.
  void Apply(TObject& obj, const Assignment& a) {
    const TPropertyPath path = ResolvePropertyPath(&obj, a.path);
    if (!path.prop) Fail(a.line, path.error);
    TObject* const target = path.object;
    const TPropInfo* const p = path.prop;
    const Value& v = a.value.front();
    auto wrongKind = [&]() { Fail(v.line, "wrong kind of value for " + p->name); };
    auto requireSetter = [&](bool present) {
      if (!present) Fail(a.line, p->name + " is read-only");
    };
    switch (p->kind) {
      case TPropKind::Integer: {
        std::int64_t n = 0;
        if (v.kind == Value::Int) n = v.number;
        else if (v.kind == Value::Ident) Guard(v.line, [&] { n = IdentOrdinal(*p, v.text); });
        else wrongKind();
        requireSetter(bool(p->setOrdinal));
        Guard(a.line, [&] { p->setOrdinal(*target, n); });
        return;
      }
      case TPropKind::Enumeration: {
        if (v.kind != Value::Ident) wrongKind();
        std::int64_t index = 0;
        Guard(v.line, [&] { index = IdentOrdinal(*p, v.text); });
        requireSetter(bool(p->setOrdinal));
        Guard(a.line, [&] { p->setOrdinal(*target, index); });
        return;
      }
      case TPropKind::Set: {
        if (v.kind != Value::Set) wrongKind();
        std::int64_t bits = 0;
        Guard(v.line, [&] { bits = SetOrdinal(*p, std::vector<std::string_view>(v.names.begin(), v.names.end())); });
        requireSetter(bool(p->setOrdinal));
        Guard(a.line, [&] { p->setOrdinal(*target, bits); });
        return;
      }
      case TPropKind::Text:
        if (v.kind != Value::Str) wrongKind();
        requireSetter(bool(p->setText));
        Guard(a.line, [&] { p->setText(*target, v.text); });
        return;
      case TPropKind::Reference:
        if (v.kind != Value::Ident) wrongKind();
        if (EqualsIgnoringAsciiCase(v.text, "nil")) {
          Guard(a.line, [&] { p->setObject(*target, nullptr); });
          return;
        }
        fixups_.push_back({target, p, v.text, v.line});
        return;
      case TPropKind::Event: {
        if (v.kind != Value::Ident) wrongKind();
        const std::any method = root_.FindMethod(v.text);
        if (!method.has_value()) Fail(v.line, root_.ClassName() + " has no method " + v.text);
        Guard(a.line, [&] { p->setEvent(*target, method); });
        return;
      }
      case TPropKind::Strings: {
        TStringList lines;
        if (v.kind == Value::List) {
          for (const std::string& s : v.names) lines.Add(s);
        } else if (v.kind == Value::Str) {
          lines.Add(v.text);
        } else {
          wrongKind();
        }
        Guard(a.line, [&] { p->setStrings(*target, lines); });
        return;
      }
      case TPropKind::Binary: {
        if (v.kind != Value::Bytes) wrongKind();
        Guard(a.line, [&] {
          TMemoryStream stream;
          if (!v.bytes.empty()) stream.WriteBuffer(v.bytes.data(), v.bytes.size());
          stream.SetPosition(0);
          p->readBinary(*target, stream);
        });
        return;
      }
      case TPropKind::Collection: {
        if (v.kind != Value::Items) wrongKind();
        auto* collection = dynamic_cast<TCollection*>(p->getObject(*target));
        if (!collection) Fail(a.line, p->name + " holds no collection");
        Guard(a.line, [&] { collection->Clear(); });
        for (const auto& item : v.items) {
          TCollectionItem* it = nullptr;
          Guard(a.line, [&] { it = collection->Add(); });
          for (const Assignment& ia : item) Apply(*it, ia);
        }
        return;
      }
      case TPropKind::Object:
        Fail(a.line, p->name + " is set through its own properties (" + p->name + ".Name = ...)");
    }
  }

  Lexer lex_;                            // tokens of the description
  Token tok_;                            // current token
  TComponent& root_;                     // the object being loaded
  bool nameRoot_;                        // the root takes the description's name
  std::vector<TComponent*> created_;     // components made, in stored order
  std::vector<Fixup> fixups_;            // references to resolve at the end
};

}  // namespace

void ReadDescription(std::string_view text, TComponent& root, bool nameRoot) { Reader(text, root, nameRoot).Run(); }

}  // namespace bus
