// End to end: the three programs run in a fresh folder with the given files; standard
// input ends at once unless a key is given, so the final key wait just ends.
#include "transcript.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;
using transcript::lines;

using Vorbereitung = std::function<void(const std::filesystem::path&)>;

transcript::Result starten(const std::string& name, const transcript::Files& dateien = {},
                           const Vorbereitung& vorbereitung = {}, const std::string& tasten = "") {
    auto r = transcript::run(transcript::program(name), tasten,
                             {.files = dateien, .prepare = vorbereitung, .timeoutSeconds = 30});
    EXPECT_FALSE(r.timedOut) << name;
    EXPECT_EQ(r.err, "") << name;
    return r;
}

void ordnerAnlegen(const std::filesystem::path& ordner, const char* name) {
    std::filesystem::create_directory(ordner / name);
}

std::string tosort(int anzahl, const std::vector<int>& werte) {
    std::string text = std::to_string(anzahl) + "\n\n";
    for (int w : werte) text += std::to_string(w) + "\n";
    return lines(text);
}

std::vector<long long> zahlenIn(const std::string& text) {
    std::istringstream strom(text);
    std::vector<long long> werte;
    for (long long w; strom >> w;) werte.push_back(w);
    return werte;
}

std::string einProZeile(const std::vector<int>& werte) {
    std::string text;
    for (int w : werte) text += std::to_string(w) + "\n";
    return lines(text);
}

// A directory named tosort.txt: POSIX opens it and fails the read, Windows refuses to open it.
std::string unlesbarMeldung() {
    return transcript::windows() ? lines("Fehler beim Oeffnen der Datei tosort.txt!\n")
                                 : lines("Fehler beim Lesen der Datei tosort.txt!\n");
}

std::string zaehler(long long anzahl) {
    return lines("\n " + std::to_string(anzahl) + " mal unterprogramm aufgerufen\n");
}

// The four timing lines: whole seconds with six zero decimals.
const std::string kBericht = lines("Einlesen: \\d+\\.000000 sec\n"
                                   "Sortieren: \\d+\\.000000 sec\n"
                                   "Schreiben: \\d+\\.000000 sec\n"
                                   "Insgesammt: \\d+\\.000000 sec\n");

// numbermaker's file, made once per test run.
const std::string& zufallsdatei() {
    static const std::string datei = starten("numbermaker").files["tosort.txt"];
    return datei;
}

std::vector<int> absteigend(int von, int anzahl) {
    std::vector<int> werte;
    for (int i = 0; i < anzahl; i++) werte.push_back(von - i);
    return werte;
}

} // namespace

TEST(NumbermakerTranscript, TwoRunsWriteTheSameWellFormedFile) {
    const auto erster = starten("numbermaker");
    const auto zweiter = starten("numbermaker");
    EXPECT_EQ(erster.status, 0);
    EXPECT_EQ(erster.out, "");
    const std::string& datei = erster.files.at("tosort.txt");
    EXPECT_EQ(datei, zweiter.files.at("tosort.txt"));

    ASSERT_EQ(datei.rfind(lines("10000\n\n"), 0), 0u);
    EXPECT_EQ(std::count(datei.begin(), datei.end(), '\n'), 10002);
    const std::vector<long long> werte = zahlenIn(datei);
    ASSERT_EQ(werte.size(), 10001u);
    // The largest value rand() can give: the Windows C library's is 32767.
    const long long randMax = transcript::windows() ? 32767 : RAND_MAX;
    EXPECT_TRUE(std::all_of(werte.begin() + 1, werte.end(),
                            [randMax](long long w) { return w >= 0 && w <= randMax; }));
    // A generator stuck on one value would pass the range check.
    EXPECT_NE(*std::min_element(werte.begin() + 1, werte.end()),
              *std::max_element(werte.begin() + 1, werte.end()));
}

TEST(NumbermakerTranscript, ReplacesAnExistingFileCompletely) {
    const auto lauf = starten("numbermaker", {{"tosort.txt", std::string(200000, '7')}});
    EXPECT_EQ(lauf.status, 0);
    EXPECT_EQ(lauf.files.at("tosort.txt"), zufallsdatei());
}

TEST(NumbermakerTranscript, AFileThatCannotBeWrittenGivesStatusOne) {
    const auto lauf = starten("numbermaker", {}, [](auto& o) { ordnerAnlegen(o, "tosort.txt"); });
    EXPECT_EQ(lauf.status, 1);
    EXPECT_EQ(lauf.out, "");
}

