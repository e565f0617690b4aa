#include "check/profile_data_checks.h"

#include <cmath>

#include "input/continuation.h"
#include "input/file_names.h"
#include "platform/text_encoding.h"
#include "sheet/band_layout.h"
#include "text/number_format.h"
#include "text/shift_jis.h"

namespace ps::check {

namespace {

// Interval distances may differ from the station arithmetic by a millimetre;
// the small addition keeps a nominal millimetre within it, whatever the
// binary rounding of the two values.
constexpr double kIntervalTolerance = 0.001 + 1e-9;

class ProfileChecks {
 public:
  ProfileChecks(const ProfileFacts& facts, bool usableHeader, FindingList& out)
      : f_(facts), d_(facts.data), lines_(facts.lines), usableHeader_(usableHeader), out_(out) {}

  void run() {
    stations();
    positions();
    groundOrder();
    vips();
    curves();
    superelevations();
    heights();
    frame();
    annotationTexts();
    if (f_.continuation && f_.continuationLines) continuationItems();
  }

 private:
  void error(int line, std::string message) { out_.error(kProfileDataFile, line, std::move(message)); }
  void warning(int line, std::string message) { out_.warning(kProfileDataFile, line, std::move(message)); }

  std::string station(int row) const { return stationText(d_.stations.number[row], d_.stations.plus[row]); }
  static std::string at(const std::string& label, const Placed& p) {
    return cat(label, sjis::kChainageOpen, metres(p.chainage), sjis::kMetresClose);
  }

  // Stations strictly ascending by (number, plus), and each interval
  // distance as the station arithmetic gives it.
  void stations() {
    const StationTable& st = d_.stations;
    for (int i = 2; i <= st.count; ++i) {
      const int line = ProfileFacts::lineOf(lines_.stations, i);
      const bool after = st.number[i] > st.number[i - 1] ||
                         (st.number[i] == st.number[i - 1] && st.plus[i] > st.plus[i - 1]);
      if (!after) {
        error(line, cat(sjis::kStationSubject, station(i), sjis::kNotAfterPreviousRow, station(i - 1),
                        sjis::kStationsMustAscend));
        continue;
      }
      const long long steps = static_cast<long long>(st.number[i]) - st.number[i - 1];
      const double expected = static_cast<double>(steps) * d_.header.stationInterval + (st.plus[i] - st.plus[i - 1]);
      if (!(std::fabs(st.intervalDistance[i] - expected) <= kIntervalTolerance))
        warning(line, cat(sjis::kStationSubject, station(i), sjis::kIntervalDistanceOf,
                          metres(st.intervalDistance[i]), sjis::kMetresDiffersFrom, station(i - 1),
                          sjis::kDistanceFrom, metres(expected), sjis::kMetresByStationInterval));
    }
  }

  // One point of a table against the listed stations.
  void position(const Placed& p, int number, double plus, const std::string& subject, int line) {
    const StationTable& st = d_.stations;
    const std::string label = subject + stationText(number, plus);
    // A sheet of a set places such a point by station arithmetic, off the
    // sheet, where it belongs.
    if (p.beyondEnds) return;
    if (p.base.row < 0) {
      error(line, cat(label, sjis::kAfterLastStation, station(st.count), sjis::kDrawnAtRoadStart));
    } else if (p.base.row == 0) {
      error(line, cat(label, sjis::kBeforeFirstStation, station(1), sjis::kDrawnBeforeFirstAt, metres(p.chainage),
                      sjis::kMetresDrawn));
    } else if (!p.base.exact && number != st.number[p.base.row]) {
      // The whole stations after the row it is placed from, up to its own.
      const long long first = static_cast<long long>(st.number[p.base.row]) + 1;
      std::string missing = "No." + formatInt(number);
      if (first < number) missing = cat("No.", formatInt(first), sjis::kRangeTo, missing);
      warning(line, cat(label, sjis::kStationsMissing, missing, sjis::kNotInStationTable, station(p.base.row),
                        sjis::kPlacedFromChainage, metres(p.chainage), sjis::kMetresDrawn));
    }
  }

