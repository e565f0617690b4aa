#include "platform/console.h"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace ps {

// Byte by byte: no Shift-JIS trail byte is 0x0A, so every "\n" ends a line.
std::string consoleText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 16);
  for (char c : text) {
    if (c == '\n')
      out += kConsoleLineEnd;
    else
      out += c;
  }
  return out;
}

bool writeConsole(std::string_view text, std::FILE* stream) {
#ifdef _WIN32
  // The C runtime opens the standard streams in text mode and would turn
  // each "\n" into CR LF by itself, unless the program was linked or set up
  // for binary mode. Binary mode here and CR LF written above make the bytes
  // those of consoleText whatever the runtime's default.
  std::fflush(stream);
  _setmode(_fileno(stream), _O_BINARY);
#endif
  const std::string bytes = consoleText(text);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
  return std::fflush(stream) == 0 && written;
}

}  // namespace ps
