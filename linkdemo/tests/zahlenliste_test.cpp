// The list operations one by one: the order and links they leave and the traces they print.
#include "toolbox.h"
#include "zahlenliste.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace linkdemo;

namespace {

class ListTest : public testing::Test {
  protected:
    Zahlenliste* liste = nullptr;

    void SetUp() override { ASSERT_TRUE(createList(liste)); }
    void TearDown() override { listeFreigeben(liste); }

    // Inserts the values in order and returns the trace printed.
    std::string werteEinfuegen(std::vector<int> werte) {
        return toolbox::captureStdout([&] {
            for (int w : werte) einfuegen(w, liste);
        });
    }

    struct Loeschung {
        bool ergebnis;
        std::string ausgabe;
    };
    Loeschung wertLoeschen(int wert) {
        bool ergebnis = false;
        const std::string ausgabe =
            toolbox::captureStdout([&] { ergebnis = loeschen(wert, liste); });
        return {ergebnis, ausgabe};
    }

    std::string listeAusgeben() {
        return toolbox::captureStdout([&] { printListe(liste); });
    }

    // The values from erster to letzter, checking every link and the order on the way.
    std::vector<int> werte() const {
        std::vector<int> gefunden;
        if (!liste->erster || !liste->letzter) {
            EXPECT_EQ(liste->erster, nullptr);
            EXPECT_EQ(liste->letzter, nullptr);
            return gefunden;
        }
        const Knoten* vorher = nullptr;
        for (const Knoten* k = liste->erster; k; k = k->next) {
            EXPECT_EQ(k->prev, vorher);
            if (vorher) {
                EXPECT_LE(vorher->wert, k->wert);
            }
            gefunden.push_back(k->wert);
            vorher = k;
        }
        EXPECT_EQ(vorher, liste->letzter);
        return gefunden;
    }
};

using Inserting = ListTest;
using Deleting = ListTest;
using Printing = ListTest;

TEST_F(Inserting, EveryOrderOfThreeValuesListsAscending) {
    for (std::vector<int> reihenfolge :
         {std::vector<int>{3, 2, 1}, {2, 1, 3}, {1, 3, 2}, {1, 2, 3}}) {
        listeFreigeben(liste);
        ASSERT_TRUE(createList(liste));
        const std::string spur = werteEinfuegen(reihenfolge);
        EXPECT_EQ(spur, std::to_string(reihenfolge[0]) + " einfuegen\n" +
                            std::to_string(reihenfolge[1]) + " einfuegen\n" +
                            std::to_string(reihenfolge[2]) + " einfuegen\n");
        EXPECT_EQ(werte(), (std::vector<int>{1, 2, 3}));
    }
}

TEST_F(Inserting, AValueBetweenTwoGoesBetweenThemAndTheAnchorsStay) {
    werteEinfuegen({10, 30});
    const Knoten* erster = liste->erster;
    const Knoten* letzter = liste->letzter;
    werteEinfuegen({20});
    EXPECT_EQ(werte(), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(liste->erster, erster);
    EXPECT_EQ(liste->letzter, letzter);
}

TEST_F(Inserting, EqualValuesStayAdjacentAndAllAreListed) {
    werteEinfuegen({5, 1, 5, 9, -3, 5, 1, 9});
    EXPECT_EQ(werte(), (std::vector<int>{-3, 1, 1, 5, 5, 5, 9, 9}));
    EXPECT_EQ(listeAusgeben(), "\nListe ausgeben:\nliste[0] = -3\nliste[1] = 1\nliste[2] = 1\n"
                               "liste[3] = 5\nliste[4] = 5\nliste[5] = 5\nliste[6] = 9\n"
                               "liste[7] = 9\n");
}

TEST_F(Inserting, AnEqualValueGoesBeforeItsCopyExceptAtTheEnd) {
    werteEinfuegen({5});
    const Knoten* alt = liste->erster;
    werteEinfuegen({5}); // one node: in front
    EXPECT_NE(liste->erster, alt);
    EXPECT_EQ(liste->letzter, alt);

    werteEinfuegen({5}); // two or more, equal to erster: in front
    EXPECT_EQ(liste->erster->next->next, alt);

    werteEinfuegen({9, 7});
    const Knoten* sieben = liste->letzter->prev;
    werteEinfuegen({7}); // in the middle: before the copy
    EXPECT_EQ(sieben->prev->wert, 7);
    EXPECT_EQ(sieben->next, liste->letzter);

    const Knoten* neun = liste->letzter;
    werteEinfuegen({9}); // equal to letzter: after it
    EXPECT_EQ(liste->letzter->prev, neun);
    EXPECT_EQ(werte(), (std::vector<int>{5, 5, 5, 7, 7, 9, 9}));
}

TEST_F(Deleting, FromAnEmptyListIsRefused) {
    const auto l = wertLoeschen(3);
    EXPECT_FALSE(l.ergebnis);
    EXPECT_EQ(l.ausgabe, "Liste ist leer! Loeschen nicht moeglich!\n");
    EXPECT_TRUE(werte().empty());
}

TEST_F(Deleting, AbsentValuesBelowBetweenAndAboveChangeNothing) {
    werteEinfuegen({2, 4, 6});
    const Knoten* erster = liste->erster;
    const Knoten* letzter = liste->letzter;
    for (int wert : {1, 3, 5, 7}) {
        const auto l = wertLoeschen(wert);
        EXPECT_FALSE(l.ergebnis) << wert;
        EXPECT_EQ(l.ausgabe, "Element nicht gefunden!\n") << wert;
    }
    EXPECT_EQ(werte(), (std::vector<int>{2, 4, 6}));
    EXPECT_EQ(liste->erster, erster);
    EXPECT_EQ(liste->letzter, letzter);
}

TEST_F(Deleting, ARunAtTheFrontMakesTheNextLargerValueFirst) {
    werteEinfuegen({4, 8, 4, 6, 4});
    const auto l = wertLoeschen(4);
    EXPECT_TRUE(l.ergebnis);
    EXPECT_EQ(l.ausgabe, "Erfolg! 4 wurde 3 mal geloescht!\n");
    EXPECT_EQ(werte(), (std::vector<int>{6, 8}));
    EXPECT_EQ(liste->erster->wert, 6);
}

TEST_F(Deleting, ARunInTheMiddleLeavesTheAnchors) {
    werteEinfuegen({1, 4, 8, 4});
    const Knoten* erster = liste->erster;
    const Knoten* letzter = liste->letzter;
    EXPECT_EQ(wertLoeschen(4).ausgabe, "Erfolg! 4 wurde 2 mal geloescht!\n");
    EXPECT_EQ(werte(), (std::vector<int>{1, 8}));
    EXPECT_EQ(liste->erster, erster);
    EXPECT_EQ(liste->letzter, letzter);
}

TEST_F(Deleting, ARunAtTheEndMakesItsPredecessorLast) {
    werteEinfuegen({7, 1, 2, 7});
    EXPECT_EQ(wertLoeschen(7).ausgabe, "Erfolg! 7 wurde 2 mal geloescht!\n");
    EXPECT_EQ(werte(), (std::vector<int>{1, 2}));
    EXPECT_EQ(liste->letzter->wert, 2);
    EXPECT_EQ(wertLoeschen(2).ausgabe, "Erfolg! 2 wurde 1 mal geloescht!\n");
    EXPECT_EQ(werte(), (std::vector<int>{1}));
    EXPECT_EQ(liste->erster, liste->letzter);
}

TEST_F(Deleting, TheOnlyValueEmptiesTheListWhichStaysUsable) {
    werteEinfuegen({5});
    EXPECT_EQ(wertLoeschen(5).ausgabe, "Erfolg! 5 wurde 1 mal geloescht!\n");
    EXPECT_TRUE(werte().empty());
    EXPECT_EQ(listeAusgeben(), "\nListe ausgeben:\n");

    werteEinfuegen({5, 5, 5});
    const auto l = wertLoeschen(5);
    EXPECT_TRUE(l.ergebnis);
    EXPECT_EQ(l.ausgabe, "Erfolg! 5 wurde 3 mal geloescht!\n");
    EXPECT_TRUE(werte().empty());

    werteEinfuegen({3, 1});
    EXPECT_EQ(werte(), (std::vector<int>{1, 3}));
}

TEST_F(Printing, AnEmptyListPrintsOnlyTheHeading) {
    EXPECT_EQ(listeAusgeben(), "\nListe ausgeben:\n");
}

} // namespace
