// Choosing the Alignment of a road to import.
#pragma once

#include <optional>
#include <string_view>

#include "landxml/refusal.h"
#include "landxml/road_model.h"

namespace ps::landxml {

// The Alignment named `name` (UTF-8, compared byte for byte) when one is
// given, else the only one. Refused (ImportRefused): a road without
// Alignment; a name that no Alignment or several Alignments have; several
// Alignments and no name (the message lists their names); an Alignment
// without Profile/ProfAlign.
const Alignment& selectAlignment(const Road& road, std::optional<std::string_view> name, std::string_view fileName);

}  // namespace ps::landxml
