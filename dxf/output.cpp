#include "dxf/output.h"

#include <charconv>
#include <cstring>


namespace ps {

void FileSink::write(std::string_view bytes) {
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
}

char* DxfStream::room(std::size_t bytes) {
  if (kBufferSize - used_ < bytes) flush();
  return buffer_.get() + used_;
}

void DxfStream::endLine(char* end) {
  end[0] = '\r';
  end[1] = '\n';
  used_ = static_cast<std::size_t>(end + 2 - buffer_.get());
}

void DxfStream::longCode(long long value) {
  char* p = room(24);
  endLine(std::to_chars(p, p + 22, value).ptr);
}

void DxfStream::text(std::string_view value) {
  if (value.size() + 2 > kBufferSize) {
    flush();
    sink_.write(value);
    sink_.write("\r\n");
    return;
  }
  char* p = room(value.size() + 2);
  if (!value.empty()) std::memcpy(p, value.data(), value.size());
  endLine(p + value.size());
}

void DxfStream::formatReal(RealText& memo, std::uint64_t bits, double value, int width, int decimals) {
  char* p = room(kShortFixedBytes + 2);
  if (char* end = writeShortFixed(p, value, width, decimals)) {
    memo.bits = bits;
    memo.width = width;
    memo.decimals = decimals;
    memo.length = static_cast<std::size_t>(end - p);
    std::memcpy(memo.text, p, memo.length);
    endLine(end);
    return;
  }
  std::string longText;
  appendFixed(longText, value, width, decimals);
  text(longText);
}

void DxfStream::flush() {
  if (used_ == 0) return;
  sink_.write(std::string_view(buffer_.get(), used_));
  used_ = 0;
}

}  // namespace ps
