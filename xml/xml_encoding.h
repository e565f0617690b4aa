// The encoding of an XML document, from its byte order mark and its
// declaration, and the document converted to UTF-8 before parsing (neither
// parser is left to convert: Wine's XmlLite reads no Shift_JIS and no
// ISO-8859-1, and expat reads no Shift_JIS).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "xml/xml_reader.h"

namespace ps::xml {

// Why a document could not be decoded. `name` is the encoding as declared
// (or "UTF-16" / "UTF-32" for such a byte order mark); `line` is 1-based.
struct XmlEncodingError {
  enum class Kind {
    unsupported,      // an encoding the system does not know (or does not convert)
    bomConflict,      // a byte order mark (`mark`) before another declared encoding
    badDeclaration,   // "<?xml ...?>" at the start that is not a well-formed declaration
    invalidBytes,     // bytes that are not text in the encoding
    declarationUnread,  // the declared encoding does not read the declaration as it stands
  };
  Kind kind;
  std::string name;
  int line = 1;
  std::string mark;  // bomConflict: "UTF-8", "UTF-16" or "UTF-32"
};

// Returns the document as UTF-8, without a byte order mark, and with the
// value of the declaration's encoding (if any) replaced by "UTF-8", so the
// parser reads it as what it now is. Line breaks are kept, so line numbers
// stay those of the file.
//
// Read:
// - UTF-8: no declaration, no encoding in it, or "UTF-8"/"utf8"; a UTF-8
//   byte order mark;
// - UTF-16 (and UTF-32 where the system converts it) by its byte order
//   mark, or without one by "<?" in that form; a declared encoding must
//   then name the same form ("UTF-16", "UTF-16LE", "UCS-2", ...);
// - Shift_JIS as code page 932 ("Shift_JIS", "Shift-JIS", "SJIS", "x-sjis",
//   "MS_Kanji", "csShiftJIS", "Windows-31J", "csWindows31J", "CP932",
//   "MS932"), ISO-8859-1 ("ISO-8859-1", "ISO_8859-1", "ISO8859-1",
//   "latin1", "l1", "iso-ir-100", "csISOLatin1", "IBM819", "CP819") and
//   US-ASCII ("US-ASCII", "ASCII") by the program's own rules, names
//   matched ignoring case;
// - every other encoding the system converts (platform::decodeNamed:
//   windows-125x, ISO-8859-x, EUC-JP, ...), when it reads the declaration
//   as it stands, as every encoding that keeps ASCII does.
// Throws XmlEncodingError; XmlError (notXml) when the first character
// after the byte order mark and white space is not "<".
std::string decodeXmlDocument(std::string_view bytes);

// The 1-based line of the byte at `offset`, counting lines as XML does: CR
// LF, a lone CR and a lone LF each end one.
int xmlLineAt(std::string_view text, std::size_t offset);

}  // namespace ps::xml
