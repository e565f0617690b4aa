// The sample roads of the importer's tests, as the reader reads them from
// tests/import/data, and station labels in test messages.
#pragma once

#include <filesystem>
#include <ostream>

#include "landxml/landxml_reader.h"
#include "landxml/road_model.h"
#include "import/stationing.h"

namespace ps::import {

// No.12+5.5
inline void PrintTo(const StationLabel& label, std::ostream* os) { *os << "No." << label.number << "+" << label.plus; }

}  // namespace ps::import

namespace ps::import::test {

inline landxml::Alignment sampleRoad(const char* file) {
  return landxml::readLandXmlFile(std::filesystem::path(PROFILE_SHEET_IMPORT_TEST_DATA) / file, file).alignments.at(0);
}

// road-utf8.xml: 1.5 km, seven curve groups, a station equation.
inline landxml::Alignment utf8Road() { return sampleRoad("road-utf8.xml"); }
// road-sjis.xml: 548 m from No.50, one clothoid curve group.
inline landxml::Alignment sjisRoad() { return sampleRoad("road-sjis.xml"); }

}  // namespace ps::import::test
