// linkdemo: one fixed run of the sorted integer list, traced on the console.
#include "arguments.h"
#include "console.h"
#include "zahlenliste.h"

int main(int argc, char* argv[]) {
    if (const auto ende = console::start(argc, argv, "linkdemo")) return *ende;
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
    return 0;
}
