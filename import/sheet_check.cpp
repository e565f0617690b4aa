#include "import/sheet_check.h"

#include "check/check_inputs.h"

namespace ps::import {

std::vector<SheetFinding> checkSheet(std::string_view profileData, std::string_view bandRowList,
                                     std::string_view layerDefinitions) {
  std::vector<SheetFinding> findings;
  for (check::Finding& f : check::checkInputs(profileData, bandRowList, layerDefinitions).findings)
    findings.push_back({std::move(f.file), f.line, f.severity == check::Severity::error, std::move(f.message)});
  return findings;
}

}  // namespace ps::import
