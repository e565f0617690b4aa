// profile-sheet-import: turns a J-LandXML road into a set of drawn sheets,
// one folder per sheet (see import/import_program.h).
#include <cstdio>
#include <string>
#include <vector>

#include "import/import_program.h"
#include "platform/console.h"
#include "platform/program_entry.h"
#include "text/shift_jis.h"

int ps::programMain(const std::vector<std::string>& arguments) {
  std::string out, err;
  const int status = import::runImport(arguments, out, err);
  writeConsole(out, stdout);
  writeConsole(err, stderr);
  waitForKeyWhenStartedByExplorer(sjis::kPressAnyKey);
  return status;
}
