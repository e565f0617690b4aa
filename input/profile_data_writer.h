// Writing ProfileData as the text of the profile data file.
#pragma once

#include <string>

#include "input/profile_data.h"

namespace ps {

// The text of the profile data file that reads back as `data`: the header
// line, then the six tables, each a count line and one row per line, with
// CR LF line ends. Every real is written with the fewest decimals that read
// back as the same double, and at least as many as the file's columns
// usually show (three for positions and heights). The superelevation count
// line carries the run-off length (header value 13). Texts are written as
// held (Shift-JIS), between quotation marks.
//
// Throws std::invalid_argument for data that no file reads back as: a count
// beyond its capacity, a real that is not finite, an annotation text longer
// than 47 bytes or holding white space or a NUL byte.
std::string writeProfileData(const ProfileData& data);

}  // namespace ps
