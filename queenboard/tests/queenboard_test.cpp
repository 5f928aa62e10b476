// The board operations and the search, the fast search checked square for
// square against the plain reference search.
#include "dame_referenz.h"
#include "kern_einfach.h"
#include "kern_vektor.h"
#include "queenboard.h"
#include "schritte.h"
#include "suche.h"
#include "suche_intern.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <gtest/gtest.h>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace queenboard;

namespace {

// Runs `pruefen`, given a kernel object, with each kernel this processor has.
template <class Pruefen> void mitJedemKern(Pruefen pruefen) {
    pruefen(EinfachKern{});
#if QUEENBOARD_VEKTOREN()
    if (vektorenMoeglich()) pruefen(VektorKern{});
#endif
}

// A board whose cells outside the part in use hold a mark, so that any write
// outside it shows.
struct Brett {
    Feld feld;
    int spalten;
    int zeilen;
    Brett(int z, int s) : spalten(s), zeilen(z) {
        for (auto& zeile : feld) std::fill(std::begin(zeile), std::end(zeile), 99);
        init(feld, spalten, zeilen);
    }
    std::vector<std::vector<int>> zeilenWerte() const {
        std::vector<std::vector<int>> werte;
        for (int z = 0; z < zeilen; ++z) werte.emplace_back(feld[z], feld[z] + spalten);
        return werte;
    }
    bool ausserhalbUnberuehrt() const {
        for (int z = 0; z < kMaxFeld; ++z)
            for (int s = 0; s < kMaxFeld; ++s)
                if ((z >= zeilen || s >= spalten) && feld[z][s] != 99) return false;
        return true;
    }
    bool leer() const {
        for (const auto& zeile : zeilenWerte())
            for (int wert : zeile)
                if (wert != 0) return false;
        return true;
    }
    std::vector<int> damenSpalten() const { // per row, -1 for none
        std::vector<int> spaltenJeZeile;
        for (const auto& zeile : zeilenWerte()) {
            auto dame = std::find(zeile.begin(), zeile.end(), -1);
            spaltenJeZeile.push_back(dame == zeile.end() ? -1 : int(dame - zeile.begin()));
        }
        return spaltenJeZeile;
    }
};

using Werte = std::vector<std::vector<int>>;

struct Brettmass {
    int zeilen, spalten, anzahl;
};

using Damen = std::vector<std::pair<int, int>>; // row, column

// An empty board with `damen` set on it.
Brett mitDamen(int zeilen, int spalten, const Damen& damen) {
    Brett b(zeilen, spalten);
    for (const auto& [zeile, spalte] : damen) dameSetzen(b.feld, spalten, zeilen, spalte, zeile);
    return b;
}

// ---- Placing and removing --------------------------------------------------

TEST(DameSetzen, MarksRowColumnAndDiagonals) {
    Brett b(2, 3);
    dameSetzen(b.feld, b.spalten, b.zeilen, 0, 0);
    EXPECT_EQ(b.zeilenWerte(), (Werte{{-1, 1, 1}, {1, 1, 0}}));
    EXPECT_TRUE(b.ausserhalbUnberuehrt());

    Brett eins(1, 1);
    dameSetzen(eins.feld, 1, 1, 0, 0);
    EXPECT_EQ(eins.zeilenWerte(), (Werte{{-1}}));
    dameLoeschen(eins.feld, 1, 1, 0, 0);
    EXPECT_EQ(eins.zeilenWerte(), (Werte{{0}}));
}

TEST(DameSetzen, DiagonalStopsAtTheNearEdgeOfAWideBoard) {
    Brett b(3, 7);
    dameSetzen(b.feld, b.spalten, b.zeilen, 0, 2); // bottom-left corner
    EXPECT_EQ(b.zeilenWerte(),
              (Werte{{1, 0, 1, 0, 0, 0, 0}, {1, 1, 0, 0, 0, 0, 0}, {-1, 1, 1, 1, 1, 1, 1}}));
    EXPECT_TRUE(b.ausserhalbUnberuehrt());
}

TEST(DameSetzen, CountersAddUpAndComeOffExactly) {
    Brett b(4, 5);
    dameSetzen(b.feld, 5, 4, 0, 0);
    dameSetzen(b.feld, 5, 4, 1, 2);
    EXPECT_EQ(b.feld[1][1], 2); // on a diagonal of one and the column of the other

    // Setting and removing a third queen, on every free square, changes nothing.
    const Brett vorher = b;
    int frei = 0;
    for (int z = 0; z < 4; ++z)
        for (int s = 0; s < 5; ++s)
            if (vorher.feld[z][s] == 0) {
                ++frei;
                dameSetzen(b.feld, 5, 4, s, z);
                EXPECT_EQ(b.feld[z][s], -1);
                dameLoeschen(b.feld, 5, 4, s, z);
                EXPECT_EQ(b.zeilenWerte(), vorher.zeilenWerte());
            }
    EXPECT_EQ(frei, 3);

    dameLoeschen(b.feld, 5, 4, 0, 0);
    EXPECT_EQ(b.feld[1][1], 1);
    dameLoeschen(b.feld, 5, 4, 1, 2);
    EXPECT_TRUE(b.leer());
    EXPECT_TRUE(b.ausserhalbUnberuehrt());
}

TEST(DameSetzen, FourQueensOnFourByFourInEveryOrderOfRemoval) {
    const std::array<std::array<int, 2>, 4> damen{{{0, 1}, {1, 3}, {2, 0}, {3, 2}}}; // row, column
    std::array<int, 4> reihenfolge{0, 1, 2, 3};
    do {
        Brett b(4, 4);
        for (auto [z, s] : damen) dameSetzen(b.feld, 4, 4, s, z);
        ASSERT_EQ(b.zeilenWerte(),
                  (Werte{{2, -1, 4, 2}, {4, 3, 3, -1}, {-1, 3, 3, 4}, {2, 4, -1, 2}}));
        for (int i : reihenfolge) dameLoeschen(b.feld, 4, 4, damen[i][1], damen[i][0]);
        EXPECT_TRUE(b.leer());
        EXPECT_TRUE(b.ausserhalbUnberuehrt());
    } while (std::next_permutation(reihenfolge.begin(), reihenfolge.end()));
}

// ---- The search ----------------------------------------------------------------

TEST(QueenSearch, NothingToPlaceSucceedsAtOnce) {
    for (int anzahl : {0, -3}) {
        Brett b(3, 4);
        EXPECT_EQ(dame(anzahl, b.feld, b.spalten, b.zeilen), 1);
        EXPECT_TRUE(b.leer());
    }
}

TEST(QueenSearch, SmallBoards) {
    struct Fall {
        int zeilen, spalten, anzahl;
        Werte erwartet; // the board's values, or only the queens' columns per row
        std::vector<int> damen;
    };
    const Fall faelle[] = {
        {1, 1, 1, {{-1}}, {}},
        {2, 3, 1, {{-1, 1, 1}, {1, 1, 0}}, {}},
        {4, 4, 4, {{2, -1, 4, 2}, {4, 3, 3, -1}, {-1, 3, 3, 4}, {2, 4, -1, 2}}, {}},
        {8, 8, 8, {}, {0, 4, 7, 5, 2, 6, 1, 3}},
    };
    for (const Fall& f : faelle) {
        Brett b(f.zeilen, f.spalten);
        EXPECT_EQ(dame(f.anzahl, b.feld, f.spalten, f.zeilen), 1) << f.zeilen << "x" << f.spalten;
        if (!f.erwartet.empty()) {
            EXPECT_EQ(b.zeilenWerte(), f.erwartet) << f.zeilen;
        }
        if (!f.damen.empty()) {
            EXPECT_EQ(b.damenSpalten(), f.damen) << f.zeilen;
        }
        EXPECT_TRUE(b.ausserhalbUnberuehrt()) << f.zeilen << "x" << f.spalten;
    }
}

TEST(QueenSearch, NoPlacementLeavesTheBoardAsItWas) {
    struct Fall {
        int zeilen, spalten, anzahl;
    };
    for (Fall f : {Fall{2, 2, 2}, Fall{3, 3, 3}, Fall{8, 8, 9}, Fall{0, 5, 1}, Fall{5, 0, 1},
                   Fall{0, 0, 1}, Fall{50, 50, 51}}) {
        Brett b(f.zeilen, f.spalten);
        EXPECT_EQ(dame(f.anzahl, b.feld, b.spalten, b.zeilen), 0)
            << f.zeilen << "x" << f.spalten << " " << f.anzahl;
        EXPECT_TRUE(b.leer());
        EXPECT_TRUE(b.ausserhalbUnberuehrt());
    }
}

TEST(QueenSearch, LargeBoardsWithRoomToSpare) {
    // Fewer queens than rows: the rows may be skipped, and the first placement
    // takes the first free square of each row from the top.
    Brett b(50, 50);
    EXPECT_EQ(dame(20, b.feld, 50, 50), 1);
    const std::vector<int> spalten = b.damenSpalten();
    EXPECT_EQ(std::vector<int>(spalten.begin(), spalten.begin() + 4),
              (std::vector<int>{0, 2, 4, 1}));
    EXPECT_EQ(std::count_if(spalten.begin(), spalten.end(), [](int s) { return s >= 0; }), 20);
}

// ---- Against the reference -----------------------------------------------------

void vergleichen(Brett schnell, int anzahl) {
    Brett referenz = schnell;
    const int erwartet = dameReferenz(anzahl, referenz.feld, referenz.spalten, referenz.zeilen);
    const int ergebnis = dame(anzahl, schnell.feld, schnell.spalten, schnell.zeilen);
    ASSERT_EQ(ergebnis, erwartet) << schnell.zeilen << "x" << schnell.spalten << ", " << anzahl;
    ASSERT_EQ(schnell.zeilenWerte(), referenz.zeilenWerte())
        << schnell.zeilen << "x" << schnell.spalten << ", " << anzahl;
    ASSERT_TRUE(schnell.ausserhalbUnberuehrt());
}

TEST(QueenSearchAgainstReference, EveryBoardUpToSixBySixAndEveryCountUpToSeven) {
    for (int zeilen = 0; zeilen <= 6; ++zeilen)
        for (int spalten = 0; spalten <= 6; ++spalten)
            for (int anzahl = 0; anzahl <= 7; ++anzahl) vergleichen(Brett(zeilen, spalten), anzahl);
}

TEST(QueenSearchAgainstReference, EveryBoardWithSevenRowsOrColumnsAndEveryCountThatFitsAndOneMore) {
    for (int zeilen = 1; zeilen <= 7; ++zeilen)
        for (int spalten = 1; spalten <= 7; ++spalten) {
            if (zeilen < 7 && spalten < 7) continue;
            for (int anzahl = 1; anzahl <= std::min(zeilen, spalten) + 1; ++anzahl)
                vergleichen(Brett(zeilen, spalten), anzahl);
        }
    // Oblong boards with rows or columns to spare (one more than fits is only counting).
    for (const auto& [zeilen, spalten] :
         {std::pair{8, 7}, {7, 8}, {9, 6}, {6, 9}, {10, 5}, {5, 10}})
        for (int anzahl = 1; anzahl <= std::min(zeilen, spalten); ++anzahl)
            vergleichen(Brett(zeilen, spalten), anzahl);
}

TEST(QueenSearchAgainstReference, BoardsThatAlreadyHoldAQueen) {
    // dame may be called on a board with queens: only its free squares count.
    for (int z = 0; z < 5; ++z)
        for (int s = 0; s < 6; ++s)
            for (int anzahl = 1; anzahl <= 5; ++anzahl) {
                Brett b(5, 6);
                dameSetzen(b.feld, 6, 5, s, z);
                vergleichen(b, anzahl);
            }
}

TEST(QueenSearchAgainstReference, BoardsThatAlreadyHoldTwoQueens) {
    // Squares struck off by the look-ahead are passed down; with queens already
    // standing, rows and columns run short in many more ways.
    for (int erste = 0; erste < 36; ++erste)
        for (int zweite = erste + 1; zweite < 36; ++zweite) {
            Brett b(6, 6);
            dameSetzen(b.feld, 6, 6, erste % 6, erste / 6);
            if (b.feld[zweite / 6][zweite % 6] != 0) continue;
            dameSetzen(b.feld, 6, 6, zweite % 6, zweite / 6);
            for (int anzahl = 1; anzahl <= 4; ++anzahl) vergleichen(b, anzahl);
        }
}

TEST(QueenSearchAgainstReference, TallBoardsWhereOnlyTheColumnsAreTight) {
    // More rows than queens: rows may stay empty, but every column must take a
    // queen, so forced queens come from columns with a single free square.
    for (int spalten = 2; spalten <= 6; ++spalten)
        for (int zeilen = spalten + 1; zeilen <= spalten + 4; ++zeilen)
            for (int anzahl = spalten - 1; anzahl <= spalten; ++anzahl)
                vergleichen(Brett(zeilen, spalten), anzahl);
    Brett b(9, 5);
    dameSetzen(b.feld, 5, 9, 2, 4);
    for (int anzahl = 1; anzahl <= 5; ++anzahl) vergleichen(b, anzahl);
}

// A board of up to 7 x 7 with fewer than `versuche` queens set at random, and a
// number of queens to place from none up to one more than fits.
std::pair<Brett, int> zufallsFall(std::mt19937& zufall, int versuche) {
    const int zeilen = 1 + int(zufall() % 7);
    const int spalten = 1 + int(zufall() % 7);
    Brett b(zeilen, spalten);
    for (int versuch = int(zufall() % versuche); versuch > 0; --versuch) {
        const int z = int(zufall() % zeilen);
        const int s = int(zufall() % spalten);
        if (b.feld[z][s] == 0) dameSetzen(b.feld, spalten, zeilen, s, z);
    }
    return {b, int(zufall() % (std::min(zeilen, spalten) + 2))};
}

TEST(QueenSearchAgainstReference, BoardsWithQueensScatteredAtRandom) {
    std::mt19937 zufall(2024); // fixed seed: the same boards every run
    for (int fall = 0; fall < 300; ++fall) {
        const auto [b, anzahl] = zufallsFall(zufall, 4);
        vergleichen(b, anzahl);
    }
}

TEST(QueenSearchAgainstReference, LargerSquareAndOblongBoards) {
    for (int n = 7; n <= 10; ++n) vergleichen(Brett(n, n), n);
    vergleichen(Brett(7, 9), 7);
    vergleichen(Brett(9, 7), 7);
    vergleichen(Brett(4, 12), 4);
    vergleichen(Brett(12, 4), 4);
}

TEST(QueenSearchAgainstReference, BoardsWhereTheDiagonalSumsMeetTheirBounds) {
    // In a proof below each, the queens left take exactly the free falling
    // diagonals of the smallest or of the largest sum: the bounds themselves
    // must stay allowed.
    struct Fall {
        int n;
        Damen damen;
    };
    const Fall faelle[] = {
        {8, {{5, 0}, {7, 3}}},          {9, {{2, 2}}}, {9, {{0, 6}, {8, 2}}}, {9, {{0, 7}, {8, 4}}},
        {10, {{3, 2}, {4, 8}, {5, 1}}},
    };
    for (const Fall& fall : faelle)
        vergleichen(mitDamen(fall.n, fall.n, fall.damen), fall.n - int(fall.damen.size()));
}

// Rows 0, 1 and 2 with free squares {0}, {2} and {2}, to take two queens: one row
// stays empty. The placement (0, 0), (1, 2) has the two topmost rows, the columns'
// whole sum and the two lowest free diagonals, so every bound of the sum is met
// exactly, and none may refuse it.
template <Kern K> void summeAnDenGrenzen() {
    Teilbrett r{};
    r.n = 3;
    r.damen = 2;
    const Maske frei[] = {0b001, 0b100, 0b100};
    for (int j = 0; j < r.n; ++j) {
        r.frei[j] = frei[j];
        r.nummer[j] = j;
    }
    Pfad pfad;
    EXPECT_NE(summenPassen<K>(r, erfassen(r), pfad), Summen::nicht);
}

TEST(SearchBounds, TheDiagonalSumAllowsAPlacementAtItsBounds) {
    mitJedemKern([](auto kern) { summeAnDenGrenzen<decltype(kern)>(); });
}

// Rows `zeile0` on holding just the squares of eight queens, shifted by `spalte0`,
// and the squares `mehr` (row and column on the eight): the diagonals' bounds are
// met exactly, so the sums must neither refuse the rows nor narrow the queens away.
template <Kern K> void behaeltDieDamen(int zeile0, int spalte0, int zeilen, const Damen& mehr) {
    const int loesung[] = {0, 4, 7, 5, 2, 6, 1, 3};
    Teilbrett r{};
    r.n = zeilen;
    r.damen = 8;
    for (int j = 0; j < zeilen; ++j) {
        r.nummer[j] = zeile0 + j;
        if (j < 8) r.frei[j] = Maske{1} << (spalte0 + loesung[j]);
    }
    for (const auto& [zeile, spalte] : mehr) r.frei[zeile] |= Maske{1} << (spalte0 + spalte);
    Pfad pfad;
    ASSERT_NE(summenPassen<K>(r, erfassen(r), pfad), Summen::nicht) << zeile0 << " " << spalte0;
    for (int j = 0; j < 8; ++j) {
        const int zeile = zeile0 + j, spalte = spalte0 + loesung[j];
        const auto* ende = r.nummer + r.n;
        const auto* platz = std::find(std::cbegin(r.nummer), ende, zeile);
        const bool frei = platz != ende && ((r.frei[platz - r.nummer] >> spalte) & 1) != 0;
        EXPECT_TRUE(frei || belegung(pfad).spalte[zeile] == spalte)
            << zeile0 << " " << spalte0 << " " << j;
    }
}

template <Kern K> void quadrateAnDenGrenzen() {
    // Where the diagonals sit: low words only, and across both words of each kind.
    for (const auto& [zeile0, spalte0] : {std::pair{0, 0}, std::pair{20, 30}}) {
        behaeltDieDamen<K>(zeile0, spalte0, 8, {});
        // A ninth column, free on diagonals of two queens, stays empty.
        behaeltDieDamen<K>(zeile0, spalte0, 8, {{3, 8}});
        // So does a ninth row.
        behaeltDieDamen<K>(zeile0, spalte0, 9, {{8, 3}});
    }
}

TEST(SearchBounds, TheDiagonalsSquaresAllowAPlacementAtTheirBounds) {
    mitJedemKern([](auto kern) { quadrateAnDenGrenzen<decltype(kern)>(); });
}

TEST(SearchBounds, TheSquaresBoundIsNoMoreThanTheLeastSquaresAndMeetsThemAtEachWindow) {
    struct Fall {
        Maske lo, hi;
        int k;
    };
    const Maske oben = Maske{0xF} << 60;
    const Fall faelle[] = {
        {0b1111111, 0, 3},       {0b1100110001, 0, 2}, {0b101101001011, 0, 4}, {oben, 0b1011, 3},
        {oben | 1, 0b110001, 5}, {0, 0b1101, 2},       {0b111, 0, 3},          {0b11, 0, 3},
    };
    for (const Fall& f : faelle) {
        std::vector<long long> bits;
        for (int b = 0; b < 128; ++b)
            if ((((b < 64 ? f.lo >> b : f.hi >> (b - 64))) & 1) != 0) bits.push_back(b);
        // The least squares for each sum, over every set of k of the bits; -1 for none.
        const long long groessteSumme = 127 * f.k;
        std::vector<long long> kleinste(groessteSumme + 1, -1);
        for (unsigned wahl = 0; wahl < (1u << bits.size()); ++wahl) {
            if (std::popcount(wahl) != f.k) continue;
            long long summe = 0, quadrate = 0;
            for (std::size_t i = 0; i < bits.size(); ++i)
                if (((wahl >> i) & 1) != 0) {
                    summe += bits[i];
                    quadrate += bits[i] * bits[i];
                }
            if (kleinste[summe] < 0 || quadrate < kleinste[summe]) kleinste[summe] = quadrate;
        }
        std::vector<long long> summen(groessteSumme + 1), schranken(summen.size());
        for (long long s = 0; s <= groessteSumme; ++s) summen[s] = s;
        quadrateMitSummen({f.lo, f.hi}, f.k, summen, schranken);
        // The same sums falling: the same bounds.
        std::vector<long long> rueck(summen.rbegin(), summen.rend()), rueckSchranken(summen.size());
        quadrateMitSummen({f.lo, f.hi}, f.k, rueck, rueckSchranken);
        std::vector<long long> fenster(summen.size(), -1);    // a window's squares at its sum
        long long tiefste = groessteSumme + 1, hoechste = -1; // the windows' sums
        for (std::size_t s = 0; s + f.k <= bits.size(); ++s) {
            long long summe = 0, quadrate = 0;
            for (std::size_t i = s; i < s + f.k; ++i) {
                summe += bits[i];
                quadrate += bits[i] * bits[i];
            }
            fenster[summe] = quadrate;
            tiefste = std::min(tiefste, summe);
            hoechste = std::max(hoechste, summe);
        }
        for (long long s = 0; s <= groessteSumme; ++s) {
            EXPECT_EQ(rueckSchranken[groessteSumme - s], schranken[s]) << f.lo << " " << s;
            if (kleinste[s] >= 0) {
                EXPECT_LE(schranken[s], kleinste[s]) << f.lo << " " << s;
            }
            if (fenster[s] >= 0) {
                EXPECT_EQ(schranken[s], fenster[s]) << f.lo << " " << s;
            }
            if (s < tiefste || s > hoechste) {
                EXPECT_EQ(schranken[s], kUnerreichbar) << f.lo << " " << s;
            }
        }
    }
}

template <Kern K> void steigendeUeberZweiWorte() {
    // Rows 0, 20 and 49, whose rising diagonals c + r reach 49, 64 and 98.
    Teilbrett r{};
    r.n = 3;
    const Maske frei[] = {1 | Maske{1} << 49, 0b1011 | Maske{3} << 43,
                          1 | Maske{3} << 14 | Maske{1} << 49};
    Maske lo = 0, hi = 0;
    for (int j = 0; j < r.n; ++j) {
        r.nummer[j] = j == 0 ? 0 : j == 1 ? 20 : 49;
        r.frei[j] = frei[j];
        for (int p = 0; p < 128; ++p)
            if (p >= r.nummer[j] && p - r.nummer[j] < 64 &&
                ((frei[j] >> (p - r.nummer[j])) & 1) != 0)
                (p < 64 ? lo : hi) |= Maske{1} << (p % 64);
    }
    const Doppelwort steigend = K::steigende(r);
    EXPECT_EQ(steigend.tief, lo);
    EXPECT_EQ(steigend.hoch, hi);
}

TEST(SearchBounds, RisingDiagonalsAcrossTwoWords) {
    mitJedemKern([](auto kern) { steigendeUeberZweiWorte<decltype(kern)>(); });
}

TEST(SearchBounds, HighestBitAtOrBelowAcrossTwoWords) {
    struct Fall {
        Maske lo, hi;
        int d, erwartet;
    };
    const Maske oben = Maske{1} << 63;
    const Fall faelle[] = {
        {0b1010, 0, 2, 1},   {0b1010, 0, 3, 3},        {0b1010, 0, 0, -1},
        {0b1010, 0, 100, 3}, {0, 0, 127, -1},          {oben, 1, 64, 64},
        {oben, 1, 63, 63},   {oben, 0b100000, 68, 63}, {oben, 0b100000, 127, 69},
        {0, oben, 127, 127}, {0, 0b100000, 68, -1},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(hoechsteBis({f.lo, f.hi}, f.d), f.erwartet) << f.lo << " " << f.hi << " " << f.d;
}

// Whatever a sub-board's slots past its rows held, a kernel that strikes a queen's
// lines into it leaves them empty to the end of the vector, as the other kernel reads.
template <Kern K> void streichenLeertDenRest() {
    for (int n : {1, 3, 4, 5}) {
        Teilbrett von{};
        von.n = n;
        von.damen = 1;
        for (int j = 0; j < n; ++j) {
            von.frei[j] = 0xF0;
            von.nummer[j] = j;
        }
        Teilbrett nach{};
        std::fill(std::begin(nach.frei), std::end(nach.frei), ~Maske{0});
        K::streichen(von, nach, 0, 0);
        for (int j = n; j < vektorEnde(n); ++j) EXPECT_EQ(nach.frei[j], 0u) << n << " " << j;
    }
}

TEST(SearchKernels, LeaveTheLastVectorEmptyPastTheRows) {
    mitJedemKern([](auto kern) { streichenLeertDenRest<decltype(kern)>(); });
}

// A type that lacks a step is no kernel: the interface is checked, not assumed.
struct OhneSteigende {
    static int bits(Maske);
    static Zaehlung streichen(const Teilbrett&, Teilbrett&, int, int);
    static Fallende fallende(const Teilbrett&);
    static Maske untereBits(Maske, int);
};
static_assert(!Kern<OhneSteigende>);

// The first placement on an empty n x n board with n queens, row by row in bit masks:
// a yardstick that, unlike the reference, is quick up to n = 29.
bool ersteFolge(int n, int zeile, std::uint64_t spalten, std::uint64_t links, std::uint64_t rechts,
                std::vector<int>& folge) {
    if (zeile == n) return true;
    const std::uint64_t alle = (std::uint64_t{1} << n) - 1;
    for (std::uint64_t frei = ~(spalten | links | rechts) & alle; frei != 0; frei &= frei - 1) {
        const std::uint64_t bit = frei & -frei;
        folge[zeile] = std::countr_zero(frei);
        if (ersteFolge(n, zeile + 1, spalten | bit, (links | bit) << 1, (rechts | bit) >> 1, folge))
            return true;
    }
    return false;
}

// The first placement of `anzahl` queens on an empty board, row by row with a row
// left empty last: the same order as the scan, and quick where rows or queens are
// to spare. Per row the column, -1 for none.
bool erstePlatzierung(int zeilen, int spalten, int anzahl, int zeile, std::uint64_t belegt,
                      std::uint64_t links, std::uint64_t rechts, std::vector<int>& folge) {
    if (anzahl == 0) {
        std::fill(folge.begin() + zeile, folge.end(), -1);
        return true;
    }
    if (zeilen - zeile < anzahl) return false;
    const std::uint64_t alle = (std::uint64_t{1} << spalten) - 1;
    for (std::uint64_t frei = ~(belegt | links | rechts) & alle; frei != 0; frei &= frei - 1) {
        const std::uint64_t bit = frei & -frei;
        folge[zeile] = std::countr_zero(frei);
        if (erstePlatzierung(zeilen, spalten, anzahl - 1, zeile + 1, belegt | bit,
                             (links | bit) << 1, (rechts | bit) >> 1, folge))
            return true;
    }
    folge[zeile] = -1;
    return erstePlatzierung(zeilen, spalten, anzahl, zeile + 1, belegt, links << 1, rechts >> 1,
                            folge);
}

TEST(QueenSearch, FirstPlacementsWithRowsColumnsOrQueensToSpare) {
    for (int n = 8; n <= 24; ++n)
        for (const Brettmass f :
             {Brettmass{n + 1, n, n}, Brettmass{n + 2, n, n}, Brettmass{n, n + 1, n},
              Brettmass{n, n, n - 1}, Brettmass{n, n, n - 2}, Brettmass{n + 1, n, n - 1}}) {
            std::vector<int> erwartet(f.zeilen);
            ASSERT_TRUE(erstePlatzierung(f.zeilen, f.spalten, f.anzahl, 0, 0, 0, 0, erwartet));
            Brett b(f.zeilen, f.spalten);
            ASSERT_EQ(dame(f.anzahl, b.feld, f.spalten, f.zeilen), 1);
            EXPECT_EQ(b.damenSpalten(), erwartet)
                << f.zeilen << "x" << f.spalten << " " << f.anzahl;
        }
}

TEST(QueenSearch, FirstPlacementsUpToTwentyNineByTwentyNine) {
    // Wide enough for diagonals past the first 64 of the proof's diagonal masks.
    for (int n = 11; n <= 29; ++n) {
        std::vector<int> erwartet(n);
        ASSERT_TRUE(ersteFolge(n, 0, 0, 0, 0, erwartet)) << n;
        Brett b(n, n);
        ASSERT_EQ(dame(n, b.feld, n, n), 1) << n;
        EXPECT_EQ(b.damenSpalten(), erwartet) << n;
    }
}

// ---- Proofs shared among threads --------------------------------------------

struct Teilung {
    int faeden;
    long long teilenAb; // tiny, so that proofs on small boards look ahead and are shared too
    bool ohneVektoren = false;
};

void PrintTo(const Teilung& t, std::ostream* os) {
    *os << t.faeden << " Faeden, teilen ab " << t.teilenAb
        << (t.ohneVektoren ? ", ohne Vektoren" : "");
}

class SharedProof : public ::testing::TestWithParam<Teilung> {
  protected:
    int suchen(Brett& b, int anzahl) const {
        return dameSuchen(anzahl, b.feld, b.spalten, b.zeilen,
                          {.faeden = GetParam().faeden,
                           .teilenAb = GetParam().teilenAb,
                           .ohneVektoren = GetParam().ohneVektoren});
    }
    // The same result and the same board as the reference.
    void wieReferenz(Brett schnell, int anzahl) const {
        Brett referenz = schnell;
        const int erwartet = dameReferenz(anzahl, referenz.feld, referenz.spalten, referenz.zeilen);
        ASSERT_EQ(suchen(schnell, anzahl), erwartet)
            << schnell.zeilen << "x" << schnell.spalten << ", " << anzahl;
        ASSERT_EQ(schnell.zeilenWerte(), referenz.zeilenWerte())
            << schnell.zeilen << "x" << schnell.spalten << ", " << anzahl;
    }
};

TEST_P(SharedProof, AsTheReference) {
    std::mt19937 zufall(7);
    for (int fall = 0; fall < 200 && !HasFatalFailure(); ++fall) {
        const auto [b, anzahl] = zufallsFall(zufall, 3);
        wieReferenz(b, anzahl);
    }
}

TEST_P(SharedProof, AsTheReferenceWhereALineWithoutQueensLeftMayStayEmpty) {
    // Below the queen set first, some row (or column) that may stay empty has no
    // square whose queen survives narrowing: looking ahead must still count it as
    // a branch. The rows in the upper half, the columns in the lower.
    struct Fall {
        int zeilen, spalten, anzahl;
        Damen damen;
    };
    const Fall faelle[] = {
        {8, 7, 6, {}},       {6, 5, 3, {{5, 0}}}, {7, 4, 3, {{5, 1}}}, {8, 6, 5, {{2, 5}}},
        {5, 6, 3, {{0, 5}}}, {5, 6, 3, {{1, 5}}}, {7, 7, 5, {{2, 6}}}, {7, 7, 5, {{6, 1}}},
    };
    for (const Fall& f : faelle) wieReferenz(mitDamen(f.zeilen, f.spalten, f.damen), f.anzahl);
}

TEST_P(SharedProof, AsOneThreadOnLargerBoards) {
    struct Fall {
        int zeilen, spalten, anzahl;
    };
    for (Fall f :
         {Fall{12, 12, 12}, Fall{14, 14, 14}, Fall{15, 15, 15}, Fall{16, 16, 16}, Fall{11, 16, 11},
          Fall{16, 11, 11}, Fall{13, 13, 12}, Fall{12, 12, 13}, Fall{30, 30, 10}}) {
        Brett allein(f.zeilen, f.spalten);
        const int erwartet = dameSuchen(f.anzahl, allein.feld, f.spalten, f.zeilen, {.faeden = 1});
        Brett geteilt(f.zeilen, f.spalten);
        EXPECT_EQ(suchen(geteilt, f.anzahl), erwartet) << f.zeilen << "x" << f.spalten;
        EXPECT_EQ(geteilt.zeilenWerte(), allein.zeilenWerte()) << f.zeilen << "x" << f.spalten;
    }
}

INSTANTIATE_TEST_SUITE_P(Splits, SharedProof,
                         ::testing::Values(Teilung{1, 0}, Teilung{1, 1}, Teilung{1, 1, true},
                                           Teilung{2, 1}, Teilung{2, 3}, Teilung{3, 1},
                                           Teilung{4, 10}, Teilung{1, 0, true},
                                           Teilung{2, 1, true}),
                         [](const ::testing::TestParamInfo<Teilung>& info) {
                             const Teilung& t = info.param;
                             return std::to_string(t.faeden) + "Faeden_teilenAb" +
                                    std::to_string(t.teilenAb) +
                                    (t.ohneVektoren ? "_ohneVektoren" : "");
                         });

// The proof with and without vector instructions walks the same tree.
TEST(QueenSearch, SameNodesWithAndWithoutVectorInstructions) {
    if (!vektorenMoeglich()) GTEST_SKIP() << "no vector kernel on this build or processor";
    for (int n : {12, 18, 22, 25}) {
        Brett vektor(n, n), einfach(n, n);
        unsigned long long knotenVektor = 0, knotenEinfach = 0;
        EXPECT_EQ(dameSuchen(n, vektor.feld, n, n, {.faeden = 1}, &knotenVektor), 1);
        EXPECT_EQ(
            dameSuchen(n, einfach.feld, n, n, {.faeden = 1, .ohneVektoren = true}, &knotenEinfach),
            1);
        EXPECT_EQ(knotenVektor, knotenEinfach) << n;
        EXPECT_GT(knotenEinfach, 0u) << n;
        EXPECT_EQ(vektor.zeilenWerte(), einfach.zeilenWerte()) << n;
    }
}

TEST(QueenSearch, TheProgressLineSaysWhereALongProofIsAtInAtMost79Columns) {
    struct Fall {
        long sekunden;
        Fortschritt fortschritt;
        int zeilen;
        std::string zeile;
    };
    const Fall faelle[] = {
        {3,
         {.festeZeilen = 16},
         50,
         "\tSuche laeuft ... 3 s, 16 von 50 Zeilen fest (Strg+C bricht ab)"},
        {19,
         {16, 16, 4, 12, true},
         50,
         "\tSuche laeuft ... 19 s, 16 von 50 Zeilen fest, Zeile 17: Feld 4/12"},
        // The longest it gets: days of searching, and every number at its widest.
        {999999,
         {49, 49, 50, 50, true},
         50,
         "\tSuche laeuft ... 999999 s, 49 von 50 Zeilen fest, Zeile 50: Feld 50/50"},
        {999999,
         {.festeZeilen = 49},
         50,
         "\tSuche laeuft ... 999999 s, 49 von 50 Zeilen fest (Strg+C bricht ab)"},
    };
    for (const Fall& f : faelle) {
        const std::string zeile = fortschrittsZeile(f.sekunden, f.fortschritt, f.zeilen);
        EXPECT_EQ(zeile, f.zeile);
        EXPECT_LE(zeile.size() - 1 + 8, 79u) << zeile; // the tab takes eight columns
    }
}

TEST(QueenSearch, GivesUpAtTheTimeLimitWithTheBoardAsItWas) {
    for (int faeden : {1, 2}) {
        Brett b(50, 50);
        EXPECT_EQ(dameSuchen(50, b.feld, 50, 50, {.faeden = faeden, .sekunden = 0.05}), -1);
        EXPECT_TRUE(b.leer());
    }
}

// ---- Every placement found holds --------------------------------------------

std::vector<Brettmass> gueltigFaelle() {
    std::vector<Brettmass> faelle;
    for (int n = 1; n <= 30; ++n) faelle.push_back({n, n, n});
    for (Brettmass f : {Brettmass{20, 27, 20}, Brettmass{27, 20, 20}, Brettmass{50, 50, 30}})
        faelle.push_back(f);
    return faelle;
}

class FoundPlacement : public ::testing::TestWithParam<Brettmass> {};

TEST_P(FoundPlacement, NoTwoQueensAttackEachOtherAndTheCountersAddUp) {
    const auto [zeilen, spalten, anzahl] = GetParam();
    Brett b(zeilen, spalten);
    const int ergebnis = dame(anzahl, b.feld, spalten, zeilen);
    ASSERT_EQ(ergebnis, zeilen == spalten && (zeilen == 2 || zeilen == 3) ? 0 : 1);

    std::vector<std::array<int, 2>> damen;
    for (int z = 0; z < zeilen; ++z)
        for (int s = 0; s < spalten; ++s)
            if (b.feld[z][s] == -1) damen.push_back({z, s});
    EXPECT_EQ(int(damen.size()), ergebnis ? anzahl : 0);
    for (std::size_t i = 0; i < damen.size(); ++i)
        for (std::size_t j = i + 1; j < damen.size(); ++j) {
            const int dz = damen[j][0] - damen[i][0];
            const int ds = damen[j][1] - damen[i][1];
            EXPECT_TRUE(dz != 0 && ds != 0 && dz != ds && dz != -ds)
                << damen[i][0] << "," << damen[i][1] << " and " << damen[j][0] << ","
                << damen[j][1];
        }

    Brett neu(zeilen, spalten);
    for (auto [z, s] : damen) dameSetzen(neu.feld, spalten, zeilen, s, z);
    EXPECT_EQ(b.zeilenWerte(), neu.zeilenWerte());
    EXPECT_TRUE(b.ausserhalbUnberuehrt());
}

INSTANTIATE_TEST_SUITE_P(Boards, FoundPlacement, ::testing::ValuesIn(gueltigFaelle()));

} // namespace
