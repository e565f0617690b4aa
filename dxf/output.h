// The drawing file as the writers see it: a line-oriented DXF stream that
// ends every line with CR LF and hands its bytes to a sink.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "text/number_format.h"

namespace ps {

// Where the bytes of the drawing go.
class OutputSink {
 public:
  virtual ~OutputSink() = default;
  virtual void write(std::string_view bytes) = 0;
};

// Collects the drawing in memory (tests, fuzzing, benchmarks).
class StringSink : public OutputSink {
 public:
  void write(std::string_view bytes) override { text.append(bytes); }
  std::string text;
};

// Writes to an open binary-mode file and remembers whether a write failed.
class FileSink : public OutputSink {
 public:
  explicit FileSink(std::FILE* file) : file_(file) {}
  void write(std::string_view bytes) override;
  bool failed() const { return failed_; }

 private:
  std::FILE* file_;
  bool failed_ = false;
};

// Buffers the drawing and writes group codes, names and reals one per line,
// formatting them straight into its buffer.
class DxfStream {
 public:
  explicit DxfStream(OutputSink& sink) : sink_(sink), buffer_(new char[kBufferSize]) {}
  ~DxfStream() { flush(); }
  DxfStream(const DxfStream&) = delete;
  DxfStream& operator=(const DxfStream&) = delete;

  // "%d\n"
  void code(long long value) {
    if (value >= 0 && value < 100 && kBufferSize - used_ >= 4) {  // nearly every group code
      const CodeLine& line = kCodeLines[value];
      std::memcpy(buffer_.get() + used_, line.text, 4);
      used_ += line.length;
      return;
    }
    longCode(value);
  }
  // "%s\n"
  void text(std::string_view value);
  // "%w.dlf\n"
  void real(double value, int width, int decimals) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    RealText& memo = recentReals_[(bits * 0x9E3779B97F4A7C15u) >> (64 - kRecentRealsBits)];
    if (memo.length != 0 && memo.bits == bits && memo.width == width && memo.decimals == decimals &&
        kBufferSize - used_ >= sizeof memo.text + 2) {
      char* p = buffer_.get() + used_;
      std::memcpy(p, memo.text, sizeof memo.text);
      endLine(p + memo.length);
      return;
    }
    formatReal(memo, bits, value, width, decimals);
  }

  void flush();

 private:
  // The lines "0\r\n" to "99\r\n", padded to four bytes.
  struct CodeLine {
    char text[4];
    std::size_t length;
  };
  static constexpr auto kCodeLines = [] {
    std::array<CodeLine, 100> lines{};
    for (int v = 0; v < 100; ++v) {
      CodeLine& line = lines[v];
      std::size_t n = 0;
      if (v >= 10) line.text[n++] = static_cast<char>('0' + v / 10);
      line.text[n++] = static_cast<char>('0' + v % 10);
      line.text[n++] = '\r';
      line.text[n++] = '\n';
      line.length = n;
    }
    return lines;
  }();
  void longCode(long long value);
  // A drawing repeats its coordinates, thicknesses and text sizes: the
  // lines of recent reals are kept, by the bits of the value and the format.
  struct RealText {
    std::uint64_t bits = 0;
    int width = 0;
    int decimals = 0;
    std::size_t length = 0;  // 0: empty
    char text[kShortFixedBytes] = {};
  };
  static constexpr int kRecentRealsBits = 8;
  void formatReal(RealText& memo, std::uint64_t bits, double value, int width, int decimals);
  // Where the next `bytes` bytes go, flushing first when they do not fit.
  char* room(std::size_t bytes);
  // Ends the line whose text ends at `end`.
  void endLine(char* end);
  static constexpr std::size_t kBufferSize = 64 * 1024;
  OutputSink& sink_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  std::unique_ptr<RealText[]> recentReals_{new RealText[std::size_t{1} << kRecentRealsBits]};
};

}  // namespace ps
