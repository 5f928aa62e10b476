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

} // namespace

TEST(SwapCount, WorkedCaseThreeOneTwoGivesTwo) {
    EXPECT_EQ(tauschZaehlen({3, 1, 2}, 3), 2);
}

TEST(SwapCount, SortedAndEqualInputNeedNoExchange) {
    std::vector<int> sortiert(500);
    std::iota(sortiert.begin(), sortiert.end(), -250);
    EXPECT_EQ(tauschZaehlen(sortiert, 500), 0);
    EXPECT_EQ(tauschZaehlen(std::vector<int>(500, 7), 500), 0);
}

TEST(SwapCount, DescendingInputExchangesEveryPair) {
    std::vector<int> werte(10000);
    std::iota(werte.rbegin(), werte.rend(), 0);
    EXPECT_EQ(tauschZaehlen(werte, 10000), 49995000);
}

TEST(SwapCount, CountsOfOneOrLessExchangeNothing) {
    for (int n : {1, 0, -1}) EXPECT_EQ(tauschZaehlen({3, 2, 1}, n), 0) << n;
}

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
