// Conversion between UTF-8 and the other encodings the programs read and
// write. The conversion tables are the system's (iconv on Linux, the code
// page functions on Windows, one source file each); the checks around them
// are shared, so that both builds accept and refuse the same bytes.
//
// Shift-JIS here is code page 932, the table Windows itself uses for
// Japanese (also called Windows-31J). Files written on Windows are in that
// table: it has the NEC and IBM extension characters (①, Ⅱ, ㈱, ...), and
// it reads 0x5C as a backslash and 0x815F as a fullwidth backslash. The JIS
// table (glibc's "SHIFT_JIS") has no extension characters and reads 0x5C as
// a yen sign and 0x7E as an overline. Either table reads every plain
// Shift_JIS file alike except those bytes, so the Windows table is the one
// that reads both kinds of file correctly and writes what Windows programs
// read back.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ps::platform {

enum class Encoding { utf8, shiftJis, latin1 };

// The result of a conversion: the converted text, or the byte offset in the
// input of the first character that is not valid in the source encoding or
// has no character of its own in the target encoding.
struct Converted {
  std::string text;
  std::optional<std::size_t> errorOffset;
  bool ok() const { return !errorOffset; }
};

// Converts `in` from `from` to `to`, one of which is UTF-8 (UTF-8 to UTF-8
// validates). Nothing is ever substituted: a character the target cannot
// hold is an error, and so is one that the system converts to something
// that does not read back as the same character (glibc's table writes the
// yen sign U+00A5 as 0x5C, which reads back as a backslash).
Converted convertText(std::string_view in, Encoding from, Encoding to);

// Whether every byte sequence of `bytes` is a character of code page 932.
bool isValidShiftJis(std::string_view bytes);

// A text in UTF-8, from an encoding named as documents name theirs: by
// IANA names and the system's own aliases, in any case. The names and
// tables known are the system's: iconv's on Linux, the code pages of
// MultiByteToWideChar on Windows (mapped from their names there), so the
// two builds know the common names alike and may differ in rare ones.
// "UTF-16LE" and "UTF-16BE" (without a byte order mark) are read by both.
struct NamedDecode {
  enum class Status { ok, unknownEncoding, invalidBytes };
  Status status = Status::ok;
  // The whole text when ok. With invalidBytes, the text before the first
  // byte sequence that is not a character of the encoding, or at least the
  // text of the lines before it: enough to count the line it is on.
  std::string text;
};
NamedDecode decodeNamed(std::string_view in, std::string_view encodingName);

// `utf8` in Shift-JIS for a message, each character that Shift-JIS lacks
// (or that is not valid UTF-8) written as '?': names from files and paths
// from the command line, which should not stop a message over one
// character.
std::string shiftJisShown(std::string_view utf8);

#ifdef _WIN32
// Shift-JIS as UTF-16 for the console; a byte that is no character shows
// as the code page's default character.
std::wstring shiftJisToWide(std::string_view sjis);
// UTF-16 from the system (the command line) as UTF-8; an unpaired
// surrogate becomes U+FFFD.
std::string wideArgumentToUtf8(std::wstring_view wide);
#else
// Shift-JIS in the character set `charset` (as iconv names it, e.g. the
// locale's nl_langinfo(CODESET)), for a terminal: each character that does
// not convert is shown as '?'. Bytes that are already Shift-JIS, or a
// character set iconv does not know, pass unchanged.
std::string shiftJisForTerminal(std::string_view sjis, const std::string& charset);
#endif

// The system conversion underneath convertText, one implementation per
// platform: false when `in` holds a byte sequence that is invalid in `from`
// or a character `to` cannot hold. UTF-8 is valid when it encodes a scalar
// value up to U+10FFFF in its shortest form. Throws std::runtime_error when
// the system has no converter for the pair.
bool systemConvert(std::string_view in, Encoding from, Encoding to, std::string& out);

}  // namespace ps::platform
