// A sheet over a drawing in memory for the tests of the sheet steps and the
// geometry: table rows added in code, the three layers of the sheet, a small
// header, and a one-line summary of every entity written.
#pragma once

#include <cmath>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "sheet/sheet.h"
#include "support/test_support.h"

namespace ps::test {

inline void addStation(StationTable& t, int number, double plus, double interval) {
  ++t.count;
  t.number[t.count] = number;
  t.plus[t.count] = plus;
  t.intervalDistance[t.count] = interval;
}

inline void addVip(VipTable& t, int number, double plus, double height, double curveLength) {
  ++t.count;
  t.number[t.count] = number;
  t.plus[t.count] = plus;
  t.height[t.count] = height;
  t.curveLength[t.count] = curveLength;
}

// Stations No.first .. No.last, every 20 m, the first at chainage 0.
inline void addStations(StationTable& t, int first, int last) {
  for (int n = first; n <= last; ++n) addStation(t, n, 0.0, n == first ? 0.0 : 20.0);
}

inline std::string trimmed(const std::string& s) {
  const auto b = s.find_first_not_of(' ');
  return b == std::string::npos ? std::string() : s.substr(b);
}

// One string per entity, numbers as written but without their padding:
// "L x1,y1 x2,y2" for a LINE, "H ..." / "P ..." for a HIDDEN / PHANTOM line,
// "T x,y text" for a TEXT at its insertion point, "C x,y rR" for a CIRCLE.
inline std::vector<std::string> summarize(const std::vector<std::string>& l) {
  std::vector<std::string> out;
  auto pt = [&](std::size_t i, std::size_t j) { return trimmed(l[i]) + "," + trimmed(l[j]); };
  for (std::size_t i = 0; i < l.size();) {
    if (l[i] == "LINE" && i + 23 < l.size() && l[i + 7] == "48") {
      out.push_back((l[i + 10] == "HIDDEN" ? "H " : "P ") + pt(i + 12, i + 14) + " " + pt(i + 18, i + 20));
      i += 24;
    } else if (l[i] == "LINE" && i + 19 < l.size()) {
      out.push_back("L " + pt(i + 8, i + 10) + " " + pt(i + 14, i + 16));
      i += 20;
    } else if (l[i] == "TEXT" && i + 31 < l.size()) {
      out.push_back("T " + pt(i + 8, i + 10) + " " + l[i + 26]);
      i += 32;
    } else if (l[i] == "CIRCLE" && i + 13 < l.size()) {
      out.push_back("C " + pt(i + 6, i + 8) + " r" + trimmed(l[i + 12]));
      i += 14;
    } else {
      out.push_back("? " + l[i++]);
    }
  }
  return out;
}

// The entries of one kind ('L', 'H', 'P', 'T', 'C').
inline std::vector<std::string> only(const std::vector<std::string>& entities, char kind) {
  std::vector<std::string> out;
  for (const std::string& e : entities)
    if (e[0] == kind) out.push_back(e);
  return out;
}

// The kinds in order, one letter per entity.
inline std::string kinds(const std::vector<std::string>& entities) {
  std::string out;
  for (const std::string& e : entities) out += e[0];
  return out;
}

struct SheetFixture {
  SheetFixture() {
    memory.defineLayer("D-TTL-BAND", 7, 0.0);
    memory.defineLayer("D-STR", 3, 0.25);
    memory.defineLayer("D-BGD", 1, 0.0);
    const double header[26] = {10,  2,   1000, 100, 400, 100, 10, 5,   20, 0,   0, 0,   10,
                               2.5, 3.5, 2.5,  3,   2.5, 2,   2,  0.8, 1,  0.8, 1, 1, 0.8};
    for (int k = 0; k < 26; ++k) data.header.*kHeaderFileOrder[k] = header[k];
  }
  SheetFixture(const SheetFixture&) = delete;
  SheetFixture& operator=(const SheetFixture&) = delete;

  // The band row list, top row first, as the list file gives it.
  void bandRows(std::initializer_list<std::string> fileOrder) {
    titles.count = 0;
    for (const std::string& t : fileOrder) titles.word[titles.count++] = t;
  }
  void ground(int number, double plus, double height) {
    GroundPointTable& g = data.groundPoints;
    ++g.count;
    g.number[g.count] = number;
    g.plus[g.count] = plus;
    g.height[g.count] = height;
  }
  // The sheet over the data as filled so far, its VIP table normalised as
  // the run does; made on first use. With a continuation it is a sheet of a
  // set.
  Sheet& sheet() {
    if (!sheet_) {
      normaliseVipTable(data.vips);
      sheet_.emplace(memory.drawing, data, titles, 4 * std::atan(1.0), continuation ? &*continuation : nullptr);
    }
    return *sheet_;
  }
  std::vector<std::string> entities() { return summarize(memory.lines()); }

  MemoryDrawing memory;
  ProfileData data;
  BandTitles titles;
  std::optional<Continuation> continuation;

 private:
  std::optional<Sheet> sheet_;
};

}  // namespace ps::test
