// What the fuzz targets share: a check that stops the run on a broken
// promise, so that libFuzzer (and the replay runner) reports the input.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#define FUZZ_CHECK(condition)                                                             \
  do {                                                                                    \
    if (!(condition)) {                                                                   \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                       \
    }                                                                                     \
  } while (0)

namespace ps::fuzz {

inline std::string_view asText(const unsigned char* bytes, std::size_t size) {
  return {reinterpret_cast<const char*>(bytes), size};
}

// The next of the input files that a fuzz input holds one after another,
// each ended by a zero byte (a missing end makes the rest empty). `ended`
// tells whether its zero byte was there.
inline std::string_view nextFile(std::string_view& rest, bool& ended) {
  const std::size_t end = rest.find('\0');
  const std::string_view file = rest.substr(0, end);
  ended = end != std::string_view::npos;
  rest = ended ? rest.substr(end + 1) : std::string_view();
  return file;
}
inline std::string_view nextFile(std::string_view& rest) {
  bool ended = false;
  return nextFile(rest, ended);
}

// An input file that may be left out, after one that was read with
// nextFile: present when that one was ended by its zero byte.
inline std::optional<std::string_view> optionalFile(std::string_view& rest, bool present) {
  if (!present) return std::nullopt;
  return nextFile(rest);
}

// A refusal names the file it refuses and is one console line.
inline bool isRefusalOf(std::string_view message, std::string_view fileName) {
  return message.starts_with(fileName) && message.size() > fileName.size() && message.ends_with('\n') &&
         message.find('\n') == message.size() - 1;
}

}  // namespace ps::fuzz
