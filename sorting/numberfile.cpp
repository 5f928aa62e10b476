#include "numberfile.h"

#include "console.h"

#include <cctype>
#include <cstdlib>
#include <string>

using namespace console;

namespace {

// One white-space-delimited token as a signed 32-bit integer. False at end of input and for
// a token that is no integer or does not fit, so such a token ends the reading.
bool leseZahl(std::FILE* datei, int& zahl) {
    int c = std::fgetc(datei);
    while (c != EOF && std::isspace(c)) c = std::fgetc(datei);
    if (c == EOF) return false;

    std::string wort;
    for (; c != EOF && !std::isspace(c); c = std::fgetc(datei))
        wort.push_back(static_cast<char>(c));

    // The whole token must be the number: "12abc" or a NUL inside it is no integer.
    return parseInt(wort, zahl);
}

} // namespace

bool schreibeZufallszahlen(std::FILE* datei) {
    std::fprintf(datei, "%d\n\n", kMaxZahlen);
    for (int i = 0; i <= kMaxZahlen - 1; i++) std::fprintf(datei, "%d\n", std::rand());
    return !std::ferror(datei);
}

int leseAnzahl(std::FILE* datei) {
    int anzahl = 0;
    return leseZahl(datei, anzahl) ? anzahl : 0;
}

int leseZahlen(std::FILE* datei, int* zahlen) {
    int gelesen = 0;
    while (gelesen < kMaxZahlen && leseZahl(datei, zahlen[gelesen])) gelesen++;
    return gelesen;
}

int zuSortieren(int anzahl, int gelesen) {
    if (anzahl <= 0) return 0;
    return anzahl < gelesen ? anzahl : gelesen;
}

bool schreibeZahlen(std::FILE* datei, const int* zahlen, int n) {
    for (int i = 0; i < n; i++) std::fprintf(datei, "%d\n", zahlen[i]);
    return !std::ferror(datei);
}

int meldeFehler(const char* meldung) {
    std::printf("%s\n", meldung);
    getKey();
    return 1;
}
