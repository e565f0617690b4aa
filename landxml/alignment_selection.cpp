#include "landxml/alignment_selection.h"

#include <vector>

#include "text/shift_jis.h"

namespace ps::landxml {

namespace {

// The names of the road's Alignments, quoted, at most 20 of them.
RefusalMessage& listNames(RefusalMessage& message, const Road& road) {
  constexpr std::size_t kMaxListed = 20;
  for (std::size_t i = 0; i < road.alignments.size() && i < kMaxListed; ++i)
    message.ascii(i > 0 ? ", " : "").quoted(road.alignments[i].name);
  if (road.alignments.size() > kMaxListed) message.ascii(", ...");
  return message;
}

}  // namespace

const Alignment& selectAlignment(const Road& road, std::optional<std::string_view> name, std::string_view fileName) {
  if (road.alignments.empty()) RefusalMessage(fileName, 0).sjis(sjis::kImportNoAlignment).refuse();
  const Alignment* chosen = nullptr;
  if (name) {
    int matches = 0;
    for (const Alignment& a : road.alignments)
      if (a.name == *name && matches++ == 0) chosen = &a;
    if (matches == 0) {
      RefusalMessage message(fileName, 0);
      message.ascii("Alignment ").quoted(*name).ascii(" ").sjis(sjis::kImportAlignmentNotFound);
      listNames(message, road).refuse();
    }
    if (matches > 1)
      RefusalMessage(fileName, 0).ascii("Alignment ").quoted(*name).ascii(" ").sjis(sjis::kImportSameName).refuse();
  } else if (road.alignments.size() > 1) {
    RefusalMessage message(fileName, 0);
    message.sjis(sjis::kImportSeveralAlignments);
    listNames(message, road).refuse();
  } else {
    chosen = &road.alignments.front();
  }
  if (chosen->grade.empty())
    RefusalMessage(fileName, 0).ascii("Alignment ").quoted(chosen->name).ascii(" ").sjis(sjis::kImportNoProfAlign).refuse();
  return *chosen;
}

}  // namespace ps::landxml
