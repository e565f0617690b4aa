#include <initializer_list>

#include "text/shift_jis.h"
#include "dxf/tables.h"

namespace ps {

namespace {

struct LineType {
  const char* name;
  const char* description;
  double patternLength;
  std::initializer_list<double> elements;
};

}  // namespace

void writeLineTypeTable(DxfStream& out) {
  static const LineType kLineTypes[] = {
      {"CONTINUOUS", sjis::kSolidLine, 1.0, {}},
      {"HIDDEN", "_ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _", 9.525, {6.35, -3.175}},
      {"CENTER", "____ _ ____ _ ____ _ ____ _ ____ _ ____", 50.8, {31.75, -6.35, 6.35, -6.35}},
      {"PHANTOM",
       "_____ _ _ _____ _ _ _____ _ _ _____ _ _ ____",
       63.5,
       {31.75, -6.35, 6.35, -6.35, 6.35, -6.35}},
      {"DOT", ".............................................", 10.0, {5.0, -5.0}},
  };

  out.code(2);
  out.text("TABLES");
  out.code(0);
  out.text("TABLE");
  out.code(2);
  out.text("LTYPE");
  out.code(70);
  out.code(5);
  out.code(0);
  for (const LineType& type : kLineTypes) {
    out.text("LTYPE");
    out.code(2);
    out.text(type.name);
    out.code(70);
    out.code(64);
    out.code(3);
    out.text(type.description);
    out.code(72);
    out.code(65);
    out.code(73);
    out.code(static_cast<long long>(type.elements.size()));
    out.code(40);
    out.real(type.patternLength, 5, 0);
    for (double element : type.elements) {
      out.code(49);
      out.real(element, 5, 0);
    }
    out.code(0);
  }
  out.text("ENDTAB");
}

}  // namespace ps
