// Input files are Shift-JIS, but current Notepad saves UTF-8 unless told
// otherwise. Read as Shift-JIS such a file gives garbled texts, titles that
// match no row and texts over their byte limit (a kanji takes 3 bytes in
// UTF-8, 2 in Shift-JIS), and a byte order mark in front of the first
// number. This tells such a file from a Shift-JIS one, for the checker's
// error and the generator's refusals.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ps {

struct Utf8Signs {
  bool byteOrderMark = false;
  int line = 1;  // the first line that shows it: 1 for the mark, else the first holding UTF-8 text
};

// How `bytes` show that the file was saved as UTF-8, or nothing. It was
// when it starts with the UTF-8 byte order mark, or when all of it is
// valid UTF-8 holding multi-byte sequences and either one of them is of 3
// or 4 bytes or the bytes are not valid Shift-JIS.
//
// Why that holds: Japanese in UTF-8 is made of 3-byte sequences, and these
// often happen to form valid Shift-JIS as well, so that alone tells
// nothing. Shift-JIS text, the other way round, is next to never valid
// UTF-8: most of its lead bytes (0x81 to 0x9F) are UTF-8 continuation
// bytes, which stand only after a lead of their own. Only half-width kana
// can pair up as 2-byte UTF-8 (ﾄｷ, 0xC4 0xB7), and those are then also
// valid Shift-JIS, which keeps them Shift-JIS.
std::optional<Utf8Signs> savedAsUtf8(std::string_view bytes);

// Whether line `line` of a file with `signs` shows them: the line of the
// byte order mark, or a line holding UTF-8 text. A refusal on such a line
// comes from the encoding.
bool showsUtf8(std::string_view bytes, const Utf8Signs& signs, int line);

// The sentence that says so and what to do, in Shift-JIS, without a line
// end: "<subject>は UTF-8 (BOM 付き) で保存されています。Shift-JIS で保存し直
// してください ..."
std::string savedAsUtf8Message(std::string_view subject, const Utf8Signs& signs);

}  // namespace ps
