// Messages for the person at the console. Every program of the project
// writes its console text through here, so that two things are decided in
// one place:
// - the line end: CR LF on Windows, as every console program there ends
//   its lines, LF elsewhere;
// - the encoding. The programs' text is Shift-JIS (code page 932). Written
//   to a pipe or a file it stays those bytes, so that scripts and the
//   tests read what they always read. Written to a terminal it follows the
//   terminal: on Linux the locale's character set (UTF-8 in a UTF-8
//   locale), on Windows the console's wide-character output, whatever its
//   code page.
// Files the programs write keep their own line ends and bytes; only the
// standard streams go through here.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace ps {

// The line end of console text on this platform.
#ifdef _WIN32
inline constexpr char kConsoleLineEnd[] = "\r\n";
#else
inline constexpr char kConsoleLineEnd[] = "\n";
#endif

// `text` with each "\n" turned into the platform's line end.
std::string consoleText(std::string_view text);

// Writes `text` (Shift-JIS, lines ended with "\n") to `stream`, standard
// output or standard error, with the platform's line ends, converted for
// a terminal as above. Returns false when not all of it was written.
bool writeConsole(std::string_view text, std::FILE* stream = stdout);

// Whether a program should wait for a key before it ends: when the
// console holds no process but this one, Explorer opened the window for
// it and would close it with the program, before its result can be read.
// Started from a prompt the console holds the prompt too. Nothing waits
// when there is no console to read a key from.
bool waitsBeforeClosing(unsigned long processesOnConsole, bool inputIsConsole);

// On Windows, when waitsBeforeClosing holds for this process: writes
// `prompt` (Shift-JIS) and waits for a key. Elsewhere nothing.
void waitForKeyWhenStartedByExplorer(std::string_view prompt);

}  // namespace ps
