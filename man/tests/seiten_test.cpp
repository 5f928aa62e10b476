// The manual pages of the seven programs, as the build fills them in: they render without
// a warning, are ASCII (umlauts as groff escapes, so they show right in any locale), have
// their sections in order, name in DATEIEN the files --help names, and point to the other
// six.
#include "toolbox.h"
#include "transcript.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kProgramme = {"datenbank",   "queenboard", "labyrinth",  "linkdemo",
                                             "numbermaker", "sorttimer",  "sortcounter"};

const char* const kAbschnitte[] = {".SH NAME",      ".SH \\(:UBERSICHT", ".SH BESCHREIBUNG",
                                   ".SH BEDIENUNG", ".SH DATEIEN",       ".SH EXIT-STATUS",
                                   ".SH BEISPIELE", ".SH \"SIEHE AUCH\""};

const char* const kDateien[] = {"fh-datenbank.txt", "labyrint.def", "tosort.txt", "sorted.txt"};

std::string seitePfad(const std::string& programm) {
    return std::string(MAN_DIR) + "/" + programm + ".1";
}

// The text of the section that starts with `kopf`, up to the next one, with "\-" as "-".
std::string abschnitt(const std::string& seite, const std::string& kopf) {
    const std::size_t anfang = seite.find(kopf + "\n");
    if (anfang == std::string::npos) return "";
    std::string text = seite.substr(anfang, seite.find("\n.SH ", anfang + 1) - anfang);
    for (std::size_t at = text.find("\\-"); at != std::string::npos; at = text.find("\\-", at))
        text.erase(at, 1);
    return text;
}

std::vector<std::string> genannteDateien(const std::string& text) {
    std::vector<std::string> genannt;
    for (const char* datei : kDateien)
        if (text.find(datei) != std::string::npos) genannt.push_back(datei);
    return genannt;
}

class ManualPage : public testing::TestWithParam<std::string> {};

TEST_P(ManualPage, RendersWithoutWarningIsAsciiAndHasEverySection) {
    const std::string seite = toolbox::readFile(seitePfad(GetParam()));
    ASSERT_FALSE(seite.empty()) << seitePfad(GetParam());
    EXPECT_TRUE(std::all_of(seite.begin(), seite.end(),
                            [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
    std::size_t bisher = 0;
    for (const char* kopf : kAbschnitte) {
        const std::size_t at = seite.find(std::string("\n") + kopf + "\n");
        EXPECT_NE(at, std::string::npos) << kopf;
        if (at == std::string::npos) continue;
        EXPECT_GT(at, bisher) << kopf << " out of order";
        bisher = at;
    }

    if (std::string(GROFF).empty()) GTEST_SKIP() << "groff not found when configured";
    transcript::Options optionen;
    optionen.arguments = {"-man", "-ww", "-z", seitePfad(GetParam())};
    const auto lauf = transcript::run(GROFF, "", optionen);
    EXPECT_EQ(lauf.status, 0);
    EXPECT_EQ(lauf.err, "");
}

TEST_P(ManualPage, NamesTheFilesOfHelpAndTheOtherSixPrograms) {
    const std::string seite = toolbox::readFile(seitePfad(GetParam()));
    transcript::Options optionen;
    optionen.arguments = {"--help"};
    const auto hilfe = transcript::run(transcript::program(GetParam()), "", optionen);
    EXPECT_EQ(genannteDateien(abschnitt(seite, ".SH DATEIEN")), genannteDateien(hilfe.out))
        << hilfe.out;

    const std::string siehe = abschnitt(seite, ".SH \"SIEHE AUCH\"");
    for (const std::string& programm : kProgramme) {
        const bool genannt = siehe.find(".BR " + programm + " (1)") != std::string::npos;
        EXPECT_EQ(genannt, programm != GetParam()) << programm;
    }
}

INSTANTIATE_TEST_SUITE_P(AllPrograms, ManualPage, testing::ValuesIn(kProgramme),
                         [](const auto& info) { return info.param; });

} // namespace
