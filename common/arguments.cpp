// The command line every program accepts, and the console set-up for a run.
#include "arguments.h"

#include "console.h"

#include <cstdio>
#include <string_view>

namespace console {

namespace {

struct Hilfe {
    std::string_view programm;
    const char* text;
};

// What each program does and which files of the current folder it reads and writes.
constexpr Hilfe kHilfen[] = {
    {"datenbank",
     "datenbank: eine kleine Studentendatenbank, bedient mit einzelnen Tasten.\n"
     "In der Administrator Ebene wird die Datenbank geladen (L) und gespeichert (S),\n"
     "ein Student angelegt (N) oder geloescht (D) und alle ausgegeben (P). In der\n"
     "Benutzer Ebene (B) meldet sich ein Student mit seiner Matrikelnummer an und\n"
     "meldet sich zu Klausuren an oder ab.\n"
     "Dateien im aktuellen Ordner: liest fh-datenbank.txt (L) und schreibt sie (S).\n"},
    {"queenboard",
     "queenboard: setzt Damen so auf ein Brett von bis zu 50 x 50 Feldern, dass keine\n"
     "eine andere schlagen kann, und zeigt fuer jedes Feld, wie oft es bedroht ist.\n"
     "Fragt nach Zeilen und Spalten des Bretts und nach der Zahl der Damen.\n"
     "Dateien: liest und schreibt keine.\n"},
    {"labyrinth",
     "labyrinth: liest ein Labyrinth aus Nullen (frei) und Einsen (Wand) und sucht den\n"
     "Weg von der Zelle oben links zur Zelle unten rechts.\n"
     "Fragt nach der Groesse (Zeilen, Spalten), fuer das Beispiel: 10 20.\n"
     "Dateien im aktuellen Ordner: liest labyrint.def, schreibt keine.\n"},
    {"linkdemo", "linkdemo: zeigt eine sortierte, doppelt verkettete Liste von Zahlen: fuegt 1, 2\n"
                 "und 3 ein, gibt die Liste aus, loescht die 3 und gibt sie wieder aus.\n"
                 "Dateien: liest und schreibt keine.\n"},
    {"numbermaker",
     "numbermaker: schreibt 10000 Zufallszahlen zum Sortieren, bei jedem Lauf dieselben.\n"
     "Dateien im aktuellen Ordner: schreibt tosort.txt (die Anzahl, eine Leerzeile, dann\n"
     "die Zahlen), liest keine.\n"},
    {"sorttimer",
     "sorttimer: sortiert die Zahlen aus tosort.txt mit Bubblesort und zeigt die\n"
     "Sekunden fuer Einlesen, Sortieren, Schreiben und insgesamt.\n"
     "Dateien im aktuellen Ordner: liest tosort.txt (von numbermaker), schreibt sorted.txt.\n"},
    {"sortcounter",
     "sortcounter: sortiert die Zahlen aus tosort.txt mit Bubblesort und zeigt, wie oft\n"
     "dabei zwei Zahlen getauscht wurden.\n"
     "Dateien im aktuellen Ordner: liest tosort.txt (von numbermaker), schreibt keine.\n"},
};

const char* hilfe(std::string_view programm) {
    for (const Hilfe& h : kHilfen)
        if (h.programm == programm) return h.text;
    return "";
}

} // namespace

const char* programVersion() {
    return PROGRAM_VERSION;
}

std::optional<int> start(int argc, char** argv, const char* name) {
    if (argc < 2) {
        setup();
        return std::nullopt;
    }
    const std::string_view first = argv[1];
    const bool known = first == "--help" || first == "--version";
    if (argc == 2 && first == "--help") {
        std::fputs(hilfe(name), stdout);
        std::printf("\nAufruf: %s [--help | --version]\n", name);
        std::printf("Ohne Argument startet das Programm, --version zeigt die Version.\n");
    } else if (argc == 2 && first == "--version") {
        std::printf("%s %s\n", name, programVersion());
    } else {
        // Either an unknown word or a second argument after a known one.
        std::fprintf(stderr, "%s: %s Argument \"%s\" (--help zeigt die Hilfe)\n", name,
                     known ? "ueberzaehliges" : "unbekanntes", known ? argv[2] : argv[1]);
        return 2;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace console
