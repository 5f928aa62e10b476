// The start of datenbank: its command line, then the dialogue.
#include "arguments.h"
#include "datenbank.h"

namespace {

// What the program does and which files of the current folder it reads and writes.
const char* const kHilfe =
    "datenbank: eine kleine Studentendatenbank, bedient mit einzelnen Tasten.\n"
    "In der Administrator Ebene wird die Datenbank geladen (L) und gespeichert (S),\n"
    "ein Student angelegt (N) oder geloescht (D) und alle ausgegeben (P). In der\n"
    "Benutzer Ebene (B) meldet sich ein Student mit seiner Matrikelnummer an und\n"
    "meldet sich zu Klausuren an oder ab.\n"
    "Dateien im aktuellen Ordner: liest fh-datenbank.txt (L) und schreibt sie (S).\n";

} // namespace

int main(int argc, char* argv[]) {
    if (const auto ende = console::start(argc, argv, "datenbank", kHilfe)) return *ende;
    return console::finish(datenbank::datenbankAusfuehren());
}
