// datenbank with the failure a test asks for through the environment:
//   HARDENING_RESERVIERUNG=n   the n-th heap reservation fails
//   HARDENING_SCHREIBPAUSE=1   a save stops itself (SIGSTOP) halfway through writing its
//                              temporary file, so the test can kill it there
#include "datenbank.h"
#include "ersetzen_seam.h"
#include "seam.h"

#include <csignal>
#include <cstdlib>

int main() {
    if (const char* n = std::getenv("HARDENING_RESERVIERUNG"))
        datenbank::reservierungScheiternLassen(std::atoi(n));
    if (std::getenv("HARDENING_SCHREIBPAUSE"))
        dateisystem::schreibpauseEinrichten([] { std::raise(SIGSTOP); });
    return datenbank::datenbankAusfuehren();
}
