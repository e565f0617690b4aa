// A refusal of the road file, and the one way its message is put together.
#pragma once

#include <string>
#include <string_view>

namespace ps::landxml {

// The file is refused; `message` is one console line in Shift-JIS, ending
// in "\n", that starts with the file name.
struct ImportRefused {
  std::string message;
};

// `utf8` in Shift-JIS, each character that Shift-JIS lacks (or that is not
// valid UTF-8) written as '?': for names from the road file, which should
// not refuse a road over one character.
std::string shiftJisShown(std::string_view utf8);

// "FILE:LINE: error: " (or "FILE: error: " without a line), then the parts
// in order.
class RefusalMessage {
 public:
  RefusalMessage(std::string_view fileName, int line);

  // Element and attribute names and other fixed ASCII text.
  RefusalMessage& ascii(std::string_view text);
  // A text of shift_jis.h.
  RefusalMessage& sjis(const char* text);
  // Text from the file (UTF-8), in double quotes: at most 40 characters,
  // control characters and characters Shift-JIS lacks shown as '?'.
  RefusalMessage& quoted(std::string_view utf8);

  // Throws ImportRefused with the message, ended by "\n".
  [[noreturn]] void refuse() const;

 private:
  std::string text_;
};

}  // namespace ps::landxml
