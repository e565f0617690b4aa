#include "xml/xml_encoding.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <optional>

#include "platform/text_encoding.h"

namespace ps::xml {

namespace {

using platform::Encoding;

enum class Declared { utf8, shiftJis, latin1, ascii };

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return lowerAscii(x) == lowerAscii(y);
         });
}

std::optional<Declared> encodingNamed(std::string_view name) {
  struct Alias {
    std::string_view name;
    Declared encoding;
  };
  static constexpr std::array<Alias, 23> kAliases{{
      {"utf-8", Declared::utf8},          {"utf8", Declared::utf8},
      {"shift_jis", Declared::shiftJis},  {"shift-jis", Declared::shiftJis},
      {"sjis", Declared::shiftJis},       {"x-sjis", Declared::shiftJis},
      {"ms_kanji", Declared::shiftJis},   {"csshiftjis", Declared::shiftJis},
      {"windows-31j", Declared::shiftJis}, {"cswindows31j", Declared::shiftJis},
      {"cp932", Declared::shiftJis},      {"ms932", Declared::shiftJis},
      {"iso-8859-1", Declared::latin1},   {"iso_8859-1", Declared::latin1},
      {"iso8859-1", Declared::latin1},    {"latin1", Declared::latin1},
      {"l1", Declared::latin1},           {"iso-ir-100", Declared::latin1},
      {"csisolatin1", Declared::latin1},  {"ibm819", Declared::latin1},
      {"cp819", Declared::latin1},        {"us-ascii", Declared::ascii},
      {"ascii", Declared::ascii},
  }};
  for (const Alias& alias : kAliases)
    if (equalsIgnoringCase(name, alias.name)) return alias.encoding;
  return std::nullopt;
}

// The XML declaration at the start of a document:
//   '<?xml' VersionInfo EncodingDecl? SDDecl? S? '?>'
// with VersionInfo = S 'version' Eq ('"1.' [0-9]+ '"' | same in '),
// EncodingDecl = S 'encoding' Eq quoted [A-Za-z] [A-Za-z0-9._-]*,
// SDDecl = S 'standalone' Eq quoted ('yes' | 'no'), Eq = S? '=' S?.
// It is all ASCII in every encoding read here, so it is found in the raw
// bytes, and sits at the same offsets in the converted text.
struct Declaration {
  bool present = false;
  std::size_t encodingOffset = 0;  // of the encoding name, when it has one
  std::string_view encoding;
};

class DeclarationScanner {
 public:
  explicit DeclarationScanner(std::string_view text) : text_(text) {}

  // nullopt when the text starts "<?xml" + space but the rest is malformed.
  std::optional<Declaration> scan() {
    Declaration declaration;
    if (!text_.starts_with("<?xml") || text_.size() < 6 || !isSpace(text_[5])) return declaration;
    declaration.present = true;
    pos_ = 5;
    std::string_view value;
    if (!pseudoAttribute("version", value) || !isVersion(value)) return std::nullopt;
    const std::size_t mark = pos_;
    std::size_t valueOffset = 0;
    if (pseudoAttribute("encoding", value, &valueOffset)) {
      if (!isEncodingName(value)) return std::nullopt;
      declaration.encoding = value;
      declaration.encodingOffset = valueOffset;
    } else {
      pos_ = mark;
    }
    const std::size_t beforeStandalone = pos_;
    if (pseudoAttribute("standalone", value)) {
      if (value != "yes" && value != "no") return std::nullopt;
    } else {
      pos_ = beforeStandalone;
    }
    skipSpace();
    if (text_.substr(pos_, 2) != "?>") return std::nullopt;
    return declaration;
  }

 private:
  static bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
  static bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
  static bool isDigit(char c) { return c >= '0' && c <= '9'; }

  static bool isVersion(std::string_view v) {
    return v.size() > 2 && v.starts_with("1.") && std::all_of(v.begin() + 2, v.end(), isDigit);
  }
  static bool isEncodingName(std::string_view v) {
    return !v.empty() && isLetter(v[0]) && std::all_of(v.begin() + 1, v.end(), [](char c) {
      return isLetter(c) || isDigit(c) || c == '.' || c == '_' || c == '-';
    });
  }

