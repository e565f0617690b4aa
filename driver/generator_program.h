// profile-sheet's command line: the folders to draw in, --help, --version.
#pragma once

#include <string>
#include <vector>

namespace ps {

inline constexpr int kDrawn = 0;          // every folder drawn
inline constexpr int kNotDrawn = 1;       // a folder that could not be drawn (reported with its name)
inline constexpr int kGeneratorUsage = 2;  // not a command line of the program

struct GeneratorCommand {
  enum class Kind { draw, help, version, usage };
  Kind kind = Kind::draw;
  std::vector<std::string> folders;  // empty: the current folder, as the program always drew
  std::string unknownOption;         // for Kind::usage
};

// [DIR ...], --help (also -h, and /? on Windows), --version; "--" ends the
// options, so that a folder may be named "-x".
GeneratorCommand parseGeneratorCommand(const std::vector<std::string>& arguments);

// The program: draws in the current folder or in each folder in turn,
// writing the console text of each as it goes; refusals in a folder given
// on the command line are prefixed with it. Returns the exit status.
int runGenerator(const std::vector<std::string>& arguments);

}  // namespace ps