  void positions() {
    const bool anyPosition = d_.groundPoints.count > 0 || d_.vips.count > 0 || d_.curves.count > 0 ||
                             d_.superelevations.count > 0 || d_.annotations.count > 0;
    if (d_.stations.count == 0) {
      if (anyPosition) error(lines_.stations.count, sjis::kNoStations);
      return;
    }
    const GroundPointTable& g = d_.groundPoints;
    for (int i = 1; i <= g.count; ++i)
      position(f_.ground[i], g.number[i], g.plus[i], sjis::kGroundPointSubject,
               ProfileFacts::lineOf(lines_.groundPoints, i));
    const VipTable& v = d_.vips;
    for (int i = 1; i <= v.count; ++i)
      position(f_.vip[i], v.number[i], v.plus[i], "VIP ", ProfileFacts::lineOf(lines_.vips, i));
    const CurveTable& c = d_.curves;
    for (int i = 1; i <= c.count; ++i) {
      const int line = ProfileFacts::lineOf(lines_.curves, i);
      const std::string row = cat(sjis::kCurveSubject, formatInt(i));
      position(f_.curveFrom[i], c.fromNumber[i], c.fromPlus[i], row + sjis::kStartPointOf, line);
      position(f_.curveTo[i], c.toNumber[i], c.toPlus[i], row + sjis::kEndPointOf, line);
    }
    const SuperelevationTable& s = d_.superelevations;
    for (int i = 1; i <= s.count; ++i) {
      const int line = ProfileFacts::lineOf(lines_.superelevations, i);
      const std::string row = cat(sjis::kSuperelevationSubject, formatInt(i));
      position(f_.superStart[i], s.startNumber[i], s.startPlus[i], row + sjis::kStartPointOf, line);
      position(f_.superEnd[i], s.endNumber[i], s.endPlus[i], row + sjis::kEndPointOf, line);
    }
    const AnnotationTable& a = d_.annotations;
    for (int i = 1; i <= a.count; ++i)
      position(f_.note[i], a.number[i], a.plus[i], sjis::kAnnotationSubject,
               ProfileFacts::lineOf(lines_.annotations, i));
  }

  // Ground points ascending by chainage. A point outside the stations is
  // reported as such; the fold it makes in the ground line is not repeated.
  void groundOrder() {
    const GroundPointTable& g = d_.groundPoints;
    for (int i = 2; i <= g.count; ++i) {
      const Placed &a = f_.ground[i - 1], &b = f_.ground[i];
      if (a.outside() || b.outside() || !(b.chainage < a.chainage)) continue;
      error(ProfileFacts::lineOf(lines_.groundPoints, i),
            cat(at(cat(sjis::kGroundPointSubject, stationText(g.number[i], g.plus[i])), b), sjis::kBeforePreviousPoint,
                at(stationText(g.number[i - 1], g.plus[i - 1]), a), sjis::kGroundFoldsBack));
    }
  }

  std::string vipLabel(int i) const { return stationText(d_.vips.number[i], d_.vips.plus[i]); }

  // Whether VIPs i and i + 1 both lie inside the stations, in strictly
  // ascending order.
  bool vipPairInOrder(int i) const {
    const Placed &a = f_.vip[i], &b = f_.vip[i + 1];
    return !a.outside() && !b.outside() && a.chainage < b.chainage;
  }

