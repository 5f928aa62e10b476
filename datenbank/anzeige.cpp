// The framed listing of the database and the logo box shown at the end.
#include "datenbank.h"
#include "intern.h"

#include "console.h"

#include <chrono>
#include <cstdio>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <type_traits>

using namespace console;

namespace datenbank {

namespace {

constexpr int kFarbeLeer = kSchwarz;                 // between the frames, so no background runs on
constexpr int kFarbeRahmen = kHellgrauAufDunkelgrau; // frame lines
constexpr int kFarbeWert = kWeissAufDunkelgrau;      // values inside a frame

// The listing's columns between two frame lines, in the order of a row's values.
// A value is right-aligned in its column with one blank on either side.
constexpr int kSpaltenbreiten[] = {10, 12, 17, 17, 17};

constexpr int zellenbreite(int spaltenbreite) {
    return spaltenbreite - 2;
}

// The address in the logo box, which is as wide as it.
constexpr std::string_view kAdresse = " www.fhdb.test ";

// The line break in black, so a frame's background ends at its edge; the frame's
// colour again for the next line.
void zeilenwechsel(const char* text) {
    writeColoured(kFarbeLeer, text, kFarbeRahmen);
}

// A horizontal frame line: its left end, the columns' fills joined by `kreuzung`, its right end.
void linie(std::span<const int> spalten, int links, int kreuzung, int rechts) {
    printFrame(links);
    for (std::size_t i = 0; i < spalten.size(); ++i) {
        if (i > 0) printFrame(kreuzung);
        printFrame(kRahmenWaagrecht, spalten[i]);
    }
    printFrame(rechts);
}

// The value right-aligned in its cell, printed whole if longer; the width is in screen
// columns on a UTF-8 terminal and in bytes elsewhere.
void zelle(int spaltenbreite, const char* wert) {
    setcolor(kFarbeWert);
    std::fputs(" ", stdout);
    printRightAligned(wert, zellenbreite(spaltenbreite));
    setcolor(kFarbeRahmen);
    std::fputs(" ", stdout);
    printFrame(kRahmenSenkrecht);
}

void zeile(const Datensatz& d) {
    const char* const werte[] = {d.matrikelnummer, d.vorname, d.nachname, d.email, d.telefon};
    static_assert(std::extent_v<decltype(werte)> == std::size(kSpaltenbreiten));
    printFrame(kRahmenSenkrecht);
    for (std::size_t i = 0; i < std::size(werte); ++i) zelle(kSpaltenbreiten[i], werte[i]);
}

} // namespace

void printListe(const Liste* liste) {
    setcolor(kFarbeText);
    std::fputs("\n\t\tInhalt der Datenbank:", stdout);
    zeilenwechsel("\n\n");
    linie(kSpaltenbreiten, kRahmenEckeObenLinks, kRahmenAbzweigUnten, kRahmenEckeObenRechts);
    zeilenwechsel("\n");
    for (const Element* e = liste->anfang; e; e = e->next) {
        zeile(*e->daten);
        zeilenwechsel("\n");
        if (e->next) {
            linie(kSpaltenbreiten, kRahmenAbzweigRechts, kRahmenKreuz, kRahmenAbzweigLinks);
            zeilenwechsel("\n");
        }
    }
    linie(kSpaltenbreiten, kRahmenEckeUntenLinks, kRahmenAbzweigOben, kRahmenEckeUntenRechts);
    writeColoured(kFarbeLeer, "\n\n", kFarbeMenue);
    std::fputs("\t\t\t\t\t\tenter -> weiter zum menue\n\n", stdout);
    getKey(); // any key, or the end of input, returns
}

void logo() {
    const int spalte[] = {static_cast<int>(kAdresse.size())};
    const std::string leer(kAdresse.size(), ' ');
    zeilenwechsel("\n\n\t\t\t");
    linie(spalte, kRahmenEckeObenLinks, kRahmenAbzweigUnten, kRahmenEckeObenRechts);
    for (const bool mitAdresse : {false, true, false}) {
        zeilenwechsel("\n\t\t\t");
        printFrame(kRahmenSenkrecht);
        if (mitAdresse) {
            writeColoured(kFarbeWert, kAdresse, kFarbeRahmen);
        } else {
            std::fputs(leer.c_str(), stdout);
        }
        printFrame(kRahmenSenkrecht);
    }
    zeilenwechsel("\n\t\t\t");
    linie(spalte, kRahmenEckeUntenLinks, kRahmenAbzweigOben, kRahmenEckeUntenRechts);
    setcolor(kFarbeLeer);
    std::fputs("\n\n", stdout);
    // Hold the box on screen a moment; a script need not wait for it.
    if (outputIsTerminal()) {
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
}

} // namespace datenbank
