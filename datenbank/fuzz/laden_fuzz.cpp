// Loading "fh-datenbank.txt" from any bytes: the records up to the first malformed
// one arrive whole, newest first; saving them and loading the saved file gives the
// same records back in reverse order.
#include "datenbank.h"
#include "fuzz_harness.h"
#include "liste_pruefen.h"

#include <cstdint>
#include <string_view>

using namespace datenbank;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    harness::Ordner ordner;
    const std::string_view datei(reinterpret_cast<const char*>(data), size);
    toolbox::writeFile("fh-datenbank.txt", datei);

    Liste* liste = nullptr;
    PRUEFEN(createList(liste));
    laden(liste);
    const auto geladen = harness::pruefen(liste);
    harness::geladenWieDieDatei({}, geladen, datei);

    speichern(liste);
    const std::string geschrieben = toolbox::readFile("fh-datenbank.txt");
    PRUEFEN(geschrieben == harness::gespeichert(geladen));

    Liste* wieder = nullptr;
    PRUEFEN(createList(wieder));
    laden(wieder);
    const auto zurueck = harness::pruefen(wieder);
    PRUEFEN(zurueck.size() == geladen.size());
    for (std::size_t i = 0; i < geladen.size(); ++i)
        PRUEFEN(harness::gleicherInhalt(zurueck[i].inhalt, geladen[geladen.size() - 1 - i].inhalt));

    listeFreigeben(wieder);
    listeFreigeben(liste);
    return 0;
}