TEST(SortcounterTranscript, CountsTheExchangesOfSmallInputs) {
    struct Fall {
        const char* name;
        std::string datei;
        long long erwartet;
    };
    const Fall faelle[] = {
        {"worked case", tosort(3, {3, 1, 2}), 2},
        {"sorted", tosort(5, {-2, 0, 0, 4, 9}), 0},
        {"reversed", tosort(50, absteigend(25, 50)), 1225},
        {"equal", tosort(20, std::vector<int>(20, 7)), 0},
        {"count 0", tosort(0, {3, 2, 1}), 0},
        {"count 1", tosort(1, {3, 2, 1}), 0},
        {"count below zero", tosort(-4, {3, 2, 1}), 0},
        {"count larger than values", tosort(10, {3, 1, 2}), 2},
        {"only part counted", tosort(2, {3, 1, 2}), 1},
        {"non-integer ends reading", lines("5\n\n3\n1\nzwei\n0\n"), 1},
        {"empty file", "", 0},
    };
    for (const Fall& fall : faelle) {
        const auto lauf = starten("sortcounter", {{"tosort.txt", fall.datei}});
        EXPECT_EQ(lauf.out, zaehler(fall.erwartet)) << fall.name;
        EXPECT_EQ(lauf.status, 0) << fall.name;
    }
}

TEST(SortcounterTranscript, CountIsTheInversionsOfNumbermakersFile) {
    const std::vector<long long> werte = zahlenIn(zufallsdatei());
    long long inversionen = 0;
    for (std::size_t j = 1; j < werte.size(); j++)
        for (std::size_t k = j + 1; k < werte.size(); k++) inversionen += werte[j] > werte[k];

    const auto lauf = starten("sortcounter", {{"tosort.txt", zufallsdatei()}});
    EXPECT_EQ(lauf.out, zaehler(inversionen));
    EXPECT_EQ(lauf.status, 0);
}

TEST(SortcounterTranscript, MoreThanTenThousandValuesSortOnlyTheBuffer) {
    // The count and the values both exceed the buffer: the first 10000 are sorted.
    const auto lauf =
        starten("sortcounter", {{"tosort.txt", tosort(10005, absteigend(10005, 10005))}});
    EXPECT_EQ(lauf.out, zaehler(49995000));
    EXPECT_EQ(lauf.status, 0);
}

TEST(SorttimerTranscript, SortsNumbermakersFileIntoSortedTxt) {
    const auto lauf = starten("sorttimer", {{"tosort.txt", zufallsdatei()}});
    EXPECT_TRUE(std::regex_match(lauf.out, std::regex(kBericht))) << lauf.out;
    EXPECT_EQ(lauf.status, 0);

    std::vector<long long> werte = zahlenIn(zufallsdatei());
    ASSERT_EQ(werte.size(), 10001u);
    werte.erase(werte.begin());
    std::sort(werte.begin(), werte.end());
    std::string erwartet;
    for (long long w : werte) erwartet += std::to_string(w) + "\n";
    EXPECT_EQ(lauf.files.at("sorted.txt"), lines(erwartet));
}

TEST(SorttimerTranscript, WritesTheSortedPartOfSmallInputs) {
    struct Fall {
        const char* name;
        std::string datei;
        std::vector<int> sortiert;
    };
    const Fall faelle[] = {
        {"sorted", tosort(4, {-2, 0, 0, 9}), {-2, 0, 0, 9}},
        {"reversed", tosort(4, {9, 0, 0, -2}), {-2, 0, 0, 9}},
        {"equal", tosort(3, {7, 7, 7}), {7, 7, 7}},
        {"count 0", tosort(0, {3, 2, 1}), {}},
        {"count 1", tosort(1, {3, 2, 1}), {3}},
        {"count below zero", tosort(-4, {3, 2, 1}), {}},
        {"count larger than values", tosort(10, {3, 1, 2}), {1, 2, 3}},
        {"only part sorted", tosort(2, {3, 1, 2}), {1, 3}},
        {"non-integer ends reading", lines("5\n\n3\n1\n2x\n0\n"), {1, 3}},
        {"five values", "5\n\n3\n1\n2\n5\n4\n", {1, 2, 3, 4, 5}},
        // Found by fuzzing: a NUL byte ends no token, so "1\0" is no integer and ends the
        // reading; leading zeros make no integer too long.
        {"NUL inside a token", "3\n\n3 1\0 2\n"s, {3}},
        {"leading zeros", "3\n\n3 000000000000000000001 2\n", {1, 2, 3}},
    };
    for (const Fall& fall : faelle) {
        const auto lauf =
            starten("sorttimer", {{"tosort.txt", fall.datei}, {"sorted.txt", "alter Inhalt\n"}});
        EXPECT_TRUE(std::regex_match(lauf.out, std::regex(kBericht))) << fall.name << lauf.out;
        EXPECT_EQ(lauf.files.at("sorted.txt"), einProZeile(fall.sortiert)) << fall.name;
        EXPECT_EQ(lauf.status, 0) << fall.name;
    }
}

