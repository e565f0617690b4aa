#include "platform/command_line.h"

#include "platform/text_encoding.h"

namespace ps::platform {

std::string argumentToUtf8(std::string_view argument) {
#ifdef _WIN32
  const Converted converted = convertText(argument, Encoding::shiftJis, Encoding::utf8);
  if (converted.ok()) return converted.text;
#endif
  return std::string(argument);
}

}  // namespace ps::platform