  void vips() {
    const VipTable& v = d_.vips;
    const int n = v.count;
    for (int i = 2; i <= n; ++i) {
      const Placed &a = f_.vip[i - 1], &b = f_.vip[i];
      if (a.outside() || b.outside() || a.chainage < b.chainage) continue;
      const int line = ProfileFacts::lineOf(lines_.vips, i);
      if (a.chainage == b.chainage)
        error(line, cat("VIP ", vipLabel(i), sjis::kPreviousVip, vipLabel(i - 1), sjis::kSameChainageAs,
                        metres(b.chainage), sjis::kInfiniteGrade));
      else
        error(line, cat(at("VIP " + vipLabel(i), b), sjis::kPreviousVip, at(vipLabel(i - 1), a), sjis::kVipNotAfter));
    }

    // Vertical curves of the interior VIPs: within their neighbours, and
    // clear of each other (touching is fine).
    const VerticalProfile& p = f_.profile;
    auto curve = [&](int i) {
      return cat(sjis::kVerticalCurveOf, metres(p.begin[i]), sjis::kRangeTo, metres(p.end[i]), sjis::kMetresClose);
    };
    std::array<bool, kMaxVipRows + 2> reachesPast{};
    for (int i = 2; i <= n - 1; ++i) {
      const int line = ProfileFacts::lineOf(lines_.vips, i);
      if (vipPairInOrder(i - 1) && p.begin[i] < p.chainage[i - 1]) {
        reachesPast[i] = true;
        error(line, cat("VIP ", vipLabel(i), curve(i), sjis::kPreviousVip, at(vipLabel(i - 1), f_.vip[i - 1]),
                        sjis::kReachesPast));
      }
      if (vipPairInOrder(i) && p.end[i] > p.chainage[i + 1]) {
        reachesPast[i] = true;
        error(line, cat("VIP ", vipLabel(i), curve(i), sjis::kNextVip, at(vipLabel(i + 1), f_.vip[i + 1]),
                        sjis::kReachesPast));
      }
    }
    for (int i = 3; i <= n - 1; ++i) {
      if (reachesPast[i - 1] || reachesPast[i] || !vipPairInOrder(i - 1) || !(p.begin[i] < p.end[i - 1])) continue;
      error(ProfileFacts::lineOf(lines_.vips, i), cat("VIP ", vipLabel(i), curve(i), sjis::kPreviousVip,
                                                      vipLabel(i - 1), sjis::kVerticalCurveOfPrevious, curve(i - 1),
                                                      sjis::kOverlaps));
    }

    // The first and last VIP carry no curve in the drawing.
    if (n >= 1 && v.curveLength[1] != 0)
      warning(ProfileFacts::lineOf(lines_.vips, 1),
              cat(sjis::kFirstVip, vipLabel(1), sjis::kCurveLengthOf, metres(v.curveLength[1]), sjis::kCurveLengthIgnored));
    if (n >= 2 && v.curveLength[n] != 0)
      warning(ProfileFacts::lineOf(lines_.vips, n),
              cat(sjis::kLastVip, vipLabel(n), sjis::kCurveLengthOf, metres(v.curveLength[n]), sjis::kCurveLengthIgnored));
  }

  // A span from one point to another of a table row: its end not before its
  // start. Returns whether the span is sound (both ends inside, in order).
  bool span(const std::string& row, const Placed& start, int startNumber, double startPlus, const Placed& end,
            int endNumber, double endPlus, int line) {
    if (start.outside() || end.outside()) return false;
    if (!(end.chainage < start.chainage)) return true;
    error(line, cat(row, sjis::kEndPointOf, at(stationText(endNumber, endPlus), end), sjis::kIsBeforeStart,
                    at(stationText(startNumber, startPlus), start), sjis::kIsBeforeIt));
    return false;
  }

  static std::string spanText(const Placed& a, const Placed& b) {
    return cat(sjis::kSpanOf, metres(a.chainage), sjis::kRangeTo, metres(b.chainage), sjis::kMetresClose);
  }

  std::array<bool, kTableSlots> curveSound_{};

  void curves() {
    const CurveTable& c = d_.curves;
    for (int i = 1; i <= c.count; ++i) {
      const int line = ProfileFacts::lineOf(lines_.curves, i);
      const std::string row = cat(sjis::kCurveSubject, formatInt(i));
      curveSound_[i] = span(row, f_.curveFrom[i], c.fromNumber[i], c.fromPlus[i], f_.curveTo[i], c.toNumber[i],
                            c.toPlus[i], line);
      if (curveSound_[i] && i >= 2 && curveSound_[i - 1] && f_.curveFrom[i].chainage < f_.curveTo[i - 1].chainage)
        error(line, cat(row, sjis::kStartPointOf, at(stationText(c.fromNumber[i], c.fromPlus[i]), f_.curveFrom[i]),
                        sjis::kPreviousCurve, formatInt(i - 1), sjis::kEndPointOf,
                        at(stationText(c.toNumber[i - 1], c.toPlus[i - 1]), f_.curveTo[i - 1]),
                        sjis::kCurvesOverlap));
      if (c.radius[i] == 0) warning(line, cat(row, sjis::kRadiusZero));
    }
  }

