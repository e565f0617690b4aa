#include "platform/console.h"

#include <cstdio>

#include "platform/text_encoding.h"

#ifdef _WIN32
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <limits>
#else
#include <langinfo.h>
#include <locale.h>
#include <unistd.h>
#endif

namespace ps {

namespace {

bool writeBytes(std::string_view bytes, std::FILE* stream) {
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
  return std::fflush(stream) == 0 && written;
}

#ifdef _WIN32
// A console takes UTF-16 through WriteConsoleW and shows it whatever its
// code page; bytes written to it would be read in that code page.
bool writeToConsole(HANDLE console, std::string_view sjis) {
  const std::wstring text = platform::shiftJisToWide(sjis);
  for (std::size_t at = 0; at < text.size();) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - at, 8192));
    DWORD written = 0;
    if (!WriteConsoleW(console, text.data() + at, chunk, &written, nullptr) || written == 0) return false;
    at += written;
  }
  return true;
}
#else
// The character set of the terminal, as the user's locale (LANG, LC_ALL,
// LC_CTYPE) names it, read without changing the program's own locale.
std::string terminalCharset() {
  const locale_t user = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
  if (user == static_cast<locale_t>(0)) return "ANSI_X3.4-1968";  // a locale not installed: as C
  std::string charset = nl_langinfo_l(CODESET, user);
  freelocale(user);
  return charset;
}
#endif

}  // namespace

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
  if (text.empty()) return std::fflush(stream) == 0;
  const std::string bytes = consoleText(text);
#ifdef _WIN32
  std::fflush(stream);
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) return writeToConsole(handle, bytes);
  // The C runtime opens the standard streams in text mode and would turn
  // each "\n" into CR LF by itself, unless the program was linked or set up
  // for binary mode. Binary mode here and CR LF written above make the bytes
  // those of consoleText whatever the runtime's default.
  _setmode(_fileno(stream), _O_BINARY);
  return writeBytes(bytes, stream);
#else
  if (isatty(fileno(stream))) return writeBytes(platform::shiftJisForTerminal(bytes, terminalCharset()), stream);
  return writeBytes(bytes, stream);
#endif
}

bool waitsBeforeClosing(unsigned long processesOnConsole, bool inputIsConsole) {
  return processesOnConsole == 1 && inputIsConsole;
}

void waitForKeyWhenStartedByExplorer([[maybe_unused]] std::string_view prompt) {
#ifdef _WIN32
  DWORD processes[2];
  const DWORD count = GetConsoleProcessList(processes, 2);
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  const bool inputIsConsole = input != INVALID_HANDLE_VALUE && input != nullptr && GetConsoleMode(input, &mode);
  if (!waitsBeforeClosing(count, inputIsConsole)) return;
  writeConsole(prompt, stdout);
  FlushConsoleInputBuffer(input);
  for (;;) {
    INPUT_RECORD record;
    DWORD read = 0;
    if (!ReadConsoleInputW(input, &record, 1, &read) || read == 0) return;
    if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) return;
  }
#endif
}

}  // namespace ps
