// The band row list against the rows the sheet fills: every title should
// receive a row's content, and every row with content should have a title.
#pragma once

#include "check/findings.h"
#include "check/profile_facts.h"
#include "input/band_row_list.h"

namespace ps::check {

// Titles whose row stays empty: no key title starts with their first
// character, or a title listed after them takes that row's content.
void checkBandTitles(const BandTitles& titles, FindingList& out);

// Rows whose content the profile data holds but whose title the list lacks.
void checkRowsHaveTitles(const BandTitles& titles, const ProfileFacts& facts, FindingList& out);

}  // namespace ps::check
