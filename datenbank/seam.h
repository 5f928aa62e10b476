// The test seam of datenbank: heap reservations that fail on request. Included only
// by the tests and fuzz targets, never by the program.
#pragma once

namespace datenbank {

// The n-th heap reservation from now on fails (0: none fails).
void failReservationAfter(int n);

} // namespace datenbank
