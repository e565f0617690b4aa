#include "input/profile_data_reader.h"

#include "text/shift_jis.h"

namespace ps {

namespace {

[[noreturn]] void refuse(const Scanner& in, int line, const char* what) {
  throw InputRefused{in.fileName() + what, in.fileName(), line};
}

// The line of the next read. Every read starts with a number, which skips
// white space first, so skipping it here changes nothing.
int nextReadLine(Scanner& in) {
  in.space();
  return in.currentLine();
}

// Applies the capacity of a table to the count just read from `line`.
int checkedCount(const Scanner& in, int line, int count, int capacity, const char* message) {
  if (count > capacity) refuse(in, line, message);
  return count < 0 ? 0 : count;
}

// Notes where the next read begins. Every read starts with a number, which
// skips white space first, so skipping it here changes nothing.
class LineNotes {
 public:
  LineNotes(Scanner& in, ProfileDataLines* lines) : in_(in), lines_(lines) {}
  void note(int& where) {
    if (!lines_) return;
    in_.space();
    where = in_.atEnd() ? 0 : in_.currentLine();
  }
  void header() {
    if (lines_) note(lines_->header);
  }
  void count(TableLines ProfileDataLines::*table) {
    if (lines_) note((lines_->*table).count);
  }
  void row(TableLines ProfileDataLines::*table, int i) {
    if (lines_) note((lines_->*table).row[i]);
  }

 private:
  Scanner& in_;
  ProfileDataLines* lines_;
};

// The count line "%d\n".
int readCount(Scanner& in, int capacity, const char* message) {
  const int line = nextReadLine(in);
  int count = 0;
  ScanRead(in).integer(count).space();
  return checkedCount(in, line, count, capacity, message);
}

}  // namespace

void readProfileData(Scanner& in, ProfileData& data, ProfileDataLines* lines) {
  LineNotes notes(in, lines);
  notes.header();
  {
    ScanRead header(in);
    bool first = true;
    for (double HeaderValues::*value : kHeaderFileOrder) {
      if (!first) header.literal(',');
      header.real(data.header.*value);
      first = false;
    }
  }

  GroundPointTable& ground = data.groundPoints;
  notes.count(&ProfileDataLines::groundPoints);
  ground.count = readCount(in, kMaxTableRows, sjis::kTableRowLimit);
  for (int i = 1; i <= ground.count; ++i) {
    notes.row(&ProfileDataLines::groundPoints, i);
    ScanRead(in).integer(ground.number[i]).literal(',').real(ground.plus[i]).literal(',').real(ground.height[i]);
  }

  StationTable& stations = data.stations;
  notes.count(&ProfileDataLines::stations);
  stations.count = readCount(in, kMaxTableRows, sjis::kTableRowLimit);
  for (int i = 1; i <= stations.count; ++i) {
    notes.row(&ProfileDataLines::stations, i);
    ScanRead(in)
        .integer(stations.number[i])
        .literal(',')
        .real(stations.plus[i])
        .literal(',')
        .real(stations.plannedHeight[i])
        .literal(',')
        .real(stations.intervalDistance[i]);
  }

  VipTable& vips = data.vips;
  notes.count(&ProfileDataLines::vips);
  vips.count = readCount(in, kMaxVipRows, sjis::kVipLimit);
  for (int i = 1; i <= vips.count; ++i) {
    notes.row(&ProfileDataLines::vips, i);
    ScanRead(in)
        .integer(vips.number[i])
        .literal(',')
        .real(vips.plus[i])
        .literal(',')
        .real(vips.height[i])
        .literal(',')
        .real(vips.curveLength[i]);
  }

  // "%d,%lf\n": the real after the count is read and discarded.
  CurveTable& curves = data.curves;
  notes.count(&ProfileDataLines::curves);
  {
    const int line = nextReadLine(in);
    int count = 0;
    double discarded = 0.0;
    ScanRead(in).integer(count).literal(',').real(discarded).space();
    curves.count = checkedCount(in, line, count, kMaxTableRows, sjis::kTableRowLimit);
  }
  for (int i = 1; i <= curves.count; ++i) {
    notes.row(&ProfileDataLines::curves, i);
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
  }

  // "%d,%lf\n": a real after the count replaces the run-off length.
  SuperelevationTable& supers = data.superelevations;
  notes.count(&ProfileDataLines::superelevations);
  {
    const int line = nextReadLine(in);
    int count = 0;
    ScanRead(in).integer(count).literal(',').real(data.header.runOffLength).space();
    supers.count = checkedCount(in, line, count, kMaxTableRows, sjis::kTableRowLimit);
  }
  for (int i = 1; i <= supers.count; ++i) {
    notes.row(&ProfileDataLines::superelevations, i);
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

  // "%df\n", then rows "%d,%lf,%s\n". The text is the token up to its first
  // NUL byte, less its first and last byte (the quotation marks around it);
  // the capacity counts the whole token.
  AnnotationTable& annotations = data.annotations;
  notes.count(&ProfileDataLines::annotations);
  {
    const int line = nextReadLine(in);
    int count = 0;
    ScanRead(in).integer(count).literal('f').space();
    annotations.count = checkedCount(in, line, count, kMaxAnnotationRows, sjis::kAnnotationLimit);
  }
  for (int i = 1; i <= annotations.count; ++i) {
    notes.row(&ProfileDataLines::annotations, i);
    const int line = nextReadLine(in);
    std::string token;
    ScanRead(in)
        .integer(annotations.number[i])
        .literal(',')
        .real(annotations.plus[i])
        .literal(',')
        .token(token)
        .space();
    if (token.size() > kMaxAnnotationTokenBytes) refuse(in, line, sjis::kAnnotationTextLimit);
    const std::string_view text = untilNul(token);
    annotations.text[i] = text.size() > 2 ? std::string(text.substr(1, text.size() - 2)) : std::string();
  }
}

}  // namespace ps
