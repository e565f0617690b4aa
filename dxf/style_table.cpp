#include "text/shift_jis.h"
#include "dxf/tables.h"

namespace ps {

void writeStyleTable(DxfStream& out) {
  struct Style {
    const char* name;
    const char* bigFont;
  };
  static const Style kStyles[] = {{"STANDARD", sjis::kMsGothic}, {"KANJI", "BIGFONT"}};

  out.code(0);
  out.text("TABLE");
  out.code(2);
  out.text("STYLE");
  out.code(70);
  out.code(2);
  out.code(0);
  for (const Style& style : kStyles) {
    out.text("STYLE");
    out.code(2);
    out.text(style.name);
    out.code(70);
    out.code(0);
    out.code(40);
    out.real(0.0, 5, 0);
    out.code(41);
    out.real(1.0, 5, 0);
    out.code(50);
    out.real(0.0, 5, 0);
    out.code(71);
    out.code(0);
    out.code(42);
    out.real(0.2, 5, 0);
    out.code(3);
    out.text("TXT");
    out.code(4);
    out.text(style.bigFont);
    out.code(0);
  }
  out.text("ENDTAB");
}

}  // namespace ps
