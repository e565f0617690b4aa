#include "dxf/output.h"

#include "dxf/number_format.h"

namespace ps {

void FileSink::write(std::string_view bytes) {
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
}

void DxfStream::endLine() {
  buffer_.append("\r\n", 2);
  if (buffer_.size() >= kFlushSize) flush();
}

void DxfStream::code(long long value) {
  appendInt(buffer_, value);
  endLine();
}

void DxfStream::text(std::string_view value) {
  buffer_.append(value);
  endLine();
}

void DxfStream::real(double value, int width, int decimals) {
  appendFixed(buffer_, value, width, decimals);
  endLine();
}

void DxfStream::flush() {
  if (buffer_.empty()) return;
  sink_.write(buffer_);
  buffer_.clear();
}

}  // namespace ps
