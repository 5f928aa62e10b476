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

namespace datenbank {

namespace {

constexpr int kFarbeLeer = console::kSchwarz; // between the frames, so no background runs on
constexpr int kFarbeRahmen = console::kHellgrauAufDunkelgrau; // frame lines
constexpr int kFarbeWert = console::kWeissAufDunkelgrau;      // values inside a frame

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
void zeileBeenden(const char* text) {
    console::writeColoured(kFarbeLeer, text, kFarbeRahmen);
}

// A horizontal frame line: its left end, the columns' fills joined by `kreuzung`, its right end.
void linieZeichnen(std::span<const int> spalten, int links, int kreuzung, int rechts) {
    console::printFrame(links);
    for (std::size_t i = 0; i < spalten.size(); ++i) {
        if (i > 0) console::printFrame(kreuzung);
        console::printFrame(console::kRahmenWaagrecht, spalten[i]);
    }
    console::printFrame(rechts);
}

// The value right-aligned in its cell, printed whole if longer; the width is in characters
// where the screen decodes UTF-8 (see printRightAligned) and in bytes elsewhere.
void zelleZeichnen(int spaltenbreite, const char* wert) {
    console::setcolor(kFarbeWert);
    std::fputs(" ", stdout);
    console::printRightAligned(wert, zellenbreite(spaltenbreite));
    console::setcolor(kFarbeRahmen);
    std::fputs(" ", stdout);
    console::printFrame(console::kRahmenSenkrecht);
}

void zeileZeichnen(const Datensatz& d) {
    const char* const werte[] = {d.matrikelnummer, d.vorname, d.nachname, d.email, d.telefon};
    static_assert(std::extent_v<decltype(werte)> == std::size(kSpaltenbreiten));
    console::printFrame(console::kRahmenSenkrecht);
    for (std::size_t i = 0; i < std::size(werte); ++i) zelleZeichnen(kSpaltenbreiten[i], werte[i]);
}

} // namespace

void printListe(const Liste* liste) {
    console::setcolor(kFarbeText);
    std::fputs("\n\t\tInhalt der Datenbank:", stdout);
    zeileBeenden("\n\n");
    linieZeichnen(kSpaltenbreiten, console::kRahmenEckeObenLinks, console::kRahmenAbzweigUnten,
                  console::kRahmenEckeObenRechts);
    zeileBeenden("\n");
    for (const Element* e = liste->anfang; e; e = e->next) {
        zeileZeichnen(*e->daten);
        zeileBeenden("\n");
        if (e->next) {
            linieZeichnen(kSpaltenbreiten, console::kRahmenAbzweigRechts, console::kRahmenKreuz,
                          console::kRahmenAbzweigLinks);
            zeileBeenden("\n");
        }
    }
    linieZeichnen(kSpaltenbreiten, console::kRahmenEckeUntenLinks, console::kRahmenAbzweigOben,
                  console::kRahmenEckeUntenRechts);
    console::writeColoured(kFarbeLeer, "\n\n", kFarbeMenue);
    std::fputs("\t\t\t\t\t\tenter -> weiter zum menue\n\n", stdout);
    console::getKey(); // any key, or the end of input, returns
}

void logo() {
    const int spalte[] = {static_cast<int>(kAdresse.size())};
    const std::string leer(kAdresse.size(), ' ');
    zeileBeenden("\n\n\t\t\t");
    linieZeichnen(spalte, console::kRahmenEckeObenLinks, console::kRahmenAbzweigUnten,
                  console::kRahmenEckeObenRechts);
    for (const bool mitAdresse : {false, true, false}) {
        zeileBeenden("\n\t\t\t");
        console::printFrame(console::kRahmenSenkrecht);
        if (mitAdresse) {
            console::writeColoured(kFarbeWert, kAdresse, kFarbeRahmen);
        } else {
            std::fputs(leer.c_str(), stdout);
        }
        console::printFrame(console::kRahmenSenkrecht);
    }
    zeileBeenden("\n\t\t\t");
    linieZeichnen(spalte, console::kRahmenEckeUntenLinks, console::kRahmenAbzweigOben,
                  console::kRahmenEckeUntenRechts);
    console::setcolor(kFarbeLeer);
    std::fputs("\n\n", stdout);
    // Hold the box on screen a moment; a script need not wait for it.
    if (console::outputIsTerminal()) {
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
}

} // namespace datenbank
