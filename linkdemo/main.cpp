// linkdemo: one fixed run of the sorted integer list, traced on the console.
#include "arguments.h"
#include "console.h"
#include "zahlenliste.h"

namespace {

// What the program does; it reads and writes no file.
const char* const kHilfe =
    "linkdemo: zeigt eine sortierte, doppelt verkettete Liste von Zahlen: fuegt 1, 2\n"
    "und 3 ein, gibt die Liste aus, loescht die 3 und gibt sie wieder aus.\n"
    "Dateien: liest und schreibt keine.\n";

} // namespace

int main(int argc, char* argv[]) {
    if (const auto ende = console::start(argc, argv, "linkdemo", kHilfe)) return *ende;
    linkdemo::Zahlenliste* liste = nullptr;
    if (linkdemo::createList(liste)) {
        linkdemo::einfuegen(1, liste);
        linkdemo::einfuegen(2, liste);
        linkdemo::einfuegen(3, liste);
        linkdemo::printListe(liste);
        linkdemo::loeschen(3, liste);
        linkdemo::printListe(liste);
    }
    console::getKey();
    linkdemo::listeFreigeben(liste);
    return console::finish(0);
}
