#include "driver/profile_data_reader.h"

#include "dxf/shift_jis.h"

namespace ps {

namespace {

[[noreturn]] void refuse(const Scanner& in, const char* what) { throw InputRefused{in.fileName() + what}; }

// Applies the capacity of a table to the count just read.
int checkedCount(const Scanner& in, int count, int capacity, const char* message) {
  if (count > capacity) refuse(in, message);
  return count < 0 ? 0 : count;
}

// The count line "%d\n".
int readCount(Scanner& in, int capacity, const char* message) {
  int count = 0;
  ScanRead(in).integer(count).space();
  return checkedCount(in, count, capacity, message);
}

}  // namespace

void readProfileData(Scanner& in, ProfileData& data) {
  {
    ScanRead header(in);
    for (int k = 1; k <= 26; ++k) {
      if (k > 1) header.literal(',');
      header.real(data.header[k]);
    }
  }

  GroundPointTable& ground = data.groundPoints;
  ground.count = readCount(in, kMaxTableRows, sjis::kTableRowLimit);
  for (int i = 1; i <= ground.count; ++i)
    ScanRead(in).integer(ground.number[i]).literal(',').real(ground.plus[i]).literal(',').real(ground.height[i]);

  StationTable& stations = data.stations;
  stations.count = readCount(in, kMaxTableRows, sjis::kTableRowLimit);
  for (int i = 1; i <= stations.count; ++i)
    ScanRead(in)
        .integer(stations.number[i])
        .literal(',')
        .real(stations.plus[i])
        .literal(',')
        .real(stations.plannedHeight[i])
        .literal(',')
        .real(stations.intervalDistance[i]);

  VipTable& vips = data.vips;
  vips.count = readCount(in, kMaxVipRows, sjis::kVipLimit);
  for (int i = 1; i <= vips.count; ++i)
    ScanRead(in)
        .integer(vips.number[i])
        .literal(',')
        .real(vips.plus[i])
        .literal(',')
        .real(vips.height[i])
        .literal(',')
        .real(vips.curveLength[i]);

  // "%d,%lf\n": the real after the count is read and discarded.
  CurveTable& curves = data.curves;
  {
    int count = 0;
    double discarded = 0.0;
    ScanRead(in).integer(count).literal(',').real(discarded).space();
    curves.count = checkedCount(in, count, kMaxTableRows, sjis::kTableRowLimit);
  }
  for (int i = 1; i <= curves.count; ++i)
    ScanRead(in)
        .integer(curves.fromNumber[i])
        .literal(',')
        .real(curves.fromPlus[i])
        .literal(',')
        .integer(curves.toNumber[i])
        .literal(',')
        .real(curves.toPlus[i])
        .literal(',')
        .real(curves.radius[i]);

  // "%d,%lf\n": a real after the count replaces the run-off length (value 13).
  SuperelevationTable& supers = data.superelevations;
  {
    int count = 0;
    ScanRead(in).integer(count).literal(',').real(data.header[13]).space();
    supers.count = checkedCount(in, count, kMaxTableRows, sjis::kTableRowLimit);
  }
  for (int i = 1; i <= supers.count; ++i) {
    double sixth = 0.0;  // optional, read and discarded
    ScanRead(in)
        .integer(supers.startNumber[i])
        .literal(',')
        .real(supers.startPlus[i])
        .literal(',')
        .integer(supers.endNumber[i])
        .literal(',')
        .real(supers.endPlus[i])
        .literal(',')
        .real(supers.superelevation[i])
        .literal(',')
        .real(sixth);
  }

  // "%df\n", then rows "%d,%lf,%s\n"; the token loses its first and last
  // byte (the quotation marks around the text).
  AnnotationTable& notes = data.annotations;
  {
    int count = 0;
    ScanRead(in).integer(count).literal('f').space();
    notes.count = checkedCount(in, count, kMaxAnnotationRows, sjis::kAnnotationLimit);
  }
  for (int i = 1; i <= notes.count; ++i) {
    std::string token;
    ScanRead(in).integer(notes.number[i]).literal(',').real(notes.plus[i]).literal(',').token(token).space();
    if (token.size() > kMaxAnnotationTokenBytes) refuse(in, sjis::kAnnotationTextLimit);
    notes.text[i] = token.size() > 2 ? token.substr(1, token.size() - 2) : std::string();
  }
}

}  // namespace ps
