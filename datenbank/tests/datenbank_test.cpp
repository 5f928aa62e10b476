// The list, file and exam operations called directly: links and reservations that
// fail. The dialogues themselves are in dialogue_test.cpp; a replace of the file that
// fails, in common/tests/ersetzen_test.cpp.
#include "datenbank.h"
#include "seam.h"
#include "toolbox.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using toolbox::captureStdout;
using namespace datenbank;

namespace {

Datensatz* neuerDatensatz(const std::string& nummer) {
    auto* d = new Datensatz{};
    std::strcpy(d->matrikelnummer, nummer.c_str());
    std::strcpy(d->vorname, "V");
    std::strcpy(d->nachname, "N");
    std::strcpy(d->email, "e");
    std::strcpy(d->telefon, "t");
    for (int& slot : d->klausuren) slot = -1;
    return d;
}

// The numbers from the head along next, checking every back link on the way.
std::vector<std::string> nummern(const Liste* liste) {
    std::vector<std::string> out;
    const Element* vorher = nullptr;
    for (const Element* e = liste->anfang; e; e = e->next) {
        EXPECT_EQ(e->prev, vorher) << "back link of " << e->daten->matrikelnummer;
        out.emplace_back(e->daten->matrikelnummer);
        vorher = e;
    }
    return out;
}

// Each case runs in a fresh folder with a fresh list; output is captured.
class ListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ordner_.enter();
        ASSERT_TRUE(createList(liste));
    }
    void TearDown() override {
        reservierungScheiternLassen(0);
        listeFreigeben(liste);
    }
    void fuellen(std::initializer_list<const char*> nummern) {
        for (const char* n : nummern) einfuegen(neuerDatensatz(n), liste);
    }

    Liste* liste = nullptr;

  private:
    toolbox::ScratchFolder ordner_{"datenbank-test"};
};

// ---- Linking ---------------------------------------------------------------------

TEST_F(ListTest, InsertionGoesToTheHead) {
    EXPECT_EQ(liste->anfang, nullptr);
    EXPECT_EQ(liste->angemeldet, nullptr);
    fuellen({"1", "2", "3"});
    EXPECT_EQ(nummern(liste), (std::vector<std::string>{"3", "2", "1"}));
}

