#include "landxml/refusal.h"

#include "platform/text_encoding.h"
#include "text/number_format.h"

namespace ps::landxml {

namespace {

// The bytes of the UTF-8 character that starts with `lead`.
std::size_t utf8Length(unsigned char lead) { return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1; }

std::string withoutLineEnd(std::string text) {
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

std::string located(std::string_view fileName, int line) {
  std::string text(fileName);
  if (line > 0) {
    text += ':';
    appendInt(text, line);
  }
  return text;
}

}  // namespace

std::string warningLine(std::string_view fileName, const ReaderWarning& warning) {
  return located(fileName, warning.line) + ": warning: " + warning.text + "\n";
}

RefusalMessage::RefusalMessage(std::string_view fileName, int line) : fileName_(fileName), line_(line) {}

RefusalMessage& RefusalMessage::ascii(std::string_view text) {
  for (char c : text) text_ += (c >= ' ' && c <= '~') ? c : '?';
  return *this;
}

RefusalMessage& RefusalMessage::sjis(const char* text) {
  text_ += text;
  return *this;
}

RefusalMessage& RefusalMessage::quoted(std::string_view utf8) {
  constexpr int kMaxCharacters = 40;
  // The first characters, control characters shown as '?'.
  std::string shown;
  std::size_t pos = 0;
  for (int count = 0; pos < utf8.size() && count < kMaxCharacters; ++count) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    const std::string_view character = utf8.substr(pos, utf8Length(lead));
    pos += character.size();
    if (lead < ' ' || lead == 0x7F)
      shown += '?';
    else
      shown += character;
  }
  text_ += '"';
  text_ += platform::shiftJisShown(shown);
  if (pos < utf8.size()) text_ += "...";
  text_ += '"';
  return *this;
}

RefusalMessage& RefusalMessage::metres(double value, int decimals) {
  appendFixed(text_, value, 0, decimals);
  return *this;
}

RefusalMessage& RefusalMessage::integer(long long value) {
  appendInt(text_, value);
  return *this;
}

std::string RefusalMessage::text() const { return withoutLineEnd(text_); }

void RefusalMessage::refuse() const {
  const std::string detail = text();
  throw ImportRefused{located(fileName_, line_) + ": error: " + detail + "\n", line_, detail};
}

ReaderWarning RefusalMessage::warning() const { return {line_, text()}; }

std::string RefusalMessage::note() const { return located(fileName_, line_) + ": note: " + text() + "\n"; }

}  // namespace ps::landxml
