#include "numberfile.h"

#include "console.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// One white-space-delimited token as a signed 32-bit integer. False at end of input and for
// a token that is no integer or does not fit, so such a token ends the reading.
bool leseZahl(std::FILE* datei, int& zahl) {
    int c = std::fgetc(datei);
    while (c != EOF && std::isspace(c)) c = std::fgetc(datei);
    if (c == EOF) return false;

    // Sign and ten digits are the longest int; anything longer cannot fit anyway.
    char wort[16];
    std::size_t laenge = 0;
    bool zuLang = false;
    for (; c != EOF && !std::isspace(c); c = std::fgetc(datei)) {
        if (laenge < sizeof wort - 1)
            wort[laenge++] = static_cast<char>(c);
        else
            zuLang = true;
    }
    if (zuLang) return false;
    wort[laenge] = '\0';

    errno = 0;
    char* ende = nullptr;
    const long wert = std::strtol(wort, &ende, 10);
    if (ende == wort || *ende != '\0' || errno == ERANGE || wert < INT_MIN || wert > INT_MAX)
        return false;
    zahl = static_cast<int>(wert);
    return true;
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
