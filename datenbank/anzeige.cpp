// The framed listing of the database and the logo box shown at the end.
#include "datenbank.h"

#include "console.h"

#include <chrono>
#include <cstdio>
#include <thread>

using namespace console;

namespace datenbank {

namespace {

void rahmen(int code, int anzahl = 1) {
    for (int i = 0; i < anzahl; ++i) printFrame(code);
}

// One horizontal line of the listing: left end, the five column fills, right end.
void tabellenLinie(int links, int kreuzung, int rechts) {
    setcolor(135);
    rahmen(links);
    const int breiten[] = {10, 12, 17, 17, 17};
    for (int i = 0; i < 5; ++i) {
        if (i > 0) rahmen(kreuzung);
        rahmen(205, breiten[i]);
    }
    rahmen(rechts);
}

// One cell of a row: the value right-aligned in its width, printed whole if longer.
// The width is in screen columns on a UTF-8 terminal and in bytes elsewhere.
void zelle(int breite, const char* wert) {
    setcolor(143);
    std::fputs(" ", stdout);
    printRightAligned(wert, breite);
    setcolor(135);
    std::fputs(" ", stdout);
    rahmen(186);
}

} // namespace

void printListe(const Liste* liste) {
    setcolor(7);
    std::fputs("\n\t\tInhalt der Datenbank:", stdout);
    setcolor(0);
    std::fputs("\n\n", stdout);
    tabellenLinie(201, 203, 187);
    setcolor(0);
    std::fputs("\n", stdout);
    for (const Element* e = liste->anfang; e; e = e->next) {
        setcolor(135);
        rahmen(186);
        zelle(8, e->daten->matrikelnummer);
        zelle(10, e->daten->vorname);
        zelle(15, e->daten->nachname);
        zelle(15, e->daten->email);
        zelle(15, e->daten->telefon);
        setcolor(0);
        std::fputs("\n", stdout);
        if (e->next) {
            tabellenLinie(204, 206, 185);
            setcolor(0);
            std::fputs("\n", stdout);
        }
    }
    tabellenLinie(200, 202, 188);
    setcolor(0);
    std::fputs("\n\n", stdout);
    setcolor(8);
    std::fputs("\t\t\t\t\t\tenter -> weiter zum menue\n\n", stdout);
    getKey(); // any key, or the end of input, returns
}

void logo() {
    const char* const zeilen[] = {"\n\n\t\t\t", "\n\t\t\t", "\n\t\t\t", "\n\t\t\t", "\n\t\t\t"};
    for (int zeile = 0; zeile < 5; ++zeile) {
        setcolor(0);
        std::fputs(zeilen[zeile], stdout);
        setcolor(135);
        if (zeile == 0) {
            rahmen(201);
            rahmen(205, 15);
            rahmen(187);
        } else if (zeile == 4) {
            rahmen(200);
            rahmen(205, 15);
            rahmen(188);
        } else {
            rahmen(186);
            if (zeile == 2) {
                setcolor(143);
                std::fputs(" www.fhdb.test ", stdout);
                setcolor(135);
            } else {
                for (int i = 0; i < 15; ++i) std::fputs(" ", stdout);
            }
            rahmen(186);
        }
    }
    setcolor(0);
    std::fputs("\n\n", stdout);
    // Hold the box on screen a moment; a script need not wait for it.
    if (outputIsTerminal()) {
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
}

} // namespace datenbank
