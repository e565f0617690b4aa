// Command line arguments as text.
#pragma once

#include <string>
#include <string_view>

namespace ps::platform {

// An argument in UTF-8, as the road file's names are compared: Windows
// passes arguments in the ANSI code page (932 on Japanese systems), Linux
// in the locale's encoding, taken to be UTF-8. An argument that does not
// convert is returned as it is.
std::string argumentToUtf8(std::string_view argument);

}  // namespace ps::platform
