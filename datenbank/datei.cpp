// The database file "fh-datenbank.txt": loading it into the list and saving the list.
#include "datenbank.h"
#include "intern.h"

#include "ersetzen.h"
#include "words.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

namespace datenbank {

namespace {

const char* const kDateiname = "fh-datenbank.txt";
const char* const kLesefehler = "Fehler beim Einlesen der Datenbank!";

struct Schliessen {
    void operator()(std::FILE* datei) const { std::fclose(datei); }
};
using Datei = std::unique_ptr<std::FILE, Schliessen>;

// The rest of a record after its number, in file order: surname, first name, e-mail,
// telephone, count, four slots. False for too few words, a word too long for its field,
// or a number that is none. No word is read further than its field or an integer could
// take, so a file without white space ends the record at once.
bool datensatzLesen(std::FILE* datei, const std::string& nummer, Datensatz& d) {
    std::string wort;
    const auto text = [&]<std::size_t N>(char(&feld)[N]) {
        return words::readWordFrom(datei, wort, N - 1) && feldFuellen(feld, wort);
    };
    const auto zahl = [&](int& wert) {
        return words::readWordFrom(datei, wort, words::kLongestInteger) &&
               words::parseInt(wort, wert);
    };
    if (!(feldFuellen(d.matrikelnummer, nummer) && text(d.nachname) && text(d.vorname) &&
          text(d.email) && text(d.telefon) && zahl(d.anzahlKlausuren)))
        return false;
    for (int& platz : d.klausuren) {
        if (!zahl(platz)) return false;
    }
    return true;
}

// One record as a line of the file, each word followed by a blank; CR LF on every
// platform, as the file format has it. The line is as long as its words.
std::string datensatzZeile(const Datensatz& d) {
    std::string zeile;
    const auto text = [&]<std::size_t N>(const char(&feld)[N]) {
        zeile.append(feld, std::find(feld, feld + N, '\0'));
        zeile += ' ';
    };
    const auto zahl = [&](int wert) {
        zeile += std::to_string(wert);
        zeile += ' ';
    };
    text(d.matrikelnummer);
    text(d.nachname);
    text(d.vorname);
    text(d.email);
    text(d.telefon);
    zahl(d.anzahlKlausuren);
    for (const int platz : d.klausuren) zahl(platz);
    zeile += "\r\n";
    return zeile;
}

} // namespace

void laden(Liste* liste) {
    // Binary, so that no platform ends a text file early or changes its line ends.
    const Datei datei(std::fopen(kDateiname, "rb"));
    if (!datei) {
        meldungAusgeben("\t\t\t", kLesefehler);
        return;
    }
    std::string nummer;
    while (words::readWordFrom(datei.get(), nummer, kMatrikelnummerLaenge - 1)) {
        std::unique_ptr<Datensatz> neu(reservieren<Datensatz>());
        if (!neu) {
            speicherfehlerMelden();
            return;
        }
        // A malformed record ends the load; the records before it stay.
        if (!datensatzLesen(datei.get(), nummer, *neu)) {
            meldungAusgeben("\t\t\t", kLesefehler);
            return;
        }
        einfuegen(neu.release(), liste);
    }
    meldungAusgeben("\t\t\t", std::ferror(datei.get()) ? kLesefehler : "Datenbank eingelesen.");
}

void speichern(const Liste* liste) {
    std::string inhalt;
    for (const Element* e = liste->anfang; e; e = e->next) inhalt += datensatzZeile(*e->daten);
    meldungAusgeben("\t\t\t", dateisystem::dateiErsetzen(kDateiname, inhalt)
                                  ? "Datenbank erfolgreich gespeichert!"
                                  : "Fehler beim Speichern!");
}

} // namespace datenbank
