// The list operations driven one at a time from the input, the way the menus call
// them, with the invariants checked after every step: links both ways, every field
// ending within its width, the logged-in node in the list, and no record changed but
// by the operation that may change it (the exam count only by registration,
// withdrawal and loading).
#include "datenbank.h"
#include "fuzz_harness.h"
#include "liste_pruefen.h"
#include "seam.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using namespace datenbank;

namespace {

using harness::Knoten;

// A word for a student number: a length byte, then that many bytes.
std::string wort(harness::Bytes& bytes) {
    return std::string(bytes.stueck(bytes.byte() % 48));
}

const Knoten* suchen(const std::vector<Knoten>& knoten, const char* nummer) {
    for (const auto& k : knoten) {
        if (std::strcmp(k.inhalt.matrikelnummer, nummer) == 0) return &k;
    }
    return nullptr;
}

void unveraendert(const std::vector<Knoten>& alt, const std::vector<Knoten>& neu) {
    PRUEFEN(alt.size() == neu.size());
    harness::alteUnveraendert(alt, neu);
}

void eingebenPruefen(const std::vector<Knoten>& alt, const std::vector<Knoten>& neu,
                     std::string_view eingabe, bool ende, bool ergebnis) {
    const auto w = harness::woerter(eingabe);
    if (w.size() < 5) {
        PRUEFEN(ende);
        unveraendert(alt, neu);
        return;
    }
    PRUEFEN(!ende);
    Datensatz d{};
    const bool passt = harness::passtInFeld(w[0], sizeof d.matrikelnummer) &&
                       harness::passtInFeld(w[1], sizeof d.vorname) &&
                       harness::passtInFeld(w[2], sizeof d.nachname) &&
                       harness::passtInFeld(w[3], sizeof d.email) &&
                       harness::passtInFeld(w[4], sizeof d.telefon);
    if (!passt || suchen(alt, std::string(w[0]).c_str())) {
        PRUEFEN(!ergebnis);
        unveraendert(alt, neu);
        return;
    }
    PRUEFEN(ergebnis);
    PRUEFEN(neu.size() == alt.size() + 1);
    harness::alteUnveraendert(alt, neu);
    std::memcpy(d.matrikelnummer, w[0].data(), w[0].size());
    std::memcpy(d.vorname, w[1].data(), w[1].size());
    std::memcpy(d.nachname, w[2].data(), w[2].size());
    std::memcpy(d.email, w[3].data(), w[3].size());
    std::memcpy(d.telefon, w[4].data(), w[4].size());
    d.anzahlKlausuren = 0;
    for (int& slot : d.klausuren) slot = -1;
    PRUEFEN(harness::gleicherInhalt(neu[0].inhalt, d));
}

void loeschenPruefen(const std::vector<Knoten>& alt, const std::vector<Knoten>& neu,
                     const char* nummer, bool ergebnis) {
    const Knoten* weg = suchen(alt, nummer);
    if (!weg) {
        PRUEFEN(!ergebnis);
        unveraendert(alt, neu);
        return;
    }
    PRUEFEN(ergebnis);
    PRUEFEN(neu.size() + 1 == alt.size());
    std::size_t j = 0;
    for (const auto& k : alt) {
        if (&k == weg) continue;
        PRUEFEN(neu[j].element == k.element && neu[j].daten == k.daten);
        PRUEFEN(harness::gleicherInhalt(neu[j].inhalt, k.inhalt));
        ++j;
    }
}

// Registration (anmelden) or withdrawal for exam k of the logged-in student.
void klausurPruefen(const std::vector<Knoten>& alt, const std::vector<Knoten>& neu,
                    const Element* angemeldet, int k, bool anmelden) {
    PRUEFEN(alt.size() == neu.size());
    for (std::size_t i = 0; i < alt.size(); ++i) {
        PRUEFEN(neu[i].element == alt[i].element && neu[i].daten == alt[i].daten);
        Datensatz erwartet = alt[i].inhalt;
        if (alt[i].element == angemeldet && k >= 0 && k < kAnzahlFaecher) {
            int& slot = erwartet.klausuren[k];
            int& anzahl = erwartet.anzahlKlausuren;
            if (anmelden && slot != k) {
                slot = k;
                if (anzahl < INT_MAX) ++anzahl;
            } else if (!anmelden && slot == k) {
                slot = -1;
                if (anzahl > INT_MIN) --anzahl;
            }
        }
        PRUEFEN(harness::gleicherInhalt(neu[i].inhalt, erwartet));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    harness::Ordner ordner;
    harness::Bytes bytes(data, size);
    std::error_code ignoriert;
    std::filesystem::remove("fh-datenbank.txt", ignoriert);
    std::string datei;
    bool dateiDa = false;

    Liste* liste = nullptr;
    PRUEFEN(createList(liste));
    int fehlschlag = 0; // armed for the next operation only

    while (!bytes.leer()) {
        const auto alt = harness::pruefen(liste);
        const Element* angemeldet = liste->angemeldet;
        const std::uint8_t op = bytes.byte() % 13;
        if (op == 11) { // a failing reservation for the next operation
            fehlschlag = 1 + bytes.byte() % 3;
            continue;
        }
        if (fehlschlag) reservierungScheiternLassen(fehlschlag);
        const bool streng = fehlschlag == 0; // a failed reservation may drop records
        std::vector<Knoten> neu;
        switch (op) {
        case 0: // the file for the next load
            datei = std::string(bytes.stueck(std::size_t{bytes.byte()} * 2));
            toolbox::writeFile("fh-datenbank.txt", datei);
            dateiDa = true;
            neu = harness::pruefen(liste);
            unveraendert(alt, neu);
            break;
        case 1:
            // Loading adds to the list and saving writes it all back, so each load after
            // a save doubles the list; past a few hundred records the steps would outgrow
            // the time limit, and nothing new is checked.
            if (alt.size() > 200) break;
            laden(liste);
            neu = harness::pruefen(liste);
            if (!dateiDa) {
                unveraendert(alt, neu);
            } else if (streng) {
                harness::geladenWieDieDatei(alt, neu, datei);
            } else {
                harness::alteUnveraendert(alt, neu);
            }
            break;
        case 2: {
            speichern(liste);
            neu = harness::pruefen(liste);
            unveraendert(alt, neu);
            datei = toolbox::readFile("fh-datenbank.txt");
            dateiDa = true;
            PRUEFEN(datei == harness::gespeichert(neu));
            break;
        }
        case 3: { // a new record typed at the prompt
            const std::string_view eingabe = bytes.stueck(bytes.byte());
            harness::eingabeSetzen(eingabe);
            bool ende = false;
            bool ergebnis = false;
            try {
                ergebnis = eingeben(liste);
            } catch (const EingabeBeendet&) {
                ende = true;
            }
            neu = harness::pruefen(liste);
            if (streng) {
                eingebenPruefen(alt, neu, eingabe, ende, ergebnis);
            } else {
                harness::alteUnveraendert(alt, neu);
                PRUEFEN(neu.size() <= alt.size() + 1);
            }
            break;
        }
        case 4: { // deleting is offered only while nobody is logged in
            const std::string nummer = wort(bytes);
            if (angemeldet) break;
            const bool ergebnis = loeschen(nummer.c_str(), liste);
            neu = harness::pruefen(liste);
            loeschenPruefen(alt, neu, nummer.c_str(), ergebnis);
            break;
        }
        case 5: {
            const std::string nummer = wort(bytes);
            const bool ergebnis = einlogen(nummer.c_str(), liste);
            neu = harness::pruefen(liste);
            unveraendert(alt, neu);
            const Knoten* erster = suchen(alt, nummer.c_str());
            PRUEFEN(ergebnis == (erster != nullptr));
            PRUEFEN(liste->angemeldet == (erster ? erster->element : angemeldet));
            break;
        }
        case 6:
            auslogen(liste);
            neu = harness::pruefen(liste);
            unveraendert(alt, neu);
            PRUEFEN(liste->angemeldet == nullptr);
            break;
        case 7:
        case 8: {
            const int k = static_cast<std::int8_t>(bytes.byte());
            if (!angemeldet) break;
            if (op == 7) {
                klausurAnmeldung(k, liste->angemeldet->daten);
            } else {
                klausurAbmeldung(k, liste->angemeldet->daten);
            }
            neu = harness::pruefen(liste);
            klausurPruefen(alt, neu, angemeldet, k, op == 7);
            break;
        }
        case 9:
            if (angemeldet) printKlausurAnmeldungen(liste->angemeldet->daten);
            printListe(liste);
            neu = harness::pruefen(liste);
            unveraendert(alt, neu);
            break;
        case 10: {
            const std::string nummer = wort(bytes);
            PRUEFEN(vorhanden(nummer.c_str(), liste) == (suchen(alt, nummer.c_str()) != nullptr));
            break;
        }
        default: { // a record linked directly, as loading does
            auto* d = new Datensatz{};
            const std::string nummer = wort(bytes);
            std::strncpy(d->matrikelnummer, nummer.c_str(), sizeof d->matrikelnummer - 1);
            d->anzahlKlausuren = static_cast<std::int8_t>(bytes.byte());
            for (int& slot : d->klausuren) slot = static_cast<std::int8_t>(bytes.byte()) % 6;
            einfuegen(d, liste);
            neu = harness::pruefen(liste);
            harness::alteUnveraendert(alt, neu);
            if (streng) PRUEFEN(neu.size() == alt.size() + 1 && neu[0].daten == d);
            break;
        }
        }
        reservierungScheiternLassen(0);
        fehlschlag = 0;
    }
    listeFreigeben(liste);
    return 0;
}
