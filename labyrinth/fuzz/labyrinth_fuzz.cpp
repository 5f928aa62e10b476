// Reading "labyrint.def" for a given size from any bytes: the cells of the maze hold
// 0 or 1 exactly when the file has that many digits 0 and 1 (white space aside), and
// nothing outside the maze is touched. Small mazes then go through both way searches,
// which must agree cell for cell.
//
// First byte: rows, second: columns (each 0 to 51, so the bounds are tried too).
#include "fuzz_harness.h"
#include "labyrinth.h"
#include "referenz.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>

using namespace labyrinth;

namespace {

constexpr int kUnberuehrt = 7;

using Feld = int[kMaxGroesse][kMaxGroesse];

void fuellen(Feld feld) {
    for (int z = 0; z < kMaxGroesse; ++z) {
        for (int s = 0; s < kMaxGroesse; ++s) feld[z][s] = kUnberuehrt;
    }
}

// The digits the file must hold: zeilen * spalten of 0 and 1, white space anywhere.
bool passendeDatei(std::string_view datei, int spalten, int zeilen, std::string& ziffern) {
    for (char c : datei) {
        if (std::isspace(static_cast<unsigned char>(c))) continue;
        if (c != '0' && c != '1') return false;
        ziffern += c;
    }
    return ziffern.size() == static_cast<std::size_t>(spalten) * static_cast<std::size_t>(zeilen);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    harness::Ordner ordner;
    harness::Bytes bytes(data, size);
    const int zeilen = bytes.byte() % 52;
    const int spalten = bytes.byte() % 52;
    const std::string_view datei = bytes.rest();
    toolbox::writeFile("labyrint.def", datei);

    static Feld feld;
    fuellen(feld);
    const bool ergebnis = init(feld, spalten, zeilen);

    const bool groesseOk =
        zeilen >= 1 && zeilen <= kMaxGroesse && spalten >= 1 && spalten <= kMaxGroesse;
    std::string ziffern;
    const bool dateiOk = groesseOk && passendeDatei(datei, spalten, zeilen, ziffern);
    PRUEFEN(ergebnis == dateiOk);
    for (int z = 0; z < kMaxGroesse; ++z) {
        for (int s = 0; s < kMaxGroesse; ++s) {
            if (groesseOk && z < zeilen && s < spalten) {
                if (ergebnis) PRUEFEN(feld[z][s] == ziffern[z * spalten + s] - '0');
            } else {
                PRUEFEN(feld[z][s] == kUnberuehrt);
            }
        }
    }

    // The plain search is exponential: only small mazes go through both.
    if (ergebnis && zeilen * spalten <= 24) {
        static Feld schnell;
        std::memcpy(schnell, feld, sizeof(Feld));
        const bool gefunden = sucheWeg(schnell, spalten, zeilen, 0, 0);
        const bool erwartet = sucheWegReferenz(feld, spalten, zeilen, 0, 0);
        PRUEFEN(gefunden == erwartet);
        PRUEFEN(std::memcmp(schnell, feld, sizeof(Feld)) == 0);
    }
    return 0;
}
