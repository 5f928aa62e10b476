// The program end to end: its dialogues with redirected output, byte for byte, the end
// of input at every wait, and the colours in a terminal.
#include "console_intern.h"
#include "pty_session.h"
#include "toolbox.h"
#include "transcript.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using transcript::lines;

// What the program shows, with the line ends of the platform under test.
const std::string kTitel = lines("\n\t\t\tLabyrinth\n\n");
const std::string kFrage = lines("\tWie gross soll das Labyrinth werden? (zeile,spalte)\n");
const std::string kDimension =
    lines("\tDie Dimensionen wurden falsch eingegeben!\n Bitte erneute Eingabe!\n\n");
const std::string kKeineDatei = lines("\tFehler beim Oeffnen der Datei labyrint.def!\n");
const std::string kNurNullUndEins =
    lines("\tIn der Datei labyrint.def sind nur die Ziffern 0 und 1 erlaubt!\n");
const std::string kEingelesen = lines("\tDatei \"labyrint.def\" erfolgreich eingelesen.\n");
const std::string kStart = lines("\t\tSuche mit Enter beginnen\n\n");
const std::string kVerlaufen =
    lines("\tIch hab mich verlaufen und kann leider keinen Weg hinaus finden\n");
const std::string kGefunden = lines("\t\tWeg gefunden:\n");
const std::string kBeispielBild =
    lines("\t\t+----+\n\t\t|0100|\n\t\t|0001|\n\t\t|1100|\n\t\t+----+\n\n");
const std::string kBeispielWeg =
    lines("\t\t+----+\n\t\t|o100|\n\t\t|ooo1|\n\t\t|11oo|\n\t\t+----+\n\n");
// The whole run on the example file once its size has been read.
const std::string kBeispielLauf = kEingelesen + kBeispielBild + kStart + kGefunden + kBeispielWeg;
// The maze files as typed in, byte for byte.
const std::string kBeispielDatei = "0100\n0001\n1100\n";
const std::string kVierMalVier = "0011\n1001\n1101\n1100\n";

transcript::Result starten(const std::string& eingabe, const transcript::Files& dateien) {
    transcript::Options optionen;
    optionen.files = dateien;
    optionen.timeoutSeconds = 30;
    auto r = transcript::run(transcript::program("labyrinth"), eingabe, optionen);
    EXPECT_FALSE(r.timedOut) << eingabe;
    EXPECT_EQ(r.err, "") << eingabe;
    return r;
}

int anzahl(const std::string& text, const std::string& teil) {
    int n = 0;
    for (auto pos = text.find(teil); pos != std::string::npos; pos = text.find(teil, pos + 1)) ++n;
    return n;
}

std::string mal(int n, const std::string& text) {
    std::string out;
    for (int i = 0; i < n; ++i) out += text;
    return out;
}

// ---------------------------------------------------------------- dialogues

struct Dialog {
    const char* name;
    const char* eingabe;
    const char* datei; // labyrint.def, or none
    std::string ausgabe;
};

void PrintTo(const Dialog& d, std::ostream* os) {
    *os << d.name;
}

class LabyrinthTranscript : public testing::TestWithParam<Dialog> {};

// Every dialogue ends with status 0 and leaves the folder as it was.
TEST_P(LabyrinthTranscript, Dialog) {
    const Dialog& d = GetParam();
    transcript::Files dateien;
    if (d.datei) dateien["labyrint.def"] = d.datei;
    const auto r = starten(d.eingabe, dateien);
    EXPECT_EQ(r.out, d.ausgabe);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.files, dateien);
}

