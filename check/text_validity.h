// Whether a text of the input is valid Shift-JIS (code page 932).
#pragma once

#include <string_view>

namespace ps::check {

bool isShiftJisText(std::string_view text);

}  // namespace ps::check
