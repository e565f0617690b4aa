// The continuation file "Tsuzuki.dat": what one sheet of a set knows of the
// road beyond its own stations. It is optional; a sheet without it is drawn
// from its three other files alone.
//
// Shift-JIS text, one item a line: a keyword in capitals, blanks, then its
// values. Numbers are separated by commas, as in the profile data file; a
// text is the rest of the line (blanks inside kept, trailing blanks and the
// line end not). Blank lines are ignored, and so is a line whose keyword is
// not one of these, so that later versions can add items:
//
//   SHEET n,N                  sheet n of a set of N
//   ROAD text                  the road's name
//   PROJECT text               the project's name
//   FIRST number,plus,distance[,previous]
//                              the sheet's first listed station, its
//                              distance along the road (negative before the
//                              road's zero) and the distance from the
//                              road's previous listed station (0, or left
//                              out, on the road's first sheet)
//   LAST number,plus[,next]    the sheet's last listed station and the
//                              distance to the road's next listed station
//                              (left out on the road's last sheet)
//   CURVE row,ip,ia,cl,tl,sl   curve table row `row` is the road's curve
//                              group number ip, with its intersection angle
//                              (decimal degrees), curve length, tangent
//                              length and secant length (m)
//   SUPER row,runoff,runout[,side]
//                              superelevation table row `row`: its run-off
//                              and run-out lengths (m of chainage) and the
//                              side, R or L, that rises to the full
//                              superelevation (left out: from the sign of
//                              the curve row's radius)
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input/profile_data.h"
#include "input/scan_reader.h"

namespace ps {

inline constexpr char kContinuationFile[] = "Tsuzuki.dat";

// The longest road or project name, in bytes.
inline constexpr std::size_t kMaxContinuationTextBytes = 60;
// The largest set.
inline constexpr int kMaxSheetsInSet = 9999;

struct SheetOfSet {
  int number = 1;  // 1..count
  int count = 1;   // 1..kMaxSheetsInSet
};

struct FirstStation {
  int number = 0;
  double plus = 0.0;
  double distance = 0.0;  // along the road, m
  double previous = 0.0;  // from the road's previous listed station, m
};

struct LastStation {
  int number = 0;
  double plus = 0.0;
  std::optional<double> next;  // to the road's next listed station, m
};

struct CurveFacts {
  int ip = 0;                      // the curve group's number along the road
  double intersectionAngle = 0.0;  // IA, decimal degrees
  double curveLength = 0.0;        // CL, m
  double tangentLength = 0.0;      // TL, m
  double secantLength = 0.0;       // SL, m
};

enum class RaisedSide { right, left };

struct TransitionLengths {
  double runOff = 0.0;  // normal crossfall to full superelevation, m of chainage
  double runOut = 0.0;  // full superelevation back to normal, m of chainage
  std::optional<RaisedSide> raised;
};

struct Continuation {
  std::optional<SheetOfSet> sheet;
  std::string roadName;     // Shift-JIS, at most kMaxContinuationTextBytes
  std::string projectName;  // Shift-JIS, at most kMaxContinuationTextBytes
  std::optional<FirstStation> first;
  std::optional<LastStation> last;
  // Indexed by table row, 1..kMaxTableRows; slot 0 stays empty.
  std::array<std::optional<CurveFacts>, kTableSlots> curves{};
  std::array<std::optional<TransitionLengths>, kTableSlots> transitions{};
};

// A line whose keyword is none of the above: skipped by the reader.
struct UnknownItem {
  int line = 0;
  std::string keyword;
};

// The line of each item (0 where the file has none), for the checker.
struct ContinuationLines {
  int sheet = 0, road = 0, project = 0, first = 0, last = 0;
  std::array<int, kTableSlots> curves{};
  std::array<int, kTableSlots> transitions{};
  std::vector<UnknownItem> unknown;
};

// Reads the whole file. A line the program cannot use is refused
// (InputRefused, with the file and the line): a known keyword with too few
// or too many values, a value that is not a number (integers within 32
// bits, reals finite), a sheet number outside 1..N or N above
// kMaxSheetsInSet, a negative length or distance to a neighbour, an IP
// number below 1, an intersection angle outside [0, 360), a side other than
// R or L, an item (or a table row) given twice, a row outside
// 1..kMaxTableRows, an empty text, a text with a control byte or over its
// limit. Values may have blanks around them. When `lines` is given, it
// receives the line of every item and of every line it skipped.
void readContinuation(std::string_view text, Continuation& continuation, ContinuationLines* lines = nullptr);

// The text of the file that reads back as `continuation`, items in the order
// above (CURVE and SUPER rows by row), with CR LF line ends; reals written
// with the fewest decimals, at least one, that read back as the same double;
// FIRST always with its previous distance; empty names left out. Throws
// std::invalid_argument for what no file reads back as (what the reader
// refuses, and a name with blanks at either end).
std::string writeContinuation(const Continuation& continuation);

}  // namespace ps
