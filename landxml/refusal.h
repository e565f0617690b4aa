// A refusal of the road file, a warning of its reader, and the one way
// their messages are put together.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace ps::landxml {

// The file (or the part of it that was asked for) is refused. `message` is
// what the console gets, in Shift-JIS: a line "FILE[:LINE]: error: ...",
// possibly followed by "FILE[:LINE]: note: ..." lines, each ended by "\n".
// `line` and `detail` are the first line's line number (0 for none) and
// its text after "error: ", without the line end.
struct ImportRefused {
  explicit ImportRefused(std::string message, int line = 0, std::string detail = {})
      : message(std::move(message)), line(line), detail(std::move(detail)) {}

  std::string message;
  int line = 0;
  std::string detail;
};

// Something the reader met that does not stop the import: the line it is
// about and one sentence in Shift-JIS, without a line end.
struct ReaderWarning {
  int line = 0;
  std::string text;
};

// "FILE:LINE: warning: TEXT\n", as the checker prints its warnings.
std::string warningLine(std::string_view fileName, const ReaderWarning& warning);

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
  // A number with three decimals (or as many as asked), and a whole number.
  RefusalMessage& metres(double value, int decimals = 3);
  RefusalMessage& integer(long long value);

  // Throws ImportRefused with the message, ended by "\n".
  [[noreturn]] void refuse() const;
  // The same parts as a warning of the reader (the file name is the
  // printer's to add), and as a note line "FILE[:LINE]: note: ...\n" that
  // follows a refusal.
  ReaderWarning warning() const;
  std::string note() const;
  // The parts without the file name and line: "error: " follows in a
  // refusal.
  std::string text() const;

 private:
  std::string fileName_;
  int line_;
  std::string text_;
};

}  // namespace ps::landxml
