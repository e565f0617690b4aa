#include "input/band_row_list.h"

#include "text/shift_jis.h"

namespace ps {

void readBandRowList(Scanner& in, BandTitles& titles) {
  titles.count = 0;
  for (int k = 0; k < kMaxBandTitles; ++k) {
    in.space();
    const int line = in.currentLine();
    std::string word;
    ScanRead(in).token(word).space();
    if (word.size() > kMaxBandTitleBytes)
      throw InputRefused{in.fileName() + sjis::kBandTitleLimit, in.fileName(), line};
    word.resize(untilNul(word).size());
    if (word.empty()) break;
    titles.word[k] = std::move(word);
    titles.line[k] = line;
    titles.count = k + 1;
  }
}

}  // namespace ps
