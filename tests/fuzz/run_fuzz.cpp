// Fuzz target: the whole run in memory. The input holds the three files in
// the order profile data, layer definitions, band row list, each ended by a
// zero byte (a missing end makes the rest empty); after the band row list's
// zero byte comes the continuation file, which an input without that byte
// leaves out. A run either completes the document without a console line or
// refuses with one line (and a second when the refused file was saved as
// UTF-8) and exit 1; a sheet of a set declares its code page first.
#include <cstdint>
#include <optional>
#include <string_view>

#include "driver/run.h"
#include "fuzz_check.h"
#include "text/shift_jis.h"

namespace {

bool linesEndWithCrLf(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
  }
  return text.empty() || text.ends_with("\r\n");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  std::string_view rest = ps::fuzz::asText(bytes, size);
  const std::string_view profile = ps::fuzz::nextFile(rest);
  const std::string_view layers = ps::fuzz::nextFile(rest);
  bool bandsEnded = false;
  const std::string_view bands = ps::fuzz::nextFile(rest, bandsEnded);
  const std::optional<std::string_view> continuation = ps::fuzz::optionalFile(rest, bandsEnded);

  ps::StringSink drawing;
  std::string console;
  const int status = ps::generateDrawing(profile, layers, bands, drawing, console, continuation);
  std::string_view document = drawing.text;
  if (continuation) {
    constexpr std::string_view kHeader =
        "0\r\nSECTION\r\n2\r\nHEADER\r\n9\r\n$ACADVER\r\n1\r\nAC1009\r\n9\r\n$DWGCODEPAGE\r\n3\r\nANSI_932\r\n0\r\nENDSEC\r\n";
    FUZZ_CHECK(document.starts_with(kHeader));
    document.remove_prefix(kHeader.size());
  }
  FUZZ_CHECK(document.starts_with("0\r\nSECTION\r\n2\r\nTABLES\r\n0\r\nTABLE\r\n2\r\nLTYPE\r\n"));
  FUZZ_CHECK(linesEndWithCrLf(drawing.text));
  if (status == 0) {
    FUZZ_CHECK(console.empty());
    FUZZ_CHECK(drawing.text.ends_with("\r\nENDSEC\r\n0\r\nEOF\r\n"));
  } else {
    FUZZ_CHECK(status == 1);
    // One line; a refusal that came from a file saved as UTF-8 says so on a
    // second one.
    const std::size_t firstEnd = console.find('\n');
    FUZZ_CHECK(!console.empty() && console.ends_with('\n'));
    FUZZ_CHECK(firstEnd == console.size() - 1 ||
               (console.find(ps::sjis::kSaveAsShiftJis, firstEnd) != std::string::npos &&
                console.find('\n', firstEnd + 1) == console.size() - 1));
    FUZZ_CHECK(!drawing.text.ends_with("\r\nEOF\r\n"));
  }
  return 0;
}
