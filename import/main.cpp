// profile-sheet-import: turns a J-LandXML road into a set of drawn sheets,
// one folder per sheet (see import/import_program.h).
#include <cstdio>
#include <string>
#include <vector>

#include "import/import_program.h"
#include "platform/console.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::string out, err;
  const int status = ps::import::runImport(args, out, err);
  ps::writeConsole(out, stdout);
  ps::writeConsole(err, stderr);
  return status;
}
