// The checks of the profile data file on its own: the station table, where
// every point lies against it, the order of the ground points, VIPs, curves
// and superelevation rows, the heights against the profile view, the sheet
// against its frame and the annotation texts.
#pragma once

#include "check/findings.h"
#include "check/profile_facts.h"

namespace ps::check {

// `usableHeader`: header values 3, 4 and 8 can be drawn with (the checks
// that scale by them are left out otherwise; the refusal says why).
void checkProfileData(const ProfileFacts& facts, bool usableHeader, FindingList& out);

}  // namespace ps::check
