// The start of datenbank: its command line, then the dialogue.
#include "arguments.h"
#include "datenbank.h"

// What --help shows, line for line.
const char* const kHilfe =
    R"(datenbank: eine kleine Studentendatenbank, bedient mit einzelnen Tasten.
In der Administrator Ebene wird die Datenbank geladen (L) und gespeichert (S),
ein Student angelegt (N) oder geloescht (D) und alle ausgegeben (P). In der
Benutzer Ebene (B) meldet sich ein Student mit seiner Matrikelnummer an und
meldet sich zu Klausuren an oder ab.
Dateien im aktuellen Ordner: liest fh-datenbank.txt (L) und schreibt sie (S).
)";

int main(int argc, char* argv[]) {
    if (const auto ende = console::start(argc, argv, "datenbank", kHilfe)) return *ende;
    return datenbank::runDatenbank();
}
