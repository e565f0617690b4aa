#include "input/profile_data_writer.h"

#include <cmath>
#include <stdexcept>

#include "input/scan_reader.h"
#include "text/number_format.h"

namespace ps {

namespace {

class Writer {
 public:
  explicit Writer(std::string& out) : out_(out) {}

  Writer& integer(long long value) {
    separate();
    appendInt(out_, value);
    return *this;
  }
  Writer& real(double value, int minDecimals) {
    if (!std::isfinite(value)) throw std::invalid_argument("a real that is not finite");
    separate();
    appendExact(out_, value, minDecimals);
    return *this;
  }
  Writer& quoted(const std::string& text) {
    separate();
    out_ += '"';
    out_ += text;
    out_ += '"';
    return *this;
  }
  void endLine() {
    out_ += "\r\n";
    first_ = true;
  }

 private:
  void separate() {
    if (!first_) out_ += ',';
    first_ = false;
  }
  std::string& out_;
  bool first_ = true;
};

int checkedCount(int count, int capacity) {
  if (count > capacity) throw std::invalid_argument("a table beyond its capacity");
  return count < 0 ? 0 : count;
}

void checkAnnotation(const std::string& text) {
  if (text.size() > kMaxAnnotationTextBytes) throw std::invalid_argument("an annotation text over 47 bytes");
  for (char c : text)
    if (c == '\0' || isScanSpace(static_cast<unsigned char>(c)))
      throw std::invalid_argument("an annotation text with white space");
}

}  // namespace

std::string writeProfileData(const ProfileData& data) {
  std::string out;
  Writer w(out);

  for (double HeaderValues::*value : kHeaderFileOrder) w.real(data.header.*value, 0);
  w.endLine();

  const GroundPointTable& ground = data.groundPoints;
  w.integer(checkedCount(ground.count, kMaxTableRows)).endLine();
  for (int i = 1; i <= ground.count; ++i) {
    w.integer(ground.number[i]).real(ground.plus[i], 3).real(ground.height[i], 3);
    w.endLine();
  }

  const StationTable& stations = data.stations;
  w.integer(checkedCount(stations.count, kMaxTableRows)).endLine();
  for (int i = 1; i <= stations.count; ++i) {
    w.integer(stations.number[i]).real(stations.plus[i], 3).real(stations.plannedHeight[i], 3);
    w.real(stations.intervalDistance[i], 3).endLine();
  }

  const VipTable& vips = data.vips;
  w.integer(checkedCount(vips.count, kMaxVipRows)).endLine();
  for (int i = 1; i <= vips.count; ++i) {
    w.integer(vips.number[i]).real(vips.plus[i], 3).real(vips.height[i], 3).real(vips.curveLength[i], 3);
    w.endLine();
  }

  const CurveTable& curves = data.curves;
  w.integer(checkedCount(curves.count, kMaxTableRows)).endLine();
  for (int i = 1; i <= curves.count; ++i) {
    w.integer(curves.fromNumber[i]).real(curves.fromPlus[i], 3).integer(curves.toNumber[i]);
    w.real(curves.toPlus[i], 3).real(curves.radius[i], 1).endLine();
  }

  const SuperelevationTable& supers = data.superelevations;
  w.integer(checkedCount(supers.count, kMaxTableRows)).real(data.header.runOffLength, 1).endLine();
  for (int i = 1; i <= supers.count; ++i) {
    w.integer(supers.startNumber[i]).real(supers.startPlus[i], 3).integer(supers.endNumber[i]);
    w.real(supers.endPlus[i], 3).real(supers.superelevation[i], 1).endLine();
  }

  const AnnotationTable& notes = data.annotations;
  w.integer(checkedCount(notes.count, kMaxAnnotationRows)).endLine();
  for (int i = 1; i <= notes.count; ++i) {
    checkAnnotation(notes.text[i]);
    w.integer(notes.number[i]).real(notes.plus[i], 3).quoted(notes.text[i]).endLine();
  }
  return out;
}

}  // namespace ps