const Dialog kDialoge[] = {
    {"SmallExample", "3 4\n\n", kBeispielDatei.c_str(), kTitel + kFrage + kBeispielLauf},
    {"NoWayOutIsReported", "3,4\n\n", "0100\n0001\n1110\n",
     kTitel + kFrage + kEingelesen +
         lines("\t\t+----+\n\t\t|0100|\n\t\t|0001|\n\t\t|1110|\n\t\t+----+\n\n") + kStart +
         kVerlaufen},
    {"CommaAndSpaceBetweenTheSizes", "3, 4\n\n", kBeispielDatei.c_str(),
     kTitel + kFrage + kBeispielLauf},
    {"WrongSizeIsAskedAgain", "2 2\n3 4\n\n", kBeispielDatei.c_str(),
     kTitel + kFrage + kDimension + kFrage + kBeispielLauf},
    {"SizesWithoutTwelveCellsDoNotFitTheExampleFile", "3 3\n4 4\n1 11\n2 5\n13 1\n",
     kBeispielDatei.c_str(), kTitel + mal(5, kFrage + kDimension) + kFrage},
    // "4" waits for its second number and meets the end of input.
    {"BadSizeInputIsRefused", "abc\n0 5\n51 1\n-3 4\n4\n", kBeispielDatei.c_str(),
     kTitel + mal(4, kFrage + kDimension) + kFrage},
    {"WhiteSpaceInTheFileIsOptional", "3 4\n\n", " 0 1 0 0\r\n\t0001 11\n00  \n\n  \n",
     kTitel + kFrage + kBeispielLauf},
    {"NothingButWhiteSpaceMayFollowTheLastCell", "3 4\n", "0100\n0001\n1100\n0\n",
     kTitel + kFrage + kDimension + kFrage},
    {"MissingFileIsReportedAndAskedAgain", "3 4\n", nullptr,
     kTitel + kFrage + kKeineDatei + kFrage},
    {"LetterInTheFileFailsAtEverySize", "3 4\n1 11\n1 5\n1 12\n", "0100\n0x01\n1100\n",
     kTitel + mal(4, kFrage + kDimension) + kFrage},
    {"DigitTwoIsRefused", "3 4\n", "0100\n0201\n1100\n",
     kTitel + kFrage + kNurNullUndEins + kFrage},
    {"DigitNineIsRefused", "3 4\n", "0100\n0001\n1109\n",
     kTitel + kFrage + kNurNullUndEins + kFrage},
    // End of input at a question ends the program at once; at the key before the search
    // the search still runs and answers.
    {"EndOfInputAtTheSizeQuestion", "", kBeispielDatei.c_str(), kTitel + kFrage},
    {"EndOfInputAtTheSizeQuestionFourByFour", "", kVierMalVier.c_str(), kTitel + kFrage},
    {"EndOfInputAfterASizeOutOfRange", "0,4\n", kVierMalVier.c_str(),
     kTitel + kFrage + kDimension + kFrage},
    {"EndOfInputAfterAMissingFile", "4,4\n", nullptr, kTitel + kFrage + kKeineDatei + kFrage},
    {"EndOfInputAtTheKeyBeforeTheSearch", "3 4", kBeispielDatei.c_str(),
     kTitel + kFrage + kBeispielLauf},
    {"EndOfInputAtTheKeysBeforeAndAfterTheSearchFourByFour", "4,4", kVierMalVier.c_str(),
     kTitel + kFrage + kEingelesen +
         lines("\t\t+----+\n\t\t|0011|\n\t\t|1001|\n\t\t|1101|\n\t\t|1100|\n\t\t+----+\n\n") +
         kStart + kGefunden +
         lines("\t\t+----+\n\t\t|oo11|\n\t\t|1oo1|\n\t\t|11o1|\n\t\t|11oo|\n\t\t+----+\n\n")},
};

INSTANTIATE_TEST_SUITE_P(Dialogues, LabyrinthTranscript, testing::ValuesIn(kDialoge),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LabyrinthTranscript, OnlySizesWithTwelveCellsFitTheExampleFile) {
    for (const char* passt : {"3 4", "4 3", "2 6", "6 2", "1 12", "12 1"}) {
        const auto r = starten(std::string(passt) + "\n\n", {{"labyrint.def", kBeispielDatei}});
        EXPECT_EQ(anzahl(r.out, kEingelesen), 1) << passt;
        EXPECT_EQ(anzahl(r.out, kDimension), 0) << passt;
        EXPECT_EQ(anzahl(r.out, "Weg gefunden") + anzahl(r.out, kVerlaufen), 1) << passt;
    }
}

TEST(LabyrinthTranscript, SampleFileIsSolvableAtTenByTwenty) {
    const std::string inhalt = toolbox::readFile(std::string(SAMPLES_DIR) + "/labyrint.def");
    ASSERT_FALSE(inhalt.empty());
    const auto r = starten("10 20\n\n", {{"labyrint.def", inhalt}});
    EXPECT_EQ(anzahl(r.out, kEingelesen), 1);
    EXPECT_EQ(anzahl(r.out, kGefunden), 1);
}

TEST(NoiseLabyrinth, EndsWhenTheInputEnds) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        const auto r = starten(transcript::noise(seed, 20000, "0123456789,x- \n"),
                               {{"labyrint.def", kVierMalVier}});
        EXPECT_EQ(r.status, 0);
    }
}

// ---------------------------------------------------------------- in a terminal

TEST(LabyrinthTerminal, OneKeyStartsTheSearchAndTheCellsShowInColour) {
    const toolbox::ScratchFolder ordner("labyrinth-pty");
    toolbox::writeFile(ordner / "labyrint.def", kBeispielDatei);
    {
        pty::Session sitzung(transcript::program("labyrinth"), ordner.path().string());
        ASSERT_TRUE(sitzung.waitFor("(zeile,spalte)"));
        sitzung.send("3 4\r");
        ASSERT_TRUE(sitzung.waitFor("Suche mit Enter beginnen"));
        sitzung.send(" "); // any key, without Enter
        ASSERT_TRUE(sitzung.waitFor("Weg gefunden:"));
        sitzung.drain();
        sitzung.send(" ");
        EXPECT_EQ(sitzung.wait(), 0);
        const std::string& bild = sitzung.output();
        // The attributes by number, so a changed colour name shows here too.
        EXPECT_NE(bild.find(console::ansiSequence(12) + "Labyrinth"), std::string::npos);
        EXPECT_NE(bild.find(console::ansiSequence(252) + "o"), std::string::npos);
        EXPECT_NE(bild.find(console::ansiSequence(255) + "0"), std::string::npos);
        EXPECT_NE(bild.find(console::ansiSequence(119) + "1"), std::string::npos);
        EXPECT_NE(bild.find(console::ansiSequence(136) + "+----+"), std::string::npos);
    }
}

} // namespace
