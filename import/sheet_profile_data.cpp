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

}  // namespace

std::string annotationText(std::string_view shiftJis) {
  std::string text;
  for (std::size_t i = 0; i < shiftJis.size();) {
    const std::size_t length = isLeadByte(static_cast<unsigned char>(shiftJis[i])) && i + 1 < shiftJis.size() ? 2 : 1;
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

}  // namespace ps::import
