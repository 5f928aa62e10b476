// The sorted list's operations and their traces.
#include "zahlenliste.h"

#include <cstdio>
#include <new>

namespace linkdemo {

bool createList(Zahlenliste*& liste) {
    liste = new (std::nothrow) Zahlenliste{nullptr, nullptr};
    return liste != nullptr;
}

namespace {

void voranstellen(Knoten* neu, Zahlenliste* liste) {
    neu->next = liste->erster;
    liste->erster->prev = neu;
    liste->erster = neu;
}

void anhaengen(Knoten* neu, Zahlenliste* liste) {
    neu->prev = liste->letzter;
    liste->letzter->next = neu;
    liste->letzter = neu;
}

} // namespace

void einfuegen(int wert, Zahlenliste* liste) {
    Knoten* neu = new (std::nothrow) Knoten{wert, nullptr, nullptr};
    if (!neu) {
        // No result to report through, so say it; the list stays as it was.
        std::printf("Fehler bei der Speicherreservierung!\n");
        return;
    }
    std::printf("%d einfuegen\n", wert);

    if (!liste->erster && !liste->letzter) {
        liste->erster = liste->letzter = neu;
    } else if (liste->erster == liste->letzter) {
        if (liste->erster->wert < wert)
            anhaengen(neu, liste);
        else
            voranstellen(neu, liste);
    } else if (wert <= liste->erster->wert) {
        voranstellen(neu, liste);
    } else if (wert >= liste->letzter->wert) {
        anhaengen(neu, liste);
    } else {
        // letzter holds a larger value, so the walk stops before running off the end.
        Knoten* danach = liste->erster;
        while (danach->wert < wert) danach = danach->next;
        neu->prev = danach->prev;
        neu->next = danach;
        danach->prev->next = neu;
        danach->prev = neu;
    }
}

bool loeschen(int wert, Zahlenliste* liste) {
    if (!liste->erster) {
        std::printf("Liste ist leer! Loeschen nicht moeglich!\n");
        return false;
    }
    Knoten* knoten = liste->erster;
    while (knoten->wert != wert) {
        if (knoten == liste->letzter) {
            std::printf("Element nicht gefunden!\n");
            return false;
        }
        knoten = knoten->next;
    }

    // The list is sorted, so every copy of the value follows the first one found.
    int anzahl = 0;
    while (knoten && knoten->wert == wert) {
        anzahl++;
        Knoten* danach = knoten->next;
        if (knoten->prev)
            knoten->prev->next = danach;
        else
            liste->erster = danach;
        if (danach)
            danach->prev = knoten->prev;
        else
            liste->letzter = knoten->prev;
        delete knoten;
        knoten = danach;
    }
    std::printf("Erfolg! %d wurde %d mal geloescht!\n", wert, anzahl);
    return true;
}

void printListe(const Zahlenliste* liste) {
    std::printf("\nListe ausgeben:\n");
    int position = 0;
    for (const Knoten* k = liste->erster; k; k = k->next) {
        std::printf("liste[%d] = %d\n", position, k->wert);
        position++;
    }
}

void listeFreigeben(Zahlenliste*& liste) {
    if (!liste) return;
    for (Knoten* k = liste->erster; k;) {
        Knoten* danach = k->next;
        delete k;
        k = danach;
    }
    delete liste;
    liste = nullptr;
}

} // namespace linkdemo
