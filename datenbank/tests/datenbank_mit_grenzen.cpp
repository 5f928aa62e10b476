// datenbank with the failures a test asks for through the environment:
//   HARDENING_RESERVIERUNG=n   the n-th heap reservation fails
//   HARDENING_DATEIGRENZE=b    files may not grow beyond b bytes (writes past it fail)
#include "datenbank.h"
#include "seam.h"

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>

int main() {
    if (const char* n = std::getenv("HARDENING_RESERVIERUNG"))
        datenbank::failReservationAfter(std::atoi(n));
    if (const char* b = std::getenv("HARDENING_DATEIGRENZE")) {
        // A write past the limit then fails with EFBIG instead of ending the process.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t grenze = std::strtoull(b, nullptr, 10);
        const rlimit limit{grenze, grenze};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 99;
    }
    return datenbank::runDatenbank();
}
