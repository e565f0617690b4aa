#include "platform/program_entry.h"

#include "platform/text_encoding.h"

#ifdef _WIN32
// Linked with -municode: the C runtime passes the command line as UTF-16.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(ps::platform::wideArgumentToUtf8(argv[i]));
  return ps::programMain(arguments);
}
#else
int main(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return ps::programMain(arguments);
}
#endif
