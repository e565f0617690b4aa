// The profile data of one road: the 26 header values and the six tables of
// the profile data file. Rows are numbered from 1 in file order; slot 0 of
// every column exists and stays zero (some rows read the slot of row i - 1).
#pragma once

#include <array>
#include <string>

namespace ps {

inline constexpr int kTableSlots = 500;                 // rows 1..499
inline constexpr int kMaxTableRows = kTableSlots - 1;   // 499
inline constexpr int kMaxVipRows = 49;
inline constexpr int kMaxAnnotationRows = 49;
inline constexpr std::size_t kMaxAnnotationTokenBytes = 49;
inline constexpr int kStationLimit = 30;

template <typename T>
using Column = std::array<T, kTableSlots>;

struct GroundPointTable {
  int count = 0;
  Column<int> number{};
  Column<double> plus{};
  Column<double> height{};
};

struct StationTable {
  int count = 0;
  Column<int> number{};
  Column<double> plus{};
  Column<double> plannedHeight{};
  Column<double> intervalDistance{};
};

struct VipTable {
  int count = 0;
  Column<int> number{};
  Column<double> plus{};
  Column<double> height{};
  Column<double> curveLength{};
};

struct CurveTable {
  int count = 0;
  Column<int> fromNumber{};
  Column<double> fromPlus{};
  Column<int> toNumber{};
  Column<double> toPlus{};
  Column<double> radius{};
};

struct SuperelevationTable {
  int count = 0;
  Column<int> startNumber{};
  Column<double> startPlus{};
  Column<int> endNumber{};
  Column<double> endPlus{};
  Column<double> superelevation{};
};

struct AnnotationTable {
  int count = 0;
  Column<int> number{};
  Column<double> plus{};
  std::array<std::string, kMaxAnnotationRows + 1> text{};
};

struct ProfileData {
  std::array<double, 27> header{};  // header values 1..26
  GroundPointTable groundPoints;
  StationTable stations;
  VipTable vips;
  CurveTable curves;
  SuperelevationTable superelevations;
  AnnotationTable annotations;

  double hv(int k) const { return header[k]; }
};

}  // namespace ps
