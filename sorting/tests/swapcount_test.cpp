// The counting build of the sort: swapped counts the exchanges, which are the inversions.
#include "bubblesort.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <vector>

using namespace sortierung;

namespace {

// Pairs j < k with a[j] > a[k] among the first n, counted directly.
long long inversionen(const std::vector<int>& a, int n) {
    long long anzahl = 0;
    for (int j = 0; j < n; j++)
        for (int k = j + 1; k < n; k++) anzahl += a[j] > a[k];
    return anzahl;
}

// swapped is never reset, so a sort's share is the difference.
long long tauschZaehlen(std::vector<int> werte, int n) {
    const int vorher = swapped;
    bubblesort(werte.data(), n);
    return swapped - vorher;
}

// Worked examples: values, how many of them are sorted, and the exchanges it takes.
struct Beispiel {
    const char* name;
    std::vector<int> werte;
    int n;
    long long tausche;
};

void PrintTo(const Beispiel& b, std::ostream* os) {
    *os << b.name;
}

std::vector<int> aufsteigend(int von, int anzahl) {
    std::vector<int> werte(static_cast<std::size_t>(anzahl));
    std::iota(werte.begin(), werte.end(), von);
    return werte;
}

std::vector<int> absteigend(int anzahl) {
    std::vector<int> werte(static_cast<std::size_t>(anzahl));
    std::iota(werte.rbegin(), werte.rend(), 0);
    return werte;
}

class SwapCountExample : public testing::TestWithParam<Beispiel> {};

TEST_P(SwapCountExample, TakesTheExchangesWorkedOut) {
    const Beispiel& b = GetParam();
    EXPECT_EQ(tauschZaehlen(b.werte, b.n), b.tausche);
}

const Beispiel kBeispiele[] = {
    {"ThreeOneTwoGivesTwo", {3, 1, 2}, 3, 2},
    {"SortedNeedsNoExchange", aufsteigend(-250, 500), 500, 0},
    {"EqualNeedsNoExchange", std::vector<int>(500, 7), 500, 0},
    {"DescendingExchangesEveryPair", absteigend(10000), 10000, 49995000},
    {"CountOfOneExchangesNothing", {3, 2, 1}, 1, 0},
    {"CountOfZeroExchangesNothing", {3, 2, 1}, 0, 0},
    {"CountBelowZeroExchangesNothing", {3, 2, 1}, -1, 0},
};

INSTANTIATE_TEST_SUITE_P(Worked, SwapCountExample, testing::ValuesIn(kBeispiele),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

TEST(SwapCount, EqualsTheInversionsOfTheSortedPart) {
    std::mt19937 gen(7);
    for (int bereich : {3, 1000, 1000000}) {
        std::uniform_int_distribution<int> verteilung(-bereich, bereich);
        std::vector<int> werte(1500);
        for (int& w : werte) w = verteilung(gen);
        EXPECT_EQ(tauschZaehlen(werte, 1500), inversionen(werte, 1500)) << bereich;
        EXPECT_EQ(tauschZaehlen(werte, 600), inversionen(werte, 600)) << bereich;
    }
}

TEST(SwapCount, AccumulatesOverSorts) {
    const int vorher = swapped;
    tauschZaehlen({2, 1}, 2);
    tauschZaehlen({3, 2, 1}, 3);
    EXPECT_EQ(swapped - vorher, 4);
}
