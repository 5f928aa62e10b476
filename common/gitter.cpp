// The framed grid of the queen board and the maze.
#include "gitter.h"

#include "console.h"

namespace console {

namespace {

void randLinie(int breite) {
    std::fputs("\t\t", stdout);
    setcolor(kDunkelgrauAufDunkelgrau);
    std::fputc('+', stdout);
    for (int i = 0; i < breite; ++i) std::fputc('-', stdout);
    std::fputc('+', stdout);
    setcolor(kHellgrau);
    std::fputc('\n', stdout);
}

void randZeichen(char zeichen) {
    setcolor(kDunkelgrauAufDunkelgrau);
    std::fputc(zeichen, stdout);
    setcolor(kHellgrau);
}

} // namespace

void printFramedGrid(int spalten, int zeilen, int zellenBreite,
                     const std::function<void(int zeile, int spalte)>& zelle) {
    randLinie(spalten * zellenBreite);
    for (int zeile = 0; zeile < zeilen; ++zeile) {
        std::fputs("\t\t", stdout);
        randZeichen('|');
        for (int spalte = 0; spalte < spalten; ++spalte) zelle(zeile, spalte);
        randZeichen('|');
        std::fputc('\n', stdout);
    }
    randLinie(spalten * zellenBreite);
    std::fputc('\n', stdout);
}

} // namespace console