// Without "tosort.txt" to read nothing is sorted and nothing written; the wait after the
// message just ends.
struct OhneEingabe {
    const char* name;
    const char* programm;
    bool alsOrdner; // tosort.txt a directory instead of missing
    transcript::Files dateien;
};

void PrintTo(const OhneEingabe& f, std::ostream* os) {
    *os << f.name;
}

class TosortTranscript : public testing::TestWithParam<OhneEingabe> {};

TEST_P(TosortTranscript, MissingOrUnreadableInputIsReported) {
    const OhneEingabe& f = GetParam();
    const auto lauf = starten(f.programm, f.dateien, [&f](auto& o) {
        if (f.alsOrdner) ordnerAnlegen(o, "tosort.txt");
    });
    EXPECT_EQ(lauf.out, f.alsOrdner ? unlesbarMeldung()
                                    : lines("Fehler beim Oeffnen der Datei tosort.txt!\n"));
    EXPECT_EQ(lauf.status, 1);
    EXPECT_EQ(lauf.files, f.dateien);
}

const transcript::Files kAlteSortierung = {{"sorted.txt", "alter Inhalt\n"}};

INSTANTIATE_TEST_SUITE_P(
    Faelle, TosortTranscript,
    testing::Values(
        OhneEingabe{"SortcounterMissing", "sortcounter", false, {}},
        OhneEingabe{"SortcounterDirectory", "sortcounter", true, {}},
        OhneEingabe{"SorttimerMissing", "sorttimer", false, {}},
        OhneEingabe{"SorttimerMissingSortedTxtLeftAlone", "sorttimer", false, kAlteSortierung},
        OhneEingabe{"SorttimerDirectorySortedTxtLeftAlone", "sorttimer", true, kAlteSortierung}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SorttimerTranscript, SortedTxtThatCannotBeWrittenIsReported) {
    const auto lauf = starten("sorttimer", {{"tosort.txt", tosort(3, {3, 1, 2})}},
                              [](auto& o) { ordnerAnlegen(o, "sorted.txt"); });
    const std::string erwartet =
        kBericht + lines("Fehler beim Schreiben der Datei sorted\\.txt!\n");
    EXPECT_TRUE(std::regex_match(lauf.out, std::regex(erwartet))) << lauf.out;
    EXPECT_NE(lauf.out.find(lines("Schreiben: 0.000000 sec\n")), std::string::npos);
    EXPECT_EQ(lauf.status, 1);
}

TEST(SorttimerTranscript, AFailedWriteIsReportedToo) {
    // Opening succeeds, every write fails: the failure shows at the latest when closing.
    if (transcript::windows()) GTEST_SKIP() << "Windows has no device whose every write fails";
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "needs /dev/full";
    const auto lauf = starten("sorttimer", {{"tosort.txt", tosort(3, {3, 1, 2})}}, [](auto& o) {
        std::filesystem::create_symlink("/dev/full", o / "sorted.txt");
    });
    const std::string erwartet =
        kBericht + lines("Fehler beim Schreiben der Datei sorted\\.txt!\n");
    EXPECT_TRUE(std::regex_match(lauf.out, std::regex(erwartet))) << lauf.out;
    EXPECT_EQ(lauf.status, 1);
}

TEST(EndOfInputSorting, SortcountersKeyWaitJustEnds) {
    const transcript::Files tosort = {{"tosort.txt", "5\n\n3\n1\n2\n5\n4\n"}};
    const auto ohneTaste = starten("sortcounter", tosort);
    const auto mitTaste = starten("sortcounter", tosort, {}, "\r");
    EXPECT_EQ(ohneTaste.status, 0);
    EXPECT_EQ(ohneTaste.out, mitTaste.out);
    EXPECT_TRUE(
        std::regex_match(ohneTaste.out, std::regex("\n [0-9]+ mal unterprogramm aufgerufen\n")))
        << ohneTaste.out;
}