  // Row i of the superelevation table takes its side from curve row i: the
  // two should be the same curve, so their spans should overlap.
  void superelevations() {
    const SuperelevationTable& s = d_.superelevations;
    const int curveCount = d_.curves.count;
    for (int i = 1; i <= s.count; ++i) {
      const int line = ProfileFacts::lineOf(lines_.superelevations, i);
      const std::string row = cat(sjis::kSuperelevationSubject, formatInt(i));
      const Placed &a = f_.superStart[i], &b = f_.superEnd[i];
      const bool sound = span(row, a, s.startNumber[i], s.startPlus[i], b, s.endNumber[i], s.endPlus[i], line);
      // The continuation may give the raised side itself; the curve row then
      // decides nothing.
      const Continuation* const c = f_.continuation;
      if (c && c->transitions[i] && c->transitions[i]->raised) continue;
      if (i > curveCount) {
        warning(line, cat(row, sjis::kPairedCurve, formatInt(i), sjis::kNoPairedCurve, formatInt(curveCount),
                          sjis::kRowsSideOfZeroRadius));
      } else if (sound && curveSound_[i]) {
        const Placed &from = f_.curveFrom[i], &to = f_.curveTo[i];
        if (!(a.chainage <= to.chainage && from.chainage <= b.chainage))
          warning(line, cat(row, spanText(a, b), sjis::kPairedCurveSpan, formatInt(i), spanText(from, to),
                            sjis::kSpansDoNotOverlap));
      }
    }
  }

  // Heights within the profile view: from the datum level up to the top of
  // the elevation axis.
  void height(const std::string& what, double value, int line) {
    const HeaderValues& h = d_.header;
    if (value < h.datumLevel) {
      warning(line, cat(what, metres(value), sjis::kMetresBelowDatum, metres(h.datumLevel), sjis::kIsBelow));
    } else if (usableHeader_) {
      const double top = h.datumLevel + h.profileViewHeight * h.verticalScale / 1000;
      if (value > top) warning(line, cat(what, metres(value), sjis::kMetresAboveTop, metres(top), sjis::kIsAbove));
    }
  }

  // On a sheet of a set only what is drawn counts: the ground and the VIPs
  // on the sheet, and where a VIP lies beyond it, the grade line towards it
  // at the sheet's edge.
  void heights() {
    const GroundPointTable& g = d_.groundPoints;
    for (int i = 1; i <= g.count; ++i)
      if (!f_.ground[i].beyondEnds)
        height(cat(sjis::kGroundPointSubject, stationText(g.number[i], g.plus[i]), sjis::kGroundHeightOf),
               g.height[i], ProfileFacts::lineOf(lines_.groundPoints, i));
    const VipTable& v = d_.vips;
    const VerticalProfile& p = f_.profile;
    const StationTable& st = d_.stations;
    bool vipsInOrder = v.count >= 1 && !f_.vip[v.count].outside();
    for (int i = 1; i <= v.count; ++i) {
      const int line = ProfileFacts::lineOf(lines_.vips, i);
      const Placed& at = f_.vip[i];
      if (!at.beyondEnds) {
        height(cat("VIP ", vipLabel(i), sjis::kVipHeightOf), v.height[i], line);
      } else if (at.base.row == 0 && i < v.count && vipPairInOrder(i) && p.chainage[i + 1] > f_.stationChainage[1]) {
        const double edge = v.height[i] + p.grade[i] * (f_.stationChainage[1] - p.chainage[i]);
        height(cat("VIP ", vipLabel(i), sjis::kGradeLineToward, station(1), sjis::kHeightThere), edge, line);
      } else if (at.base.row < 0 && i > 1 && vipPairInOrder(i - 1) && p.chainage[i - 1] < f_.stationChainage[st.count]) {
        const double edge = v.height[i - 1] + p.grade[i - 1] * (f_.stationChainage[st.count] - p.chainage[i - 1]);
        height(cat("VIP ", vipLabel(i), sjis::kGradeLineToward, station(st.count), sjis::kHeightThere), edge, line);
      }
      if (i < v.count && !vipPairInOrder(i)) vipsInOrder = false;
    }
    // The planned heights follow the VIPs; when those are out of order the
    // fault is theirs and is reported there.
    if (!vipsInOrder) return;
    for (int i = 1; i <= st.count; ++i)
      height(cat(sjis::kStationSubject, station(i), sjis::kPlannedHeightOf), f_.plannedHeight[i],
             ProfileFacts::lineOf(lines_.stations, i));
  }

