#include "driver/generator_program.h"

#include <cstdio>

#include "driver/run.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/program_info.h"
#include "platform/text_encoding.h"
#include "text/shift_jis.h"

namespace ps {

namespace {

// Each line of `text` with "<folder>: " in front.
std::string withFolder(const std::string& folder, std::string_view text) {
  const std::string prefix = platform::shiftJisShown(platform::shownPath(folder)) + ": ";
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find('\n', at);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    out += prefix;
    out.append(text.substr(at, next - at));
    at = next;
  }
  return out;
}

}  // namespace

GeneratorCommand parseGeneratorCommand(const std::vector<std::string>& arguments) {
  GeneratorCommand command;
  bool optionsEnded = false;
  for (const std::string& argument : arguments) {
    if (!optionsEnded) {
#ifdef _WIN32
      const bool windowsHelp = argument == "/?";
#else
      const bool windowsHelp = false;
#endif
      if (argument == "--help" || argument == "-h" || windowsHelp) return {GeneratorCommand::Kind::help, {}, {}};
      if (argument == "--version") return {GeneratorCommand::Kind::version, {}, {}};
      if (argument == "--") {
        optionsEnded = true;
        continue;
      }
      if (argument.size() > 1 && argument[0] == '-') return {GeneratorCommand::Kind::usage, {}, argument};
    }
    command.folders.push_back(argument.empty() ? "." : argument);
  }
  return command;
}

int runGenerator(const std::vector<std::string>& arguments) {
  const GeneratorCommand command = parseGeneratorCommand(arguments);
  switch (command.kind) {
    case GeneratorCommand::Kind::help:
      writeConsole(sjis::kGeneratorUsage, stdout);
      return kDrawn;
    case GeneratorCommand::Kind::version:
      writeConsole(platform::versionLine("profile-sheet"), stdout);
      return kDrawn;
    case GeneratorCommand::Kind::usage:
      writeConsole("profile-sheet: " + std::string(sjis::kUnknownOption) +
                       platform::shiftJisShown(command.unknownOption) + "\n" + sjis::kGeneratorUsage,
                   stderr);
      return kGeneratorUsage;
    case GeneratorCommand::Kind::draw:
      break;
  }
  if (command.folders.empty()) {
    // Exactly the run the program has always made.
    std::string console;
    const int status = runInFolder("", console);
    writeConsole(console, stdout);
    return status;
  }
  int status = kDrawn;
  for (const std::string& folder : command.folders) {
    std::string console;
    if (runInFolder(folder, console) != kDrawn) status = kNotDrawn;
    writeConsole(withFolder(folder, console), stdout);
  }
  return status;
}

}  // namespace ps
