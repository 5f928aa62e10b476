// The program end to end: the dialogue with redirected output, byte for byte,
// and in a terminal the "still working" line and Ctrl+C.
#include "pty_session.h"
#include "toolbox.h"
#include "transcript.h"

#include <csignal>
#include <gtest/gtest.h>
#include <string>

namespace {

using transcript::lines;

const std::string kTitel = "\t\t\tQueenboard\n\n";
const std::string kDimensionen = "\tBitte Dimensionen eingeben! (Zeile, Spalte)\n";
const std::string kDamen = "\tBitte Anzahl der Damen eingeben:\n";
const std::string kFalsch = "\tZwei Zahlen von 0 bis 50, bitte!\n";
const std::string kNichtMoeglich = "nicht moeglich die Damen unter zu bringen\n";

transcript::Result starten(const std::string& eingabe) {
    return transcript::run(transcript::program("queenboard"), eingabe);
}

const std::string kVierMalVier = "\t\t+--------+\n"
                                 "\t\t| 2 D 4 2|\n"
                                 "\t\t| 4 3 3 D|\n"
                                 "\t\t| D 3 3 4|\n"
                                 "\t\t| 2 4 D 2|\n"
                                 "\t\t+--------+\n\n";

TEST(QueenboardTranscript, FourByFourBoard) {
    for (const char* eingabe : {"4 4\n4\n\n", "4,4\n4\n\n", "4, 4\n4\n\n"}) {
        const auto r = starten(eingabe);
        EXPECT_EQ(r.out, lines(kTitel + kDimensionen + kDamen + kVierMalVier)) << eingabe;
        EXPECT_EQ(r.status, 0);
    }
}

TEST(QueenboardTranscript, NoPlacement) {
    const auto r = starten("3 3\n3\n\n");
    EXPECT_EQ(r.out, lines(kTitel + kDimensionen + kDamen + kNichtMoeglich));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(starten("0 4\n1\n\n").out, lines(kTitel + kDimensionen + kDamen + kNichtMoeglich));
}

TEST(QueenboardTranscript, ZeroQueensAndAnUnreadableCount) {
    EXPECT_EQ(starten("2 3\n0\n\n").out,
              lines(kTitel + kDimensionen + kDamen +
                    "\t\t+------+\n\t\t| 0 0 0|\n\t\t| 0 0 0|\n\t\t+------+\n\n"));
    // A count that is no number keeps the one queen the program starts with.
    EXPECT_EQ(starten("2 3\nviele\n\n").out,
              lines(kTitel + kDimensionen + kDamen +
                    "\t\t+------+\n\t\t| D 1 1|\n\t\t| 1 1 0|\n\t\t+------+\n\n"));
}

TEST(QueenboardTranscript, BadDimensionsAreAskedAgain) {
    const auto r = starten("51 4\n-1 3\nzwei drei\n4 4x\n1 1\n1\n\n");
    EXPECT_EQ(r.out, lines(kTitel + kDimensionen + kFalsch + kDimensionen + kFalsch + kDimensionen +
                           kFalsch + kDimensionen + kFalsch + kDimensionen + kDamen +
                           "\t\t+--+\n\t\t| D|\n\t\t+--+\n\n"));
    EXPECT_EQ(r.status, 0);
}

TEST(QueenboardTranscript, EndOfInputEndsQuietly) {
    struct Fall {
        const char* eingabe;
        std::string ausgabe;
    };
    for (const Fall& f :
         {Fall{"", kTitel + kDimensionen},
          Fall{"99 1\n", kTitel + kDimensionen + kFalsch + kDimensionen},
          Fall{"x\n", kTitel + kDimensionen + kFalsch + kDimensionen},
          Fall{"4", kTitel + kDimensionen}, Fall{"4 4\n", kTitel + kDimensionen + kDamen},
          Fall{"1 1\n1", kTitel + kDimensionen + kDamen + "\t\t+--+\n\t\t| D|\n\t\t+--+\n\n"},
          // The final key wait simply ends, with or without a key left.
          Fall{"4 4\n4", kTitel + kDimensionen + kDamen + kVierMalVier},
          Fall{"4 4\n4\n", kTitel + kDimensionen + kDamen + kVierMalVier}}) {
        const auto r = starten(f.eingabe);
        EXPECT_EQ(r.out, lines(f.ausgabe)) << f.eingabe;
        EXPECT_EQ(r.status, 0) << f.eingabe;
        EXPECT_FALSE(r.timedOut);
        EXPECT_EQ(r.err, "") << f.eingabe;
    }
}

TEST(QueenboardTranscript, InputOfNoiseIsReadToItsEnd) {
    // No digits, so no board is ever searched: every answer is refused and asked again.
    for (unsigned seed = 1; seed <= 3; ++seed) {
        const auto r = starten(transcript::noise(seed, 20000, "abc,;- \n\t\r+"));
        EXPECT_FALSE(r.timedOut) << seed;
        EXPECT_EQ(r.status, 0) << seed;
        EXPECT_EQ(r.err, "") << seed;
        EXPECT_TRUE(r.out.ends_with(lines(kDimensionen)) || r.out.ends_with(lines(kDamen))) << seed;
    }
}

// A search of a quarter of a million nodes: the 33 x 33 board with 33 queens.
const char* const kLangeSuche = "33 33\n33\n";

// The board lines of an output: one queen in every row of a 33 x 33 board.
void einBrettMitEinerDameJeZeile(const std::string& ausgabe) {
    std::size_t zeilen = 0;
    for (std::size_t at = ausgabe.find("\t\t|"); at != std::string::npos;
         at = ausgabe.find("\t\t|", at + 1)) {
        const std::string zeile = ausgabe.substr(at, ausgabe.find('\n', at) - at);
        std::size_t damen = 0;
        for (std::size_t d = zeile.find(" D"); d != std::string::npos; d = zeile.find(" D", d + 1))
            ++damen;
        EXPECT_EQ(damen, 1u) << zeile;
        ++zeilen;
    }
    EXPECT_EQ(zeilen, 33u);
}

TEST(QueenboardTranscript, ALongSearchAddsNothingToRedirectedOutput) {
    const auto r = starten(std::string(kLangeSuche) + "\n");
    const std::string kopf = lines(kTitel + kDimensionen + kDamen) + "\t\t+" + std::string(66, '-');
    EXPECT_EQ(r.out.substr(0, kopf.size()), kopf);
    EXPECT_EQ(r.out.find("Suche"), std::string::npos);
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
    einBrettMitEinerDameJeZeile(r.out);
    EXPECT_EQ(r.status, 0);
}

// ---- In a terminal ---------------------------------------------------------------

class QueenboardTerminal : public ::testing::Test {
  protected:
    std::string ordner() const { return ordner_.path().string(); }