  // The last station within the band data cell.
  void frame() {
    const StationTable& st = d_.stations;
    if (!usableHeader_ || st.count < 1) return;
    const HeaderValues& h = d_.header;
    const double x = DataMarginX + f_.stationChainage[st.count] * 1000 / h.horizontalScale;
    const double cell = h.bandDataLength - h.bandRowGap;
    if (x <= cell) return;
    warning(ProfileFacts::lineOf(lines_.stations, st.count),
            cat(sjis::kLastStation, station(st.count), sjis::kChainageOpen, metres(f_.stationChainage[st.count]),
                sjis::kMetresClose, sjis::kOutsideDataCell, metres(cell), sjis::kRunsPastFrame, metres(x),
                sjis::kMillimetresClose));
  }

  void annotationTexts() {
    const AnnotationTable& a = d_.annotations;
    for (int i = 1; i <= a.count; ++i)
      if (!platform::isValidShiftJis(a.text[i]))
        warning(ProfileFacts::lineOf(lines_.annotations, i),
                cat(sjis::kAnnotationSubject, stationText(a.number[i], a.plus[i]), sjis::kTextNotShiftJis));
  }

  // The continuation file against the profile data: its end stations
  // against the station table, its rows against the tables' counts, the
  // lines it skips and its names' encoding.
  void continuationItems() {
    const Continuation& c = *f_.continuation;
    const ContinuationLines& at = *f_.continuationLines;
    const StationTable& st = d_.stations;
    auto fault = [&](int line, std::string message) { out_.error(kContinuationFile, line, std::move(message)); };
    auto note = [&](int line, std::string message) { out_.warning(kContinuationFile, line, std::move(message)); };
    auto end = [&](const char* item, int number, double plus, int row, const char* which, int line) {
      const std::string label = cat(item, stationText(number, plus));
      if (st.count < 1)
        fault(line, cat(label, sjis::kButNoStations));
      else if (number != st.number[row] || plus != st.plus[row])
        fault(line, cat(label, which, station(row), sjis::kDoNotMatch));
    };
    if (c.first) end("FIRST ", c.first->number, c.first->plus, 1, sjis::kNotFirstStationRow, at.first);
    if (c.last) end("LAST ", c.last->number, c.last->plus, st.count, sjis::kNotLastStationRow, at.last);
    for (int row = 1; row <= kMaxTableRows; ++row) {
      if (c.curves[row] && row > d_.curves.count)
        note(at.curves[row], cat("CURVE ", formatInt(row), ": ", sjis::kCurveTableHas, formatInt(d_.curves.count),
                                 sjis::kRowsLineUnused));
      if (c.transitions[row] && row > d_.superelevations.count)
        note(at.transitions[row], cat("SUPER ", formatInt(row), ": ", sjis::kSuperelevationTableHas,
                                      formatInt(d_.superelevations.count), sjis::kRowsLineUnused));
    }
    for (const UnknownItem& item : at.unknown) {
      // The word is quoted when it can be shown as it is.
      bool plain = !item.keyword.empty() && item.keyword.size() <= 20;
      for (char ch : item.keyword) plain = plain && ch > ' ' && ch < 0x7f;
      note(item.line, cat(plain ? cat(sjis::kQuoteOpen, item.keyword, sjis::kQuoteClose) : sjis::kLineStartWord,
                          sjis::kNotAContinuationItem));
    }
    if (!c.roadName.empty() && !platform::isValidShiftJis(c.roadName))
      note(at.road, cat("ROAD", sjis::kTextNotShiftJis));
    if (!c.projectName.empty() && !platform::isValidShiftJis(c.projectName))
      note(at.project, cat("PROJECT", sjis::kTextNotShiftJis));
  }

  const ProfileFacts& f_;
  const ProfileData& d_;
  const ProfileDataLines& lines_;
  bool usableHeader_;
  FindingList& out_;
};

}  // namespace

void checkProfileData(const ProfileFacts& facts, bool usableHeader, FindingList& out) {
  ProfileChecks(facts, usableHeader, out).run();
}

}  // namespace ps::check
