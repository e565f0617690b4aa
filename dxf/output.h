// The drawing file as the writers see it: a line-oriented DXF stream that
// ends every line with CR LF and hands its bytes to a sink.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

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
  void code(long long value);
  // "%s\n"
  void text(std::string_view value);
  // "%w.dlf\n"
  void real(double value, int width, int decimals);

  void flush();

 private:
  // Where the next `bytes` bytes go, flushing first when they do not fit.
  char* room(std::size_t bytes);
  // Ends the line whose text ends at `end`.
  void endLine(char* end);
  static constexpr std::size_t kBufferSize = 64 * 1024;
  OutputSink& sink_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

}  // namespace ps
