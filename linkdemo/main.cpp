// linkdemo: one fixed run of the sorted integer list, traced on the console.
#include "console.h"
#include "zahlenliste.h"

int main() {
    Zahlenliste* liste = nullptr;
    if (createList(liste)) {
        einfuegen(1, liste);
        einfuegen(2, liste);
        einfuegen(3, liste);
        printListe(liste);
        loeschen(3, liste);
        printListe(liste);
    }
    getKey();
    listeFreigeben(liste);
    return 0;
}
