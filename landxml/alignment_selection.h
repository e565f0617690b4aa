// Choosing what of a road to import: the Alignment, its ProfAlign (the
// grade line) and its ProfSurf (the ground).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "landxml/refusal.h"
#include "landxml/road_model.h"

namespace ps::landxml {

// The names the user gave (UTF-8, compared byte for byte), each optional.
struct RoadChoice {
  std::optional<std::string> alignment;  // --alignment
  std::optional<std::string> profile;    // --profile: a ProfAlign
  std::optional<std::string> ground;     // --ground: a ProfSurf
};

// The Alignment to import, with the chosen grade line and ground line in
// `grade` and `ground`, and the warnings of the reader about it and about
// the chosen ProfAlign (by line); the lists of ProfAligns and ProfSurfs are
// left empty.
//
// The Alignment is the one named, else the only one; the ProfAlign the one
// named, else the only one; the ProfSurf the one named, else the first
// (none: no ground). Refused (ImportRefused): a road without Alignment; a
// name that nothing or several have (the message lists what there is);
// several Alignments, or several ProfAligns, and no name (the message
// lists those that can be imported, and a note line for each of the
// others says why not); an Alignment without ProfAlign; and the reader's
// refusal of what is chosen.
Alignment selectAlignment(const Road& road, const RoadChoice& choice, std::string_view fileName);

}  // namespace ps::landxml
