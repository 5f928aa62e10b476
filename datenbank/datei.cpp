// The database file "fh-datenbank.txt": loading it into the list and saving the list.
#include "datenbank.h"
#include "intern.h"

#include "console.h"
#include "ersetzen.h"

#include <cctype>
#include <cstdio>
#include <string>
#include <string_view>

using namespace console;

namespace datenbank {

namespace {

const char* const kDateiname = "fh-datenbank.txt";

// Splits the file into words at any white space.
class Woerter {
  public:
    explicit Woerter(std::string_view text) : text_(text) {}

    bool ende() {
        ueberspringen();
        return pos_ == text_.size();
    }

    bool naechstes(std::string_view& wort) {
        ueberspringen();
        if (pos_ == text_.size()) return false;
        const std::size_t anfang = pos_;
        while (pos_ < text_.size() && !weiss(text_[pos_])) ++pos_;
        wort = text_.substr(anfang, pos_ - anfang);
        return true;
    }

  private:
    static bool weiss(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
    void ueberspringen() {
        while (pos_ < text_.size() && weiss(text_[pos_])) ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// One record in file order: number, surname, first name, e-mail, telephone, count, four slots.
bool datensatzLesen(Woerter& woerter, Datensatz& daten) {
    std::string_view wort[10];
    for (auto& w : wort) {
        if (!woerter.naechstes(w)) return false;
    }
    if (!passt(wort[0], sizeof daten.matrikelnummer) || !passt(wort[1], sizeof daten.nachname) ||
        !passt(wort[2], sizeof daten.vorname) || !passt(wort[3], sizeof daten.email) ||
        !passt(wort[4], sizeof daten.telefon))
        return false;
    int zahlen[1 + kAnzahlFaecher];
    for (int i = 0; i < 1 + kAnzahlFaecher; ++i) {
        if (!parseInt(wort[5 + i], zahlen[i])) return false;
    }
    kopieren(daten.matrikelnummer, wort[0]);
    kopieren(daten.nachname, wort[1]);
    kopieren(daten.vorname, wort[2]);
    kopieren(daten.email, wort[3]);
    kopieren(daten.telefon, wort[4]);
    daten.anzahlKlausuren = zahlen[0];
    for (int i = 0; i < kAnzahlFaecher; ++i) daten.klausuren[i] = zahlen[1 + i];
    return true;
}

bool dateiLesen(std::FILE* datei, std::string& inhalt) {
    char puffer[65536];
    std::size_t gelesen;
    while ((gelesen = std::fread(puffer, 1, sizeof puffer, datei)) > 0)
        inhalt.append(puffer, gelesen);
    return std::ferror(datei) == 0;
}

// ---- Writing the database file ---------------------------------------------------

// One record as a line of the file; CR LF on every platform, as the file format has it.
std::string datensatzZeile(const Datensatz& d) {
    char zeile[256];
    const int laenge =
        std::snprintf(zeile, sizeof zeile, "%s %s %s %s %s %d %d %d %d %d \r\n", d.matrikelnummer,
                      d.nachname, d.vorname, d.email, d.telefon, d.anzahlKlausuren, d.klausuren[0],
                      d.klausuren[1], d.klausuren[2], d.klausuren[3]);
    return std::string(zeile, static_cast<std::size_t>(laenge));
}

} // namespace

void laden(Liste* liste) {
    std::FILE* datei = std::fopen(kDateiname, "rb");
    if (!datei) {
        meldung("\t\t\t", "Fehler beim Einlesen der Datenbank!");
        return;
    }
    std::string inhalt;
    const bool gelesen = dateiLesen(datei, inhalt);
    std::fclose(datei);
    if (!gelesen) {
        meldung("\t\t\t", "Fehler beim Einlesen der Datenbank!");
        return;
    }
    Woerter woerter(inhalt);
    while (!woerter.ende()) {
        Datensatz* neu = reservieren<Datensatz>();
        if (!neu) {
            speicherFehler();
            return;
        }
        // A malformed record ends the load; the records before it stay.
        if (!datensatzLesen(woerter, *neu)) {
            delete neu;
            meldung("\t\t\t", "Fehler beim Einlesen der Datenbank!");
            return;
        }
        einfuegen(neu, liste);
    }
    meldung("\t\t\t", "Datenbank eingelesen.");
}

void speichern(const Liste* liste) {
    std::string inhalt;
    for (const Element* e = liste->anfang; e; e = e->next) inhalt += datensatzZeile(*e->daten);
    meldung("\t\t\t", dateiErsetzen(kDateiname, inhalt) ? "Datenbank erfolgreich gespeichert!"
                                                        : "Fehler beim Speichern!");
}

} // namespace datenbank
