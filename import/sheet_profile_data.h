// A mapped sheet as the profile data the generator reads.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "import/sheet_tables.h"
#include "input/continuation.h"
#include "input/profile_data.h"

namespace ps::import {

// Converts a UTF-8 text to Shift-JIS.
using ToShiftJis = std::function<std::string(std::string_view utf8)>;

// Makes a Shift-JIS text an annotation the file can hold: white space and
// NUL bytes become '_', and the text is cut after its last whole character
// within 47 bytes.
std::string annotationText(std::string_view shiftJis);

// Makes a Shift-JIS text a line of the continuation file: control
// characters become blanks, blanks at either end go, and the text is cut
// after its last whole character within kMaxContinuationTextBytes.
std::string continuationText(std::string_view shiftJis);

// The sheet's profile data: the template's header values, except the datum
// (7), the station interval (9) and, when the sheet has superelevation rows,
// the run-off length (13); then the sheet's tables. Throws std::logic_error
// when a table exceeds the generator's capacity (the mapping keeps within
// them).
std::unique_ptr<ProfileData> profileDataOf(const SheetTables& sheet, const HeaderValues& header, double interval,
                                           const ToShiftJis& toShiftJis);

// Which sheet of the set, of which road.
struct SheetIdentity {
  int number = 1, count = 1;
  std::string roadName, projectName;  // UTF-8
};

// The sheet's continuation file.
Continuation continuationOf(const SheetTables& sheet, const SheetIdentity& identity, const ToShiftJis& toShiftJis);

}  // namespace ps::import
