#include "landxml/refusal.h"

#include "platform/text_encoding.h"
#include "text/number_format.h"

namespace ps::landxml {

namespace {

// The bytes of the UTF-8 character that starts with `lead`.
std::size_t utf8Length(unsigned char lead) { return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1; }

platform::Converted toShiftJis(std::string_view utf8) {
  return platform::convertText(utf8, platform::Encoding::utf8, platform::Encoding::shiftJis);
}

}  // namespace

std::string shiftJisShown(std::string_view utf8) {
  platform::Converted whole = toShiftJis(utf8);
  if (whole.ok()) return std::move(whole.text);
  std::string out;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t length = utf8Length(static_cast<unsigned char>(utf8[pos]));
    const platform::Converted one = toShiftJis(utf8.substr(pos, length));
    out += one.ok() ? one.text : std::string("?");
    pos += length;
  }
  return out;
}

RefusalMessage::RefusalMessage(std::string_view fileName, int line) : text_(fileName) {
  if (line > 0) {
    text_ += ':';
    appendInt(text_, line);
  }
  text_ += ": error: ";
}

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
  text_ += shiftJisShown(shown);
  if (pos < utf8.size()) text_ += "...";
  text_ += '"';
  return *this;
}

void RefusalMessage::refuse() const {
  std::string message = text_;
  if (!message.ends_with('\n')) message += '\n';
  throw ImportRefused{message};
}

}  // namespace ps::landxml
