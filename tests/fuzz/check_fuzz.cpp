// Fuzz target: the checker on any three files and a continuation file. The
// input holds them as for the whole run: profile data, layer definitions,
// band row list, each ended by a zero byte (a missing end makes the rest
// empty), then the continuation file when the band row list's zero byte is
// there. The result keeps its promises: a status from 0 to 3 that agrees
// with the findings, the findings in file and line order, each one line.
#include <cstdint>
#include <optional>

#include "check/check_inputs.h"
#include "fuzz_check.h"

namespace {

int fileRank(const std::string& file) {
  if (file == "Tesmo.dat") return 0;
  if (file == "temp.cd5") return 1;
  if (file == "GasouT.dat") return 2;
  return file == "Tsuzuki.dat" ? 3 : -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  using namespace ps::check;
  std::string_view rest = ps::fuzz::asText(bytes, size);
  const std::string_view profile = ps::fuzz::nextFile(rest);
  const std::string_view layers = ps::fuzz::nextFile(rest);
  bool bandsEnded = false;
  const std::string_view bands = ps::fuzz::nextFile(rest, bandsEnded);
  const std::optional<std::string_view> continuation = ps::fuzz::optionalFile(rest, bandsEnded);

  const CheckResult result = checkInputs(profile, bands, layers, continuation);
  FUZZ_CHECK(result.status >= kNothingFound && result.status <= kUnreadable);
  bool anyError = false;
  for (std::size_t k = 0; k < result.findings.size(); ++k) {
    const Finding& f = result.findings[k];
    FUZZ_CHECK(fileRank(f.file) >= 0 && f.line >= 0);
    FUZZ_CHECK(!f.message.empty() && f.message.find('\n') == std::string::npos);
    if (k > 0) {
      const Finding& before = result.findings[k - 1];
      FUZZ_CHECK(fileRank(before.file) < fileRank(f.file) ||
                 (fileRank(before.file) == fileRank(f.file) && before.line <= f.line));
    }
    anyError = anyError || f.severity == Severity::error;
  }
  if (result.status == kNothingFound) FUZZ_CHECK(result.findings.empty());
  if (result.status == kOnlyWarnings) FUZZ_CHECK(!result.findings.empty() && !anyError);
  if (result.status >= kErrorsFound) FUZZ_CHECK(anyError);
  const std::string report = reportOf(result.findings, "");
  FUZZ_CHECK(report.ends_with(" warnings\n"));
  return 0;
}
