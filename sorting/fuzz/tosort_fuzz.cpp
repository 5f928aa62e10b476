// Reading "tosort.txt" from any bytes: the count and at most 10000 values up to the
// first token that is no integer, the count cut down to what was read; then the first
// values sorted (small inputs only, the sort is quadratic) as a permutation of them.
#include "bubblesort.h"
#include "fuzz_harness.h"
#include "fuzz_woerter.h"
#include "numberfile.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

using namespace sortierung;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    harness::Ordner ordner;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    toolbox::writeFile("tosort.txt", text);

    // Exactly the buffer's size on the heap, so a write past it is caught.
    const std::unique_ptr<int[]> zahlen(new int[kMaxZahlen]);
    std::FILE* datei = std::fopen("tosort.txt", "r");
    PRUEFEN(datei != nullptr);
    const int anzahl = anzahlLesen(datei);
    const int gelesen = zahlenLesen(datei, zahlen.get());
    std::fclose(datei);
    const int n = zuSortieren(anzahl, gelesen);

    // The model: white-space-separated tokens, each a whole integer in range, read no
    // further than an integer could be long.
    const auto token = harness::woerter(text, words::kLongestInteger);
    int erwarteteAnzahl = 0;
    if (!token.empty() && !harness::ganzzahl(token[0], erwarteteAnzahl)) erwarteteAnzahl = 0;
    std::vector<int> erwartet;
    for (std::size_t i = 1; i < token.size() && erwartet.size() < kMaxZahlen; ++i) {
        int wert;
        if (!harness::ganzzahl(token[i], wert)) break;
        erwartet.push_back(wert);
    }
    PRUEFEN(anzahl == erwarteteAnzahl);
    PRUEFEN(gelesen == static_cast<int>(erwartet.size()));
    PRUEFEN(std::equal(erwartet.begin(), erwartet.end(), zahlen.get()));
    PRUEFEN(n == (anzahl <= 0 ? 0 : std::min(anzahl, gelesen)));

    if (n <= 1000) {
        bubblesort(zahlen.get(), n);
        std::sort(erwartet.begin(), erwartet.begin() + n);
        PRUEFEN(std::equal(erwartet.begin(), erwartet.end(), zahlen.get()));
    }
    return 0;
}
