// The record list: a doubly linked list of student records, newest first.
#include "datenbank.h"
#include "intern.h"
#include "seam.h"

#include "console.h"

#include <cstdio>
#include <memory>
#include <string>

namespace datenbank {

namespace {

int reservierungenBisZumScheitern = 0; // see seam.h

void elementFreigeben(Element* element) {
    delete element->daten;
    delete element;
}

} // namespace

bool reservierungErlaubt() {
    return !(reservierungenBisZumScheitern > 0 && --reservierungenBisZumScheitern == 0);
}

void reservierungScheiternLassen(int n) {
    reservierungenBisZumScheitern = n;
}

bool createList(Liste*& liste) {
    liste = reservieren<Liste>();
    if (!liste) return false;
    liste->anfang = nullptr;
    liste->angemeldet = nullptr;
    return true;
}

void einfuegen(Datensatz* daten, Liste* liste) {
    Element* neu = reservieren<Element>();
    if (!neu) {
        speicherfehlerMelden();
        delete daten; // a record that cannot be linked would only be lost
        return;
    }
    neu->daten = daten;
    neu->prev = nullptr;
    neu->next = liste->anfang;
    if (liste->anfang) liste->anfang->prev = neu;
    liste->anfang = neu;
}

bool vorhanden(const char* matrikelnummer, const Liste* liste) {
    return finden(matrikelnummer, liste) != nullptr;
}

bool eingeben(Liste* liste) {
    std::unique_ptr<Datensatz> neu(reservieren<Datensatz>());
    if (!neu) {
        speicherfehlerMelden();
        return false;
    }
    console::writeColoured(
        kFarbeText, "\n\nBitte Matrikelnummer, Vorname, Nachname, email, telefon  eingeben\n\n",
        kFarbeEingabe);
    // All five words are read before any is checked, so a refused record leaves
    // none of its words behind to be taken as menu keys.
    Datensatz& d = *neu;
    const std::size_t breiten[] = {sizeof d.matrikelnummer, sizeof d.vorname, sizeof d.nachname,
                                   sizeof d.email, sizeof d.telefon};
    std::string wort[5];
    for (int i = 0; i < 5; ++i) {
        if (console::readWord(wort[i], breiten[i] - 1) == console::Read::end)
            throw EingabeBeendet{};
    }
    console::setcolor(kFarbeText);
    if (!(feldFuellen(d.matrikelnummer, wort[0]) && feldFuellen(d.vorname, wort[1]) &&
          feldFuellen(d.nachname, wort[2]) && feldFuellen(d.email, wort[3]) &&
          feldFuellen(d.telefon, wort[4]))) {
        meldungAusgeben("\t\t", "Eingabe zu lang!");
        return false;
    }
    if (vorhanden(d.matrikelnummer, liste)) {
        meldungAusgeben("\t\t", "Kein Erfolg! Benutzer schon vorhanden!");
        return false;
    }
    d.anzahlKlausuren = 0;
    for (int& platz : d.klausuren) platz = -1;
    einfuegen(neu.release(), liste);
    return true;
}

bool loeschen(const char* matrikelnummer, Liste* liste) {
    if (!liste->anfang) {
        meldungAusgeben("\n\n\t\t\t", "Datenbank ist leer! Loeschen nicht moeglich!");
        return false;
    }
    Element* e = finden(matrikelnummer, liste);
    if (!e) {
        meldungAusgeben("\n\n\t\t\t", "Matrikelnummer nicht gefunden!");
        return false;
    }
    if (e->prev) {
        e->prev->next = e->next;
    } else {
        liste->anfang = e->next;
    }
    if (e->next) e->next->prev = e->prev;
    elementFreigeben(e);

    std::fputs("\n\t\t\t", stdout);
    console::writeColoured(kFarbeMeldung, "Datensatz", kFarbeEingabe);
    std::printf(" %s ", matrikelnummer);
    console::writeColoured(kFarbeMeldung, "geloescht!", kFarbeText);
    std::fputs("\n", stdout);
    return true;
}

void listeFreigeben(Liste*& liste) {
    if (!liste) return;
    Element* e = liste->anfang;
    while (e) {
        Element* naechstes = e->next;
        elementFreigeben(e);
        e = naechstes;
    }
    delete liste;
    liste = nullptr;
}

} // namespace datenbank