  bool skipSpace() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && isSpace(text_[pos_])) ++pos_;
    return pos_ > start;
  }

  // S name Eq quoted-value; on a mismatch the position is left anywhere.
  bool pseudoAttribute(std::string_view name, std::string_view& value, std::size_t* valueOffset = nullptr) {
    if (!skipSpace() || text_.substr(pos_, name.size()) != name) return false;
    pos_ += name.size();
    skipSpace();
    if (pos_ >= text_.size() || text_[pos_] != '=') return false;
    ++pos_;
    skipSpace();
    if (pos_ >= text_.size() || (text_[pos_] != '"' && text_[pos_] != '\'')) return false;
    const char quote = text_[pos_++];
    const std::size_t close = text_.find(quote, pos_);
    if (close == std::string_view::npos) return false;
    value = text_.substr(pos_, close - pos_);
    if (valueOffset) *valueOffset = pos_;
    pos_ = close + 1;
    return true;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

[[noreturn]] void refuse(XmlEncodingError::Kind kind, std::string_view name, int line, std::string_view mark = {}) {
  throw XmlEncodingError{kind, std::string(name), line, std::string(mark)};
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Refuses a text whose first character after white space is not "<"; an
// empty or blank text is left to the parser (no root element).
void checkStartsLikeXml(std::string_view text) {
  const auto first = std::find_if_not(text.begin(), text.end(), isSpace);
  if (first != text.end() && *first != '<') {
    const auto offset = static_cast<std::size_t>(first - text.begin());
    throw XmlError{XmlError::Kind::notXml, xmlLineAt(text, offset), {}};
  }
}

// UTF-16 or UTF-32, from a byte order mark or from "<?" in that form.
struct WideForm {
  std::string_view family;  // "UTF-16" or "UTF-32"
  std::string_view system;  // the form's name for the conversion: "UTF-16LE", ...
  std::size_t markBytes;    // of the byte order mark, 0 without one
};

std::optional<WideForm> wideForm(std::string_view b) {
  using std::string_view;
  if (b.starts_with(string_view("\x00\x00\xFE\xFF", 4))) return WideForm{"UTF-32", "UTF-32BE", 4};
  if (b.starts_with(string_view("\xFF\xFE\x00\x00", 4))) return WideForm{"UTF-32", "UTF-32LE", 4};
  if (b.starts_with(string_view("\x00\x00\x00\x3C", 4))) return WideForm{"UTF-32", "UTF-32BE", 0};
  if (b.starts_with(string_view("\x3C\x00\x00\x00", 4))) return WideForm{"UTF-32", "UTF-32LE", 0};
  if (b.starts_with("\xFE\xFF")) return WideForm{"UTF-16", "UTF-16BE", 2};
  if (b.starts_with("\xFF\xFE")) return WideForm{"UTF-16", "UTF-16LE", 2};
  if (b.starts_with(string_view("\x00\x3C\x00\x3F", 4))) return WideForm{"UTF-16", "UTF-16BE", 0};
  if (b.starts_with(string_view("\x3C\x00\x3F\x00", 4))) return WideForm{"UTF-16", "UTF-16LE", 0};
  return std::nullopt;
}

// Whether a declared name is a form of UTF-16 or UTF-32 (or UCS-2/UCS-4).
bool namesWideForm(std::string_view name, std::string_view family) {
  std::string key;
  for (char c : name)
    if (c != '-' && c != '_') key += lowerAscii(c);
  if (family == "UTF-16")
    return key == "utf16" || key == "utf16le" || key == "utf16be" || key == "ucs2" || key == "iso10646ucs2" ||
           key == "csunicode" || key == "unicode";
  return key == "utf32" || key == "utf32le" || key == "utf32be" || key == "ucs4" || key == "iso10646ucs4";
}

[[noreturn]] void refuseInvalid(std::string_view name, const platform::NamedDecode& decoded) {
  refuse(XmlEncodingError::Kind::invalidBytes, name, xmlLineAt(decoded.text, decoded.text.size()));
}

// The declaration's encoding, if any, rewritten to the UTF-8 the text now is.
void declareUtf8(std::string& text, const Declaration& declaration) {
  if (!declaration.encoding.empty())
    text.replace(declaration.encodingOffset, declaration.encoding.size(), "UTF-8");
}

// A document in UTF-16 or UTF-32: converted whole, then its declaration
// read from the text.
std::string decodeWide(std::string_view bytes, const WideForm& form) {
  using Kind = XmlEncodingError::Kind;
  platform::NamedDecode decoded = platform::decodeNamed(bytes.substr(form.markBytes), form.system);
  if (decoded.status == platform::NamedDecode::Status::unknownEncoding) refuse(Kind::unsupported, form.family, 1);
  if (decoded.status == platform::NamedDecode::Status::invalidBytes) refuseInvalid(form.family, decoded);
  std::string text = std::move(decoded.text);
  checkStartsLikeXml(text);
  const std::optional<Declaration> declaration = DeclarationScanner(text).scan();
  if (!declaration) refuse(Kind::badDeclaration, "", 1);
  if (!declaration->encoding.empty() && !namesWideForm(declaration->encoding, form.family))
    refuse(Kind::bomConflict, declaration->encoding, 1, form.family);
  declareUtf8(text, *declaration);
  return text;
}

}  // namespace

int xmlLineAt(std::string_view text, std::size_t offset) {
  int line = 1;
  const std::size_t end = std::min(offset, text.size());
  for (std::size_t i = 0; i < end; ++i) {
    const bool lineEnd = text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'));
    if (lineEnd && line < std::numeric_limits<int>::max()) ++line;
  }
  return line;
}

std::string decodeXmlDocument(std::string_view bytes) {
  using Kind = XmlEncodingError::Kind;
  if (const std::optional<WideForm> wide = wideForm(bytes)) return decodeWide(bytes, *wide);
  const bool utf8Mark = bytes.starts_with("\xEF\xBB\xBF");
  const std::string_view body = utf8Mark ? bytes.substr(3) : bytes;
  checkStartsLikeXml(body);

  const std::optional<Declaration> declaration = DeclarationScanner(body).scan();
  if (!declaration) refuse(Kind::badDeclaration, "", 1);
  std::optional<Declared> declared = Declared::utf8;
  std::string_view name = "UTF-8";
  if (!declaration->encoding.empty()) {
    name = declaration->encoding;
    declared = encodingNamed(name);
  }
  if (utf8Mark && declared != Declared::utf8) refuse(Kind::bomConflict, name, 1, "UTF-8");

  std::string text;
  if (!declared) {
    // A wide form names bytes that are not in it (it would have "<" and "?"
    // apart); any other name is the system's to convert.
    if (namesWideForm(name, "UTF-16") || namesWideForm(name, "UTF-32")) refuse(Kind::declarationUnread, name, 1);
    platform::NamedDecode decoded = platform::decodeNamed(body, name);
    if (decoded.status == platform::NamedDecode::Status::unknownEncoding)
      refuse(Kind::unsupported, name, xmlLineAt(body, declaration->encodingOffset));
    if (decoded.status == platform::NamedDecode::Status::invalidBytes) refuseInvalid(name, decoded);
    // The declaration is ASCII; an encoding that does not read it back
    // byte for byte is not the file's (EBCDIC, say).
    const std::size_t declarationEnd = body.find("?>") + 2;
    if (!std::string_view(decoded.text).starts_with(body.substr(0, declarationEnd)))
      refuse(Kind::declarationUnread, name, 1);
    text = std::move(decoded.text);
  } else if (*declared == Declared::ascii) {
    const auto nonAscii = std::find_if(body.begin(), body.end(), [](char c) { return (c & 0x80) != 0; });
    if (nonAscii != body.end()) refuse(Kind::invalidBytes, name, xmlLineAt(body, nonAscii - body.begin()));
    text.assign(body);
  } else {
    const Encoding from = *declared == Declared::shiftJis ? Encoding::shiftJis
                          : *declared == Declared::latin1 ? Encoding::latin1
                                                          : Encoding::utf8;
    platform::Converted converted = platform::convertText(body, from, Encoding::utf8);
    if (!converted.ok()) refuse(Kind::invalidBytes, name, xmlLineAt(body, *converted.errorOffset));
    text = std::move(converted.text);
  }
  declareUtf8(text, *declaration);
  return text;
}

}  // namespace ps::xml
