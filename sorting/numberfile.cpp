// Writing and reading the number files; a number is a whole white-space-delimited word.
#include "numberfile.h"

#include "words.h"

#include <cstdlib>
#include <string>

namespace sortierung {

namespace {

// False at end of input and for a word that is no integer or does not fit ("12abc", or
// one with a NUL inside), so such a word ends the reading. A word is read no further
// than an integer could be long, so a file without white space ends it at once.
bool zahlLesen(std::FILE* datei, int& zahl) {
    std::string wort;
    return words::readWordFrom(datei, wort, words::kLongestInteger) && words::parseInt(wort, zahl);
}

} // namespace

bool zufallszahlenSchreiben(std::FILE* datei) {
    std::fprintf(datei, "%d\n\n", kMaxZahlen);
    for (int i = 0; i <= kMaxZahlen - 1; i++) std::fprintf(datei, "%d\n", std::rand());
    return !std::ferror(datei);
}

int anzahlLesen(std::FILE* datei) {
    int anzahl = 0;
    return zahlLesen(datei, anzahl) ? anzahl : 0;
}

int zahlenLesen(std::FILE* datei, int* zahlen) {
    int gelesen = 0;
    while (gelesen < kMaxZahlen && zahlLesen(datei, zahlen[gelesen])) gelesen++;
    return gelesen;
}

int zuSortieren(int anzahl, int gelesen) {
    if (anzahl <= 0) return 0;
    return anzahl < gelesen ? anzahl : gelesen;
}

bool zahlenSchreiben(std::FILE* datei, const int* zahlen, int n) {
    for (int i = 0; i < n; i++) std::fprintf(datei, "%d\n", zahlen[i]);
    return !std::ferror(datei);
}

} // namespace sortierung
