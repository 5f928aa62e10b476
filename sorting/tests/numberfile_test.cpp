// Reading and writing the number files, on temporary streams.
#include "numberfile.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

using namespace sortierung;

namespace {

// A temporary stream holding `text`, positioned at its start.
std::FILE* datei(const std::string& text) {
    std::FILE* f = std::tmpfile();
    std::fputs(text.c_str(), f);
    std::rewind(f);
    return f;
}

std::string inhalt(std::FILE* f) {
    std::rewind(f);
    std::string text;
    for (int c = std::fgetc(f); c != EOF; c = std::fgetc(f)) text += static_cast<char>(c);
    return text;
}

struct Gelesen {
    int anzahl;
    std::vector<int> werte;
};

// Sized exactly to the buffer, so a store past it is caught by the address sanitizer.
Gelesen lesen(const std::string& text) {
    std::FILE* f = datei(text);
    std::vector<int> puffer(kMaxZahlen);
    Gelesen g;
    g.anzahl = anzahlLesen(f);
    puffer.resize(static_cast<std::size_t>(zahlenLesen(f, puffer.data())));
    g.werte = puffer;
    std::fclose(f);
    return g;
}

} // namespace

TEST(Reading, CountThenValuesWhateverTheWhiteSpace) {
    const Gelesen erwartet{3, {5, -2, 7}};
    for (const char* text : {"3\n\n5\n-2\n7\n", "3\n5\n-2\n7", "  3 5\t-2\r\n7\r\n\r\n"}) {
        const Gelesen g = lesen(text);
        EXPECT_EQ(g.anzahl, erwartet.anzahl) << text;
        EXPECT_EQ(g.werte, erwartet.werte) << text;
    }
}

TEST(Reading, ValuesAreStoredRegardlessOfTheCount) {
    EXPECT_EQ(lesen("1\n4 3 2 1").werte, (std::vector<int>{4, 3, 2, 1}));
    EXPECT_EQ(lesen("-7\n4 3").werte, (std::vector<int>{4, 3}));
}

TEST(Reading, ATokenThatIsNoIntegerEndsTheReading) {
    EXPECT_EQ(lesen("5\n3 1 zwei 0").werte, (std::vector<int>{3, 1}));
    EXPECT_EQ(lesen("5\n3 12abc 0").werte, (std::vector<int>{3}));
    EXPECT_EQ(lesen("5\n3 - 4").werte, (std::vector<int>{3}));
    EXPECT_EQ(lesen("5\n3 1.5 4").werte, (std::vector<int>{3}));
}

TEST(Reading, IntegersOutsideTheIntRangeEndTheReading) {
    EXPECT_EQ(lesen("4\n2147483647 -2147483648 2147483648 1").werte,
              (std::vector<int>{INT_MAX, INT_MIN}));
    EXPECT_EQ(lesen("4\n1 -2147483649 2").werte, (std::vector<int>{1}));
    EXPECT_EQ(lesen("4\n1 000000000000000000000000000000000004294967296 2").werte,
              (std::vector<int>{1}));
    // Leading zeros do not make a number too long.
    EXPECT_EQ(lesen("4\n1 000000000000000000007 2").werte, (std::vector<int>{1, 7, 2}));
}

TEST(Reading, AMissingOrBrokenCountReadsAsZero) {
    EXPECT_EQ(lesen("").anzahl, 0);
    EXPECT_EQ(lesen("   \n").anzahl, 0);
    EXPECT_EQ(lesen("zehn\n1 2").anzahl, 0);
    EXPECT_EQ(lesen("99999999999\n1 2").anzahl, 0);
}

TEST(Reading, NeverStoresMoreThanTheBuffer) {
    std::ostringstream text;
    text << "20000\n\n";
    for (int i = 0; i < kMaxZahlen + 50; i++) text << i << "\n";
    const Gelesen g = lesen(text.str());
    ASSERT_EQ(g.werte.size(), static_cast<std::size_t>(kMaxZahlen));
    EXPECT_EQ(g.werte.back(), kMaxZahlen - 1);
    EXPECT_EQ(zuSortieren(g.anzahl, kMaxZahlen), kMaxZahlen);
}

TEST(Reading, TheCountIsCutToTheValuesRead) {
    EXPECT_EQ(zuSortieren(3, 5), 3);
    EXPECT_EQ(zuSortieren(5, 5), 5);
    EXPECT_EQ(zuSortieren(9, 5), 5);
    EXPECT_EQ(zuSortieren(4, 0), 0);
    EXPECT_EQ(zuSortieren(0, 5), 0);
    EXPECT_EQ(zuSortieren(-3, 5), 0);
    EXPECT_EQ(zuSortieren(INT_MIN, 5), 0);
}

TEST(Writing, RandomFileHasCountEmptyLineAndValuesInRange) {
    std::FILE* f = std::tmpfile();
    ASSERT_TRUE(zufallszahlenSchreiben(f));
    const std::string text = inhalt(f);
    std::fclose(f);

    ASSERT_EQ(text.rfind("10000\n\n", 0), 0u);
    ASSERT_EQ(text.back(), '\n');
    std::istringstream zeilen(text.substr(7));
    std::string zeile;
    int anzahl = 0;
    while (std::getline(zeilen, zeile)) {
        ASSERT_FALSE(zeile.empty());
        ASSERT_EQ(zeile.find_first_not_of("0123456789"), std::string::npos) << zeile;
        ASSERT_LE(std::stoll(zeile), RAND_MAX);
        anzahl++;
    }
    EXPECT_EQ(anzahl, kMaxZahlen);
    // What is written reads back as a full buffer.
    const Gelesen g = lesen(text);
    EXPECT_EQ(g.anzahl, kMaxZahlen);
    EXPECT_EQ(g.werte.size(), static_cast<std::size_t>(kMaxZahlen));
}

TEST(Writing, SortedFileHoldsTheFirstNValuesOnePerLine) {
    const int zahlen[] = {-5, 0, 12, 99};
    for (auto [n, erwartet] : {std::pair{3, "-5\n0\n12\n"}, {0, ""}, {-2, ""}}) {
        std::FILE* f = std::tmpfile();
        EXPECT_TRUE(zahlenSchreiben(f, zahlen, n));
        EXPECT_EQ(inhalt(f), erwartet);
        std::fclose(f);
    }
}
