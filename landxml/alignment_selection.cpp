#include "landxml/alignment_selection.h"

#include <algorithm>
#include <vector>

#include "text/shift_jis.h"

namespace ps::landxml {

namespace {

constexpr std::size_t kMaxListed = 20;

// The names, quoted, at most kMaxListed of them.
template <class Item>
RefusalMessage& listNames(RefusalMessage& message, const std::vector<const Item*>& items) {
  for (std::size_t i = 0; i < items.size() && i < kMaxListed; ++i)
    message.ascii(i > 0 ? ", " : "").quoted(items[i]->name);
  if (items.size() > kMaxListed) message.ascii(", ...");
  return message;
}

template <class Item>
std::vector<const Item*> all(const std::vector<Item>& items) {
  std::vector<const Item*> out;
  for (const Item& item : items) out.push_back(&item);
  return out;
}

// A refusal: the first line, then a note for each item that cannot be
// chosen, "FILE[:LINE]: note: KIND "NAME" は読み込めません: WHY".
[[noreturn]] void refuseWithNotes(RefusalMessage& first, std::string_view fileName, std::string_view kind,
                                  const std::vector<std::pair<const std::string*, const ImportRefused*>>& refused) {
  std::string notes;
  for (std::size_t i = 0; i < refused.size() && i < kMaxListed; ++i) {
    const auto& [name, why] = refused[i];
    notes += RefusalMessage(fileName, why->line)
                 .ascii(kind).ascii(" ").quoted(*name).ascii(" ").sjis(sjis::kImportCannotImport)
                 .sjis(why->detail.c_str()).note();
  }
  try {
    first.refuse();
  } catch (ImportRefused& refusedFirst) {
    refusedFirst.message += notes;
    throw;
  }
}

// The item of `items` named `name`; refused when none or several have it.
template <class Item>
const Item& named(const std::vector<Item>& items, const std::string& name, std::string_view kind,
                  const char* notFound, std::string_view fileName) {
  const Item* chosen = nullptr;
  int matches = 0;
  for (const Item& item : items)
    if (item.name == name && matches++ == 0) chosen = &item;
  if (matches == 0) {
    RefusalMessage message(fileName, 0);
    message.ascii(kind).ascii(" ").quoted(name).ascii(" ").sjis(notFound);
    listNames(message, all(items)).refuse();
  }
  if (matches > 1) RefusalMessage(fileName, 0).ascii(kind).ascii(" ").quoted(name).ascii(" ").sjis(sjis::kImportSameName).refuse();
  return *chosen;
}

// Why an Alignment cannot be imported whatever is chosen in it: its own
// refusal, no ProfAlign, or (with one ProfAlign, or none that reads) the
// first ProfAlign's refusal.
std::optional<ImportRefused> alignmentFault(const Alignment& a, std::string_view fileName) {
  if (a.refusal) return a.refusal;
  if (a.profAligns.empty()) {
    // "Profile/ProfAlignがありません。": the sentence without its "に".
    const std::string detail = RefusalMessage(fileName, a.line).sjis(sjis::kImportNoProfAlign + 2).text();
    return ImportRefused(detail, a.line, detail);
  }
  for (const ProfAlignLine& p : a.profAligns)
    if (!p.refusal) return std::nullopt;
  return a.profAligns.front().refusal;
}

const Alignment& chooseAlignment(const Road& road, const RoadChoice& choice, std::string_view fileName) {
  if (road.alignments.empty()) RefusalMessage(fileName, 0).sjis(sjis::kImportNoAlignment).refuse();
  if (choice.alignment)
    return named(road.alignments, *choice.alignment, "Alignment", sjis::kImportAlignmentNotFound, fileName);
  if (road.alignments.size() == 1) return road.alignments.front();
  std::vector<const Alignment*> importable;
  std::vector<std::pair<const std::string*, const ImportRefused*>> notImportable;
  std::vector<ImportRefused> faults;
  faults.reserve(road.alignments.size());
  for (const Alignment& a : road.alignments) {
    if (std::optional<ImportRefused> fault = alignmentFault(a, fileName)) {
      faults.push_back(std::move(*fault));
      notImportable.emplace_back(&a.name, &faults.back());
    } else {
      importable.push_back(&a);
    }
  }
  RefusalMessage first(fileName, 0);
  if (importable.empty())
    first.sjis(sjis::kImportNoneImportable);
  else
    listNames(first.sjis(sjis::kImportSeveralAlignments), importable);
  refuseWithNotes(first, fileName, "Alignment", notImportable);
}

const ProfAlignLine& chooseProfAlign(const Alignment& a, const RoadChoice& choice, std::string_view fileName) {
  if (a.profAligns.empty())
    RefusalMessage(fileName, 0).ascii("Alignment ").quoted(a.name).ascii(" ").sjis(sjis::kImportNoProfAlign).refuse();
  const ProfAlignLine* chosen = &a.profAligns.front();
  if (choice.profile) {
    chosen = &named(a.profAligns, *choice.profile, "ProfAlign", sjis::kImportProfAlignNotFound, fileName);
  } else if (a.profAligns.size() > 1) {
    std::vector<const ProfAlignLine*> readable;
    std::vector<std::pair<const std::string*, const ImportRefused*>> unreadable;
    for (const ProfAlignLine& p : a.profAligns) {
      if (p.refusal)
        unreadable.emplace_back(&p.name, &*p.refusal);
      else
        readable.push_back(&p);
    }
    RefusalMessage first(fileName, 0);
    listNames(first.sjis(sjis::kImportSeveralProfAligns), readable);
    refuseWithNotes(first, fileName, "ProfAlign", unreadable);
  }
  if (chosen->refusal) throw *chosen->refusal;
  return *chosen;
}

const ProfSurfLine* chooseProfSurf(const Alignment& a, const RoadChoice& choice, std::string_view fileName) {
  const ProfSurfLine* chosen = a.profSurfs.empty() ? nullptr : &a.profSurfs.front();
  if (choice.ground) chosen = &named(a.profSurfs, *choice.ground, "ProfSurf", sjis::kImportProfSurfNotFound, fileName);
  if (chosen && chosen->refusal) throw *chosen->refusal;
  return chosen;
}

}  // namespace

Alignment selectAlignment(const Road& road, const RoadChoice& choice, std::string_view fileName) {
  const Alignment& a = chooseAlignment(road, choice, fileName);
  if (a.refusal) throw *a.refusal;
  const ProfAlignLine& profile = chooseProfAlign(a, choice, fileName);
  const ProfSurfLine* surface = chooseProfSurf(a, choice, fileName);
  Alignment chosen = a;
  chosen.grade = profile.points;
  chosen.gradeName = profile.name;
  chosen.gradeLine = profile.line;
  chosen.ground = surface ? surface->points : std::vector<GroundPoint>{};
  chosen.warnings.insert(chosen.warnings.end(), profile.warnings.begin(), profile.warnings.end());
  std::stable_sort(chosen.warnings.begin(), chosen.warnings.end(),
                   [](const ReaderWarning& x, const ReaderWarning& y) { return x.line < y.line; });
  chosen.profAligns.clear();
  chosen.profSurfs.clear();
  return chosen;
}

}  // namespace ps::landxml