TEST_F(ListTest, DeletingKeepsBothLinksWhole) {
    struct Case {
        const char* nummer;
        std::vector<std::string> rest;
    };
    const Case cases[] = {{"3", {"2", "1"}}, {"2", {"3", "1"}}, {"1", {"3", "2"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nummer);
        fuellen({"1", "2", "3"});
        EXPECT_EQ(captureStdout([&] { EXPECT_TRUE(loeschen(c.nummer, liste)); }),
                  std::string("\n\t\t\tDatensatz ") + c.nummer + " geloescht!\n");
        EXPECT_EQ(nummern(liste), c.rest);
        EXPECT_FALSE(vorhanden(c.nummer, liste));
        listeFreigeben(liste);
        ASSERT_TRUE(createList(liste));
    }
    fuellen({"9"});
    captureStdout([&] {
        EXPECT_TRUE(loeschen("9", liste));
        EXPECT_FALSE(loeschen("9", liste));
    });
    EXPECT_EQ(liste->anfang, nullptr);
}

TEST_F(ListTest, OnlyTheFirstOfTwoEqualNumbersGoes) {
    fuellen({"5", "7", "5"});
    captureStdout([&] { EXPECT_TRUE(loeschen("5", liste)); });
    EXPECT_EQ(nummern(liste), (std::vector<std::string>{"7", "5"}));
    EXPECT_TRUE(vorhanden("5", liste));
}

TEST_F(ListTest, SearchesCompareWholeNumbersExactly) {
    fuellen({"123", "Ab"});
    const std::pair<const char*, bool> gesucht[] = {
        {"123", true}, {"12", false}, {"1234", false}, {"ab", false}};
    for (const auto& [nummer, da] : gesucht) EXPECT_EQ(vorhanden(nummer, liste), da) << nummer;
    EXPECT_FALSE(einlogen("12", liste));
    EXPECT_EQ(liste->angemeldet, nullptr);
    EXPECT_TRUE(einlogen("123", liste));
    EXPECT_STREQ(liste->angemeldet->daten->matrikelnummer, "123");
    EXPECT_FALSE(einlogen("nobody", liste));
    EXPECT_STREQ(liste->angemeldet->daten->matrikelnummer, "123"); // left as it was
    EXPECT_EQ(captureStdout([&] { auslogen(liste); }), "\n\n\t\t\tAusgeloggt\n\n");
    EXPECT_EQ(liste->angemeldet, nullptr);
}

// ---- Reservations that fail ------------------------------------------------------

TEST_F(ListTest, NoAnchorMeansNoList) {
    Liste* andere = nullptr;
    reservierungScheiternLassen(1);
    EXPECT_FALSE(createList(andere));
    EXPECT_EQ(andere, nullptr);
}

TEST_F(ListTest, ARecordWithoutNodeIsNotLinked) {
    fuellen({"1"});
    reservierungScheiternLassen(1);
    // The record is released again, or LeakSanitizer would say so.
    EXPECT_EQ(captureStdout([&] { einfuegen(neuerDatensatz("2"), liste); }),
              "\t\t\tFehler bei der Speicherreservierung!!!\n");
    EXPECT_EQ(nummern(liste), (std::vector<std::string>{"1"}));
}

TEST_F(ListTest, NoRecordForInputReadsNothing) {
    reservierungScheiternLassen(1);
    EXPECT_EQ(captureStdout([&] { EXPECT_FALSE(eingeben(liste)); }),
              "\t\t\tFehler bei der Speicherreservierung!!!\n");
    EXPECT_EQ(liste->anfang, nullptr);
}

TEST_F(ListTest, LoadingWithoutMemoryKeepsWhatItRead) {
    toolbox::writeFile("fh-datenbank.txt", "1 N V e t 0 -1 -1 -1 -1 \r\n2 N V e t 0 -1 -1 -1 -1 "
                                           "\r\n3 N V e t 0 -1 -1 -1 -1 \r\n");
    // record 1, node 1, record 2: the third reservation fails.
    reservierungScheiternLassen(3);
    EXPECT_EQ(captureStdout([&] { laden(liste); }),
              "\t\t\tFehler bei der Speicherreservierung!!!\n");
    EXPECT_EQ(nummern(liste), (std::vector<std::string>{"1"}));

    // Without a node for record 2, loading goes on with record 3.
    listeFreigeben(liste);
    ASSERT_TRUE(createList(liste));
    reservierungScheiternLassen(4);
    EXPECT_EQ(captureStdout([&] { laden(liste); }),
              "\t\t\tFehler bei der Speicherreservierung!!!\n\t\t\tDatenbank eingelesen.\n");
    EXPECT_EQ(nummern(liste), (std::vector<std::string>{"3", "1"}));
}

// ---- Exams -----------------------------------------------------------------------

TEST(Exams, IndexesOutsideTheCatalogueTouchNothing) {
    Datensatz d{};
    for (int& slot : d.klausuren) slot = -1;
    EXPECT_EQ(captureStdout([&] {
                  for (int k : {-1, 4, 1000, INT_MIN, INT_MAX}) {
                      klausurAnmeldung(k, &d);
                      klausurAbmeldung(k, &d);
                  }
              }),
              "");
    EXPECT_EQ(d.anzahlKlausuren, 0);
    for (int slot : d.klausuren) EXPECT_EQ(slot, -1);
}

TEST(Exams, TheListShowsOnlySlotsHoldingAnExam) {
    // As loaded from an edited file: a count above 0, a slot holding 7.
    Datensatz d{};
    d.anzahlKlausuren = 2;
    const int slots[] = {7, 1, -1, 3};
    std::memcpy(d.klausuren, slots, sizeof slots);
    EXPECT_EQ(captureStdout([&] { printKlausurAnmeldungen(&d); }),
              "\n\n\n\n\tbisher angemeldet bei:\n\n"
              "\t\t\t- Progammieren 2\n\t\t\t- Ananlysis und Lineare Algebra\n\n\n\n");
}

TEST(Exams, ACountAtItsLimitDoesNotOverflow) {
    Datensatz d{};
    for (int& slot : d.klausuren) slot = -1;
    d.anzahlKlausuren = INT_MAX;
    captureStdout([&] { klausurAnmeldung(0, &d); });
    EXPECT_EQ(d.anzahlKlausuren, INT_MAX);
    d.anzahlKlausuren = INT_MIN;
    captureStdout([&] { klausurAbmeldung(0, &d); });
    EXPECT_EQ(d.anzahlKlausuren, INT_MIN);
    EXPECT_EQ(d.klausuren[0], -1);
}

} // namespace
