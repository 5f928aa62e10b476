// datenbank with the failure a test asks for through the environment:
//   HARDENING_RESERVIERUNG=n   the n-th heap reservation fails
#include "datenbank.h"
#include "seam.h"

#include <cstdlib>

int main() {
    if (const char* n = std::getenv("HARDENING_RESERVIERUNG"))
        datenbank::reservierungScheiternLassen(std::atoi(n));
    return datenbank::datenbankAusfuehren();
}
