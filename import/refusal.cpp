#include "import/refusal.h"

#include "platform/text_encoding.h"
#include "text/number_format.h"

namespace ps::import {

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
  text_ += '"';
  std::size_t pos = 0;
  for (int count = 0; pos < utf8.size() && count < kMaxCharacters; ++count) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    const std::string_view character = utf8.substr(pos, length);
    pos += character.size();
    if (lead < ' ' || lead == 0x7F) {
      text_ += '?';
      continue;
    }
    const platform::Converted converted =
        platform::convertText(character, platform::Encoding::utf8, platform::Encoding::shiftJis);
    text_ += converted.ok() ? converted.text : std::string("?");
  }
  if (pos < utf8.size()) text_ += "...";
  text_ += '"';
  return *this;
}

void RefusalMessage::refuse() const {
  std::string message = text_;
  if (!message.ends_with('\n')) message += '\n';
  throw ImportRefused{message};
}

}  // namespace ps::import
