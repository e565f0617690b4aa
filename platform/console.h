// Messages for the person at the console. Every program of the project
// writes its console text through here, so that the platform's line end is
// decided in one place: CR LF on Windows, as every console program there
// ends its lines, LF elsewhere. Files the programs write keep their own
// line ends; only standard output goes through here.
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

// Writes `text` (lines ended with "\n") to `stream`, standard output or
// standard error, with the platform's line ends. Returns false when not all
// of it was written.
bool writeConsole(std::string_view text, std::FILE* stream = stdout);

}  // namespace ps