  private:
    toolbox::ScratchFolder ordner_{"queenboard-pty"};
};

TEST_F(QueenboardTerminal, ColouredBoard) {
    pty::Session s(transcript::program("queenboard"), ordner());
    ASSERT_TRUE(s.waitFor("(Zeile, Spalte)"));
    s.send("1 2\n");
    ASSERT_TRUE(s.waitFor("Damen eingeben:"));
    s.send("1\n");
    // Frame dark grey on dark grey, the queen red, counts light grey.
    ASSERT_TRUE(
        s.waitFor("\x1b[0;90;100m|\x1b[0;37;40m\x1b[0;91;40m D\x1b[0;37;40m\x1b[0;37;40m 1"));
    s.send("x");
    EXPECT_EQ(s.wait(), 0);
}

TEST_F(QueenboardTerminal, StillWorkingLineIsErasedBeforeTheBoard) {
    // The line shows at once, not after a second, so that it shows on every build.
    pty::Session s(transcript::program("queenboard_mit_knoepfen"), ordner(), "",
                   {"QUEENBOARD_FORTSCHRITT_AB=0"});
    ASSERT_TRUE(s.waitFor("(Zeile, Spalte)"));
    s.send(kLangeSuche);
    ASSERT_TRUE(s.waitFor("\t\t\x1b[0;90;100m+", 90000));
    s.drain(300);
    const std::string& out = s.output();
    const std::size_t brett = out.find("\t\t\x1b[0;90;100m+");
    const std::size_t status = out.rfind("Suche laeuft", brett);
    ASSERT_NE(status, std::string::npos) << "no status line";
    const std::size_t geloescht = out.find("\r\x1b[K", status);
    EXPECT_EQ(geloescht + 4, brett) << "the status line is not erased right before the board";
    einBrettMitEinerDameJeZeile(toolbox::screenText(out.substr(brett)));
    s.send("x");
    EXPECT_EQ(s.wait(), 0);
}

TEST_F(QueenboardTerminal, LongSearchShowsItIsWorkingAndCtrlCRestoresTheTerminal) {
    pty::Session s(transcript::program("queenboard"), ordner());
    ASSERT_TRUE(s.waitFor("(Zeile, Spalte)"));
    const termios vorher = s.attributes();
    // Searched for far longer than this test waits.
    s.send("50 50\n50\n");
    ASSERT_TRUE(s.waitFor("Suche laeuft", 20000));
    // How far it has come: rows whose queen is final.
    ASSERT_TRUE(s.waitFor(" von 50 Zeilen fest", 20000));
    s.send("\x03");
    EXPECT_EQ(s.wait(), 128 + SIGINT);
    EXPECT_TRUE(pty::sameSettings(vorher, s.attributes()));
}

} // namespace
