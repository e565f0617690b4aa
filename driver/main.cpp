// profile-sheet [DIR ...]: writes the longitudinal profile sheet
// "Tesmora.dxf" from "Tesmo.dat", "GasouT.dat" and "temp.cd5" in the
// current folder, or in each folder given.
#include "driver/generator_program.h"
#include "platform/console.h"
#include "platform/program_entry.h"
#include "text/shift_jis.h"

int ps::programMain(const std::vector<std::string>& arguments) {
  const int status = runGenerator(arguments);
  waitForKeyWhenStartedByExplorer(sjis::kPressAnyKey);
  return status;
}
