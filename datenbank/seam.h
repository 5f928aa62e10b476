// The test seam of datenbank: heap reservations that fail on request. Only the tests,
// the fuzz targets and the record list that implements it include this.
#pragma once

namespace datenbank {

// The n-th heap reservation from now on fails (0: none fails).
void reservierungScheiternLassen(int n);

} // namespace datenbank
