// The maze's drawing and its way search, checked against the plain backtracking search.
#include "labyrinth.h"
#include "referenz.h"
#include "toolbox.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace labyrinth;

namespace {

// Digits of the cells, row by row, and 'o' for a cell of the way; spaces are ignored.
Labyrinth labyrinthAus(int zeilen, int spalten, const std::string& ziffern) {
    Labyrinth l;
    l.zeilen = zeilen;
    l.spalten = spalten;
    int n = 0;
    for (char c : ziffern) {
        if (c == ' ') continue;
        l.feld[n / spalten][n % spalten] = c == 'o' ? kWeg : c - '0';
        ++n;
    }
    EXPECT_EQ(n, zeilen * spalten);
    return l;
}

struct Ergebnis {
    bool gefunden = false;
    std::string ausgabe;
    Labyrinth danach;
};

Ergebnis suchen(Suche suche, const Labyrinth& vorher) {
    Ergebnis e;
    e.danach = vorher;
    // Colours taken out, for a test run in a terminal.
    e.ausgabe = toolbox::withoutColours(toolbox::captureStdout(
        [&] { e.gefunden = suche(e.danach.feld, vorher.spalten, vorher.zeilen, 0, 0); }));
    return e;
}

bool gleichesFeld(const Labyrinth& a, const Labyrinth& b) {
    return std::memcmp(a.feld, b.feld, sizeof a.feld) == 0;
}

// The cells marked as the way, as "(row,column)" in row-major order.
std::string wegZellen(const Labyrinth& l) {
    std::string out;
    for (int z = 0; z < kMaxGroesse; ++z) {
        for (int s = 0; s < kMaxGroesse; ++s) {
            if (l.feld[z][s] != kWeg) continue;
            // Appended piece by piece: a chain of temporaries here makes GCC 12 at -O3
            // warn about an overlap (-Wrestrict) that cannot happen.
            out += '(';
            out += std::to_string(z);
            out += ',';
            out += std::to_string(s);
            out += ')';
        }
    }
    return out;
}

// Whether the exit can be reached from (zeile, spalte) over free cells, by a plain
// breadth-first walk.
bool ausgangErreichbar(int feld[][kMaxGroesse], int spalten, int zeilen, int spalte, int zeile) {
    std::vector<bool> gesehen(kMaxGroesse * kMaxGroesse, false);
    std::vector<std::pair<int, int>> offen{{zeile, spalte}};
    gesehen[zeile * kMaxGroesse + spalte] = true;
    for (std::size_t i = 0; i < offen.size(); ++i) {
        const auto [z, s] = offen[i];
        if (z == zeilen - 1 && s == spalten - 1) return true;
        for (const auto& [nz, ns] : {std::pair{z + 1, s}, {z, s + 1}, {z - 1, s}, {z, s - 1}}) {
            if (nz < 0 || nz >= zeilen || ns < 0 || ns >= spalten) continue;
            if (gesehen[nz * kMaxGroesse + ns] || feld[nz][ns] != 0) continue;
            gesehen[nz * kMaxGroesse + ns] = true;
            offen.emplace_back(nz, ns);
        }
    }
    return false;
}

// The plain search with only the cut applied: a neighbour is entered only when the exit
// can still be reached from it. Checked against the plain search on small mazes, it
// serves as the yardstick for the fast search on large ones.
bool sucheWegMitSchnitt(int feld[][kMaxGroesse], int spalten, int zeilen, int spalte, int zeile) {
    feld[zeile][spalte] = kWeg;
    if (spalte == spalten - 1 && zeile == zeilen - 1) {
        std::printf("\t\tWeg gefunden:\n");
        ausgabe(feld, spalten, zeilen);
        return true;
    }
    for (const auto& [z, s] : {std::pair{zeile + 1, spalte},
                               {zeile, spalte + 1},
                               {zeile - 1, spalte},
                               {zeile, spalte - 1}}) {
        if (z < 0 || z >= zeilen || s < 0 || s >= spalten || feld[z][s] != 0) continue;
        if (!ausgangErreichbar(feld, spalten, zeilen, s, z)) continue;
        if (sucheWegMitSchnitt(feld, spalten, zeilen, s, z)) return true;
    }
    feld[zeile][spalte] = kFrei;
    return false;
}

void gleichErwarten(Suche a, Suche b, const Labyrinth& l, const std::string& name) {
    const Ergebnis ea = suchen(a, l);
    const Ergebnis eb = suchen(b, l);
    EXPECT_EQ(ea.gefunden, eb.gefunden) << name;
    EXPECT_EQ(ea.ausgabe, eb.ausgabe) << name;
    EXPECT_TRUE(gleichesFeld(ea.danach, eb.danach))
        << name << "\nfirst: " << wegZellen(ea.danach) << "\nsecond: " << wegZellen(eb.danach);
}

void gleichErwarten(const Labyrinth& l, const std::string& name) {
    gleichErwarten(sucheWeg, sucheWegReferenz, l, name);
}

Labyrinth zufaellig(std::mt19937& zufall, int zeilen, int spalten, int dichte) {
    Labyrinth l;
    l.zeilen = zeilen;
    l.spalten = spalten;
    for (int z = 0; z < zeilen; ++z) {
        for (int s = 0; s < spalten; ++s) {
            l.feld[z][s] = static_cast<int>(zufall() % 100) < dichte ? 1 : 0;
        }
    }
    return l;
}

const std::string kBeispiel = "0100 0001 1100";

// ---------------------------------------------------------------- drawing

struct Bild {
    const char* name;
    int zeilen;
    int spalten;
    const char* zellen;
    const char* erwartet;
};

void PrintTo(const Bild& b, std::ostream* os) {
    *os << b.name;
}

class MazeDrawing : public testing::TestWithParam<Bild> {};

TEST_P(MazeDrawing, ShowsTheMazeInAFrame) {
    const Bild& b = GetParam();
    Labyrinth l = labyrinthAus(b.zeilen, b.spalten, b.zellen);
    EXPECT_EQ(toolbox::withoutColours(
                  toolbox::captureStdout([&] { ausgabe(l.feld, l.spalten, l.zeilen); })),
              b.erwartet);
}

const Bild kBilder[] = {
    {"FreeCellsWallsAndTheWay", 3, 4, "o100 o001 1100",
     "\t\t+----+\n\t\t|o100|\n\t\t|o001|\n\t\t|1100|\n\t\t+----+\n\n"},
    // A value that is neither free, wall nor way is left out, so its row is shorter.
    {"SingleColumnAndAnUnknownValue", 2, 1, "0 5", "\t\t+-+\n\t\t|0|\n\t\t||\n\t\t+-+\n\n"},
};

INSTANTIATE_TEST_SUITE_P(Pictures, MazeDrawing, testing::ValuesIn(kBilder),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- worked examples

struct Beispiel {
    const char* name;
    int zeilen;
    int spalten;
    const char* ziffern;
    bool gefunden;
    const char* weg; // the marked cells afterwards, row-major
};

const Beispiel kBeispiele[] = {
    {"3x4 example", 3, 4, "0100 0001 1100", true, "(0,0)(1,0)(1,1)(1,2)(2,2)(2,3)"},
    {"3x4 with last line 1110", 3, 4, "0100 0001 1110", false, ""},
    {"2x2 open", 2, 2, "00 00", true, "(0,0)(1,0)(1,1)"},
    {"1x1", 1, true, "0", true, "(0,0)"},
    {"1x1 wall", 1, true, "1", true, "(0,0)"},
    {"wall at the entrance", 2, 3, "100 000", true, "(0,0)(1,0)(1,1)(1,2)"},
    {"wall at the entrance, no way", 2, 2, "11 01", false, ""},
    {"wall at the exit", 3, 3, "000 000 001", false, ""},
    {"way turning upward", 3, 5, "01000 01010 00010", true,
     "(0,0)(0,2)(0,3)(0,4)(1,0)(1,2)(1,4)(2,0)(2,1)(2,2)(2,4)"},
};

TEST(MazeSearch, WorkedExamplesGiveTheSameWayFastAndPlain) {
    for (const Beispiel& b : kBeispiele) {
        const Labyrinth l = labyrinthAus(b.zeilen, b.spalten, b.ziffern);
        for (Suche s : {static_cast<Suche>(sucheWeg), static_cast<Suche>(sucheWegReferenz)}) {
            const Ergebnis e = suchen(s, l);
            EXPECT_EQ(e.gefunden, b.gefunden) << b.name;
            EXPECT_EQ(wegZellen(e.danach), b.weg) << b.name;
            if (!b.gefunden) {
                // Backing out frees every cell it entered, the entrance too even if it was
                // a wall; nothing else changes and nothing is printed.
                Labyrinth erwartet = l;
                erwartet.feld[0][0] = kFrei;
                EXPECT_TRUE(gleichesFeld(e.danach, erwartet)) << b.name;
                EXPECT_EQ(e.ausgabe, "") << b.name;
            }
        }
        gleichErwarten(l, b.name);
    }
}

TEST(MazeSearch, ExampleDrawsTheWay) {
    const Ergebnis e = suchen(sucheWeg, labyrinthAus(3, 4, kBeispiel));
    EXPECT_EQ(e.ausgabe, "\t\tWeg gefunden:\n"
                         "\t\t+----+\n\t\t|o100|\n\t\t|ooo1|\n\t\t|11oo|\n\t\t+----+\n\n");
}

TEST(MazeSearch, OneFileAtEverySizeWithTwelveCells) {
    const int groessen[][2] = {{3, 4}, {4, 3}, {2, 6}, {6, 2}, {1, 12}, {12, 1}};
    for (const auto& [zeilen, spalten] : groessen) {
        gleichErwarten(labyrinthAus(zeilen, spalten, kBeispiel),
                       std::to_string(zeilen) + "x" + std::to_string(spalten));
    }
}

TEST(MazeSearch, OpenMazeRunsDownThenRight) {
    Labyrinth l;
    l.zeilen = 4;
    l.spalten = 5;
    const Ergebnis e = suchen(sucheWeg, l);
    EXPECT_TRUE(e.gefunden);
    EXPECT_EQ(wegZellen(e.danach), "(0,0)(1,0)(2,0)(3,0)(3,1)(3,2)(3,3)(3,4)");
}

// ---------------------------------------------------------------- against the reference

TEST(MazeSearch, RandomMazesGiveTheSameWayAsThePlainSearch) {
    std::mt19937 zufall(20240611);
    int gefunden = 0;
    int ohneWeg = 0;
    for (int zeilen = 1; zeilen <= 6; ++zeilen) {
        for (int spalten = 1; spalten <= 6; ++spalten) {
            if (zeilen * spalten > 30) continue;
            for (int dichte : {0, 10, 20, 30, 40, 55}) {
                for (int runde = 0; runde < 40; ++runde) {
                    Labyrinth l = zufaellig(zufall, zeilen, spalten, dichte);
                    if (runde % 4 == 1) l.feld[zeilen - 1][spalten - 1] = kWand;
                    if (runde % 4 == 2) l.feld[0][0] = kWand;
                    const std::string name =
                        std::to_string(zeilen) + "x" + std::to_string(spalten) + " density " +
                        std::to_string(dichte) + " round " + std::to_string(runde);
                    gleichErwarten(l, name);
                    if (HasFailure()) return;
                    (suchen(sucheWeg, l).gefunden ? gefunden : ohneWeg)++;
                }
            }
        }
    }
    // Both outcomes are well represented.
    EXPECT_GT(gefunden, 1000);
    EXPECT_GT(ohneWeg, 1000);
}

TEST(MazeSearch, CutSearchAgreesWithThePlainSearch) {
    std::mt19937 zufall(7);
    for (int runde = 0; runde < 600; ++runde) {
        const int zeilen = 1 + static_cast<int>(zufall() % 6);
        const int spalten = 1 + static_cast<int>(zufall() % (30 / zeilen < 6 ? 30 / zeilen : 6));
        const Labyrinth l = zufaellig(zufall, zeilen, spalten, static_cast<int>(zufall() % 50));
        gleichErwarten(sucheWegMitSchnitt, sucheWegReferenz, l, "round " + std::to_string(runde));
        if (HasFailure()) return;
    }
}

TEST(MazeSearch, LargeRandomMazesGiveTheSameWayAsTheCutSearch) {
    std::mt19937 zufall(99);
    int gefunden = 0;
    for (int runde = 0; runde < 150; ++runde) {
        const int zeilen = 10 + static_cast<int>(zufall() % 41);
        const int spalten = 10 + static_cast<int>(zufall() % 41);
        // Mostly below the density at which the grid falls apart, so long ways are common.
        Labyrinth l = zufaellig(zufall, zeilen, spalten, 15 + static_cast<int>(zufall() % 25));
        l.feld[0][0] = kFrei;
        if (runde % 10 != 0) l.feld[zeilen - 1][spalten - 1] = kFrei;
        gleichErwarten(sucheWeg, sucheWegMitSchnitt, l, "round " + std::to_string(runde));
        if (HasFailure()) return;
        if (suchen(sucheWeg, l).gefunden) ++gefunden;
    }
    EXPECT_GT(gefunden, 50);
}

TEST(MazeSearch, OpenMazesWithAWalledExitFindNothing) {
    for (int n = 2; n <= 5; ++n) {
        Labyrinth l;
        l.zeilen = n;
        l.spalten = n + 1;
        l.feld[n - 1][n] = kWand;
        gleichErwarten(l, "open " + std::to_string(n));
        EXPECT_FALSE(suchen(sucheWeg, l).gefunden);
    }
}

TEST(MazeSearch, LargestMazeAlongALongSerpentine) {
    // Every other row is a wall with one gap, alternately at the right and the left end:
    // the way has to cross the whole grid 25 times, 1275 cells deep.
    Labyrinth l;
    l.zeilen = kMaxGroesse;
    l.spalten = kMaxGroesse;
    for (int z = 1; z < kMaxGroesse; z += 2) {
        for (int s = 0; s < kMaxGroesse; ++s) l.feld[z][s] = kWand;
        l.feld[z][(z / 2) % 2 == 0 ? kMaxGroesse - 1 : 0] = kFrei;
    }
    const Ergebnis e = suchen(sucheWeg, l);
    EXPECT_TRUE(e.gefunden);
    int wegLaenge = 0;
    for (const auto& zeile : e.danach.feld) {
        for (int wert : zeile) wegLaenge += wert == kWeg ? 1 : 0;
    }
    EXPECT_EQ(wegLaenge, 25 * kMaxGroesse + 25);
    EXPECT_EQ(e.danach.feld[kMaxGroesse - 1][kMaxGroesse - 1], kWeg);
}

} // namespace
