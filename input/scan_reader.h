// Reading the input files with scanf-style semantics, stated once here.
//
// A read (one scanf call) is a chain of directives over the text:
//  - integer (%d), real (%lf) and token (%s) first skip white space
//    (blank, tab, line feed, carriage return, vertical tab, form feed);
//  - a literal character must follow the previous value directly;
//  - space ("\n" or a blank in a format) skips any amount of white space.
// When a literal does not match, or a value meets the end of the file, the
// read ends there: its remaining directives store nothing and the text stays
// in front of the next read. A value is stored only when it was read whole.
//
// Where a number belongs, text is refused rather than read as nothing: a
// byte that cannot start a number, an incomplete number (a lone sign or
// point, an exponent without digits), an integer beyond 32 bits or a real
// beyond the range of a double throws InputRefused naming the file and line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace ps {

// A refusal of the input; `message` is the console line, in Shift-JIS.
// `file` and `line` say where the refused value stands (line 0: the file as
// a whole); the console line itself names only the file, when it names one.
struct InputRefused {
  std::string message;
  std::string file;
  int line = 0;
};

class Scanner {
 public:
  Scanner(std::string_view text, std::string fileName) : text_(text), fileName_(std::move(fileName)) {}
  // The scanner keeps a view of the text: a temporary string would be gone.
  template <typename Text>
    requires std::is_same_v<Text, std::string>
  Scanner(Text&& text, std::string fileName) = delete;

  const std::string& fileName() const { return fileName_; }
  // 1-based line number of the next unread byte. CR, LF and CR LF each end
  // one line.
  int currentLine() const;

  // The directives; each returns false when the read ends at it.
  bool integer(int& value);
  bool real(double& value);
  bool token(std::string& value);
  bool literal(char c);
  void space();
  bool atEnd() const { return pos_ >= text_.size(); }

 private:
  [[noreturn]] void refuseNumber() const;

  std::string_view text_;
  std::string fileName_;
  std::size_t pos_ = 0;
  // Lines are counted forward from the last position asked about.
  mutable std::size_t countedTo_ = 0;
  mutable int countedLines_ = 1;
};

// One read: chain the directives; after the first that fails, the rest do
// nothing.
class ScanRead {
 public:
  explicit ScanRead(Scanner& scanner) : scanner_(scanner) {}
  ScanRead& integer(int& value) {
    live_ = live_ && scanner_.integer(value);
    return *this;
  }
  ScanRead& real(double& value) {
    live_ = live_ && scanner_.real(value);
    return *this;
  }
  ScanRead& token(std::string& value) {
    live_ = live_ && scanner_.token(value);
    return *this;
  }
  ScanRead& literal(char c) {
    live_ = live_ && scanner_.literal(c);
    return *this;
  }
  ScanRead& space() {
    if (live_) scanner_.space();
    return *this;
  }
  bool complete() const { return live_; }

 private:
  Scanner& scanner_;
  bool live_ = true;
};

bool isScanSpace(unsigned char c);

// A text as the program holds it: up to its first NUL byte.
std::string_view untilNul(std::string_view token);

}  // namespace ps
