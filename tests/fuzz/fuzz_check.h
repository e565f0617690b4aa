// What the fuzz targets share: a check that stops the run on a broken
// promise, so that libFuzzer (and the replay runner) reports the input.
#pragma once

#include <cstdio>
#include <cstdlib>
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

// A refusal names the file it refuses and is one console line.
inline bool isRefusalOf(std::string_view message, std::string_view fileName) {
  return message.starts_with(fileName) && message.size() > fileName.size() && message.ends_with('\n') &&
         message.find('\n') == message.size() - 1;
}

}  // namespace ps::fuzz
