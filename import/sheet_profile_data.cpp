#include "import/sheet_profile_data.h"

#include <stdexcept>

#include "input/scan_reader.h"

namespace ps::import {

namespace {

int checkedCount(std::size_t rows, int capacity) {
  if (rows > static_cast<std::size_t>(capacity)) throw std::logic_error("a sheet table beyond the generator's capacity");
  return static_cast<int>(rows);
}

bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc); }

// The bytes of the character that starts at `i`.
std::size_t characterLength(std::string_view text, std::size_t i) {
  return isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

}  // namespace

std::string continuationText(std::string_view shiftJis) {
  std::string text;
  for (std::size_t i = 0; i < shiftJis.size();) {
    const std::size_t length = characterLength(shiftJis, i);
    if (length == 1) {
      const unsigned char c = static_cast<unsigned char>(shiftJis[i]);
      text.push_back(c < 0x20 || c == 0x7f ? ' ' : shiftJis[i]);
    } else {
      text.append(shiftJis.substr(i, 2));
    }
    i += length;
  }
  const std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return {};
  text.erase(0, begin);
  std::string cut;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = characterLength(text, i);
    if (cut.size() + length > kMaxContinuationTextBytes) break;
    cut.append(text, i, length);
    i += length;
  }
  while (!cut.empty() && cut.back() == ' ') cut.pop_back();
  return cut;
}

std::string annotationText(std::string_view shiftJis) {
  std::string text;
  for (std::size_t i = 0; i < shiftJis.size();) {
    const std::size_t length = characterLength(shiftJis, i);
    if (text.size() + length > kMaxAnnotationTextBytes) break;
    for (std::size_t k = i; k < i + length; ++k) {
      const unsigned char c = static_cast<unsigned char>(shiftJis[k]);
      text.push_back(c == 0 || isScanSpace(c) ? '_' : shiftJis[k]);
    }
    i += length;
  }
  return text;
}

std::unique_ptr<ProfileData> profileDataOf(const SheetTables& sheet, const HeaderValues& header, double interval,
                                           const ToShiftJis& toShiftJis) {
  auto data = std::make_unique<ProfileData>();
  data->header = header;
  data->header.datumLevel = sheet.datum;
  data->header.stationInterval = interval;
  if (sheet.runoffLength) data->header.runOffLength = *sheet.runoffLength;

  GroundPointTable& ground = data->groundPoints;
  ground.count = checkedCount(sheet.ground.size(), kMaxTableRows);
  for (int i = 1; i <= ground.count; ++i) {
    const GroundRow& r = sheet.ground[i - 1];
    ground.number[i] = r.at.number, ground.plus[i] = r.at.plus, ground.height[i] = r.height;
  }
  StationTable& stations = data->stations;
  stations.count = checkedCount(sheet.stations.size(), kStationLimit);
  for (int i = 1; i <= stations.count; ++i) {
    const StationRow& r = sheet.stations[i - 1];
    stations.number[i] = r.at.number, stations.plus[i] = r.at.plus;
    stations.plannedHeight[i] = r.plannedHeight, stations.intervalDistance[i] = r.intervalDistance;
  }
  VipTable& vips = data->vips;
  vips.count = checkedCount(sheet.vips.size(), kMaxVipRows);
  for (int i = 1; i <= vips.count; ++i) {
    const VipRow& r = sheet.vips[i - 1];
    vips.number[i] = r.at.number, vips.plus[i] = r.at.plus, vips.height[i] = r.height;
    vips.curveLength[i] = r.curveLength;
  }
  CurveTable& curves = data->curves;
  curves.count = checkedCount(sheet.curves.size(), kMaxTableRows);
  for (int i = 1; i <= curves.count; ++i) {
    const CurveRow& r = sheet.curves[i - 1];
    curves.fromNumber[i] = r.from.number, curves.fromPlus[i] = r.from.plus;
    curves.toNumber[i] = r.to.number, curves.toPlus[i] = r.to.plus, curves.radius[i] = r.radius;
  }
  SuperelevationTable& supers = data->superelevations;
  supers.count = checkedCount(sheet.superelevation.size(), kMaxTableRows);
  for (int i = 1; i <= supers.count; ++i) {
    const SuperelevationRow& r = sheet.superelevation[i - 1];
    supers.startNumber[i] = r.start.number, supers.startPlus[i] = r.start.plus;
    supers.endNumber[i] = r.end.number, supers.endPlus[i] = r.end.plus, supers.superelevation[i] = r.superelevation;
  }
  AnnotationTable& notes = data->annotations;
  notes.count = checkedCount(sheet.annotations.size(), kMaxAnnotationRows);
  for (int i = 1; i <= notes.count; ++i) {
    const AnnotationRow& r = sheet.annotations[i - 1];
    notes.number[i] = r.at.number, notes.plus[i] = r.at.plus;
    notes.text[i] = annotationText(toShiftJis(r.text));
  }
  return data;
}

Continuation continuationOf(const SheetTables& sheet, const SheetIdentity& identity, const ToShiftJis& toShiftJis) {
  Continuation c;
  c.sheet = SheetOfSet{identity.number, identity.count};
  c.roadName = continuationText(toShiftJis(identity.roadName));
  c.projectName = continuationText(toShiftJis(identity.projectName));
  const StationLabel first = sheet.stations.front().at, last = sheet.stations.back().at;
  c.first = FirstStation{first.number, first.plus, toMetres(sheet.distance), toMetres(sheet.previous)};
  c.last = LastStation{last.number, last.plus, std::nullopt};
  if (sheet.next) c.last->next = toMetres(*sheet.next);
  checkedCount(sheet.curveFacts.size(), kMaxTableRows);
  checkedCount(sheet.transitions.size(), kMaxTableRows);
  for (std::size_t i = 0; i < sheet.curveFacts.size(); ++i) c.curves[i + 1] = sheet.curveFacts[i];
  for (std::size_t i = 0; i < sheet.transitions.size(); ++i) c.transitions[i + 1] = sheet.transitions[i];
  return c;
}

}  // namespace ps::import
