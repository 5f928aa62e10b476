// Times the library's bubble sort against the plain transcription on numbermaker's file.
// Built twice: sorting_bench (sorttimer's sort) and sorting_counting_bench (sortcounter's).
#include "bubblesort.h"
#include "numberfile.h"
#include "reference_sort.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace sortierung;

namespace {

template <typename Sortierung>
double millisekunden(std::vector<int> zahlen, int n, Sortierung sortieren) {
    const auto start = std::chrono::steady_clock::now();
    sortieren(zahlen.data(), n);
    const auto ende = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(ende - start).count();
}

double median(std::vector<double> werte) {
    std::sort(werte.begin(), werte.end());
    return werte[werte.size() / 2];
}

} // namespace

int main() {
    // The very file numbermaker writes, read back through the programs' reading procedure.
    std::FILE* datei = std::tmpfile();
    if (!datei || !zufallszahlenSchreiben(datei)) {
        std::fputs("cannot write the number file\n", stderr);
        return 1;
    }
    std::rewind(datei);
    std::vector<int> zahlen(kMaxZahlen);
    const int anzahl = anzahlLesen(datei);
    const int n = zuSortieren(anzahl, zahlenLesen(datei, zahlen.data()));
    std::fclose(datei);

    std::vector<int> unser = zahlen;
    std::vector<int> referenz = zahlen;
    bubblesort(unser.data(), n);
    referenzBubblesort(referenz.data(), n);
    if (unser != referenz || !std::is_sorted(unser.begin(), unser.begin() + n)) {
        std::fputs("the two sorts disagree\n", stderr);
        return 1;
    }

    constexpr int kRunden = 11;
    std::vector<double> zeitUnser, zeitReferenz;
    for (int runde = 0; runde < kRunden; runde++) {
        // Alternate the order so neither sort always runs on a warmer machine.
        if (runde % 2 == 0) {
            zeitUnser.push_back(millisekunden(zahlen, n, bubblesort));
            zeitReferenz.push_back(millisekunden(zahlen, n, referenzBubblesort));
        } else {
            zeitReferenz.push_back(millisekunden(zahlen, n, referenzBubblesort));
            zeitUnser.push_back(millisekunden(zahlen, n, bubblesort));
        }
    }

#ifdef SWAP_COUNTING
    const char* variante = "sortcounter (counting swap)";
    if (swapped != referenzSwapped) {
        std::fputs("the swap counts disagree\n", stderr);
        return 1;
    }
    std::printf("swap calls per sort: %d\n", swapped / (kRunden + 1));
#else
    const char* variante = "sorttimer";
#endif
    std::printf("%s, %d values, %d runs each\n", variante, n, kRunden);
    std::printf("  ours:          median %8.1f ms  best %8.1f ms\n", median(zeitUnser),
                *std::min_element(zeitUnser.begin(), zeitUnser.end()));
    std::printf("  transcription: median %8.1f ms  best %8.1f ms\n", median(zeitReferenz),
                *std::min_element(zeitReferenz.begin(), zeitReferenz.end()));
    std::printf("  ratio ours / transcription (median): %.3f\n",
                median(zeitUnser) / median(zeitReferenz));
    return 0;
}
