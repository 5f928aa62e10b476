// What a terminal user can ask for, against datenbank and queenboard in a pseudo-terminal:
// NO_COLOR=1 takes the colours away, TERM=dumb every escape sequence, and a locale whose
// character set is not UTF-8 the UTF-8 frames. Redirected output stays the same under
// each of them.
#include "pty_session.h"
#include "toolbox.h"
#include "transcript.h"

#include <cctype>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Zeile {
    const char* programm;
    const char* einstellung; // the one change to a colour terminal in a UTF-8 locale
    bool farben;             // colour sequences expected
    bool sequenzen;          // escape sequences of any kind expected
    const char* ecke;        // the top-left corner of the listing or the board
};

void PrintTo(const Zeile& z, std::ostream* os) {
    *os << z.programm << " " << z.einstellung;
}

const Zeile kZeilen[] = {
    {"datenbank", "NO_COLOR=1", false, false, "╔"},
    {"datenbank", "TERM=dumb", false, false, "╔"},
    {"datenbank", "LC_ALL=C", true, true, "+"},
    // The status line of a long search still erases with an escape sequence.
    {"queenboard", "NO_COLOR=1", false, true, "+"},
    {"queenboard", "TERM=dumb", false, false, "+"},
    {"queenboard", "LC_ALL=C", true, true, "+"},
};

// Two bytes in UTF-8, one column on the screen.
const std::string kDeutscheNamen = "1001 M\xC3\xBCller J\xC3\xBCrgen jm@x 555 0 -1 -1 -1 -1 \r\n"
                                   "3 Ott Carla c 7 0 -1 -1 -1 -1 \r\n";

// The program sits in a key read once echo is off.
bool wartetAufTaste(pty::Session& s) {
    for (int versuch = 0; versuch < 100; ++versuch) {
        if (!(s.attributes().c_lflag & ECHO)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

class TerminalConventions : public testing::TestWithParam<Zeile> {
  protected:
    pty::Session starten() const {
        return pty::Session(transcript::program(GetParam().programm), ordner_.path().string(), "",
                            {GetParam().einstellung});
    }

    // Loads two students, lists them, quits: the listing and the logo box. Each key goes
    // in once the screen before it is there and the program reads a key.
    std::string datenbankAusgabe() const {
        toolbox::writeFile(ordner_ / "fh-datenbank.txt", kDeutscheNamen);
        pty::Session s = starten();
        const std::pair<const char*, const char*> schritte[] = {{"Programm verlassen", "l"},
                                                                {"Programm verlassen", "p"},
                                                                {"weiter zum menue", "q"},
                                                                {"Programm verlassen", "0"}};
        for (const auto& [bildschirm, taste] : schritte) {
            EXPECT_TRUE(s.waitFor(bildschirm)) << taste;
            EXPECT_TRUE(wartetAufTaste(s)) << taste;
            s.send(taste);
        }
        EXPECT_EQ(s.wait(), 0);
        return s.output();
    }

    // A small board, then a long search until its status line has changed once.
    std::string queenboardAusgabe() const {
        pty::Session brett = starten();
        EXPECT_TRUE(brett.waitFor("(Zeile, Spalte)"));
        brett.send("1 2\n1\n");
        EXPECT_TRUE(brett.waitFor("+----+"));
        EXPECT_TRUE(brett.waitFor("+----+"));
        brett.send("x");
        EXPECT_EQ(brett.wait(), 0);

        pty::Session suche = starten();
        EXPECT_TRUE(suche.waitFor("(Zeile, Spalte)"));
        suche.send("50 50\n50\n");
        EXPECT_TRUE(suche.waitFor("Suche laeuft", 20000));
        EXPECT_TRUE(suche.waitFor("\r\tSuche laeuft", 20000));
        suche.send("\x03");
        EXPECT_EQ(suche.wait(), 128 + SIGINT);
        return brett.output() + suche.output();
    }

  private:
    toolbox::ScratchFolder ordner_{"conventions-pty"};
};

// The lines of the listing, counted in characters where its frame is UTF-8 and in bytes
// where it is ASCII, as the terminal of that character set shows them.
std::vector<std::size_t> listingBreiten(const std::string& text, bool utf8) {
    std::vector<std::size_t> breiten;
    std::istringstream zeilen(text.substr(text.find("Inhalt der Datenbank:")));
    for (std::string zeile; std::getline(zeilen, zeile);) {
        const char* anfaenge[] = {"╔", "║", "╠", "╚", "+", "|"};
        bool rahmen = false;
        for (const char* anfang : anfaenge) rahmen = rahmen || zeile.starts_with(anfang);
        if (!rahmen) continue;
        std::size_t breite = 0;
        for (const char c : zeile) breite += !utf8 || (c & 0xC0) != 0x80;
        breiten.push_back(breite);
    }
    return breiten;
}

TEST_P(TerminalConventions, ColoursEscapesAndFramesAsTheTerminalAsks) {
    const Zeile& z = GetParam();
    const bool datenbank = std::string(z.programm) == "datenbank";
    const std::string out = datenbank ? datenbankAusgabe() : queenboardAusgabe();

    EXPECT_EQ(out.find("\x1b[0;") != std::string::npos, z.farben) << out;
    EXPECT_EQ(out.find('\x1b') != std::string::npos, z.sequenzen) << out;
    const std::string text = toolbox::screenText(out);
    if (datenbank) {
        const bool utf8 = std::string(z.ecke) != "+";
        // Top line, two rows, one separator, bottom line: all as wide as the frame.
        EXPECT_EQ(listingBreiten(text, utf8), std::vector<std::size_t>(5, 79)) << text;
        EXPECT_NE(text.find(utf8 ? "╚═══════════════╝" : "+===============+"), std::string::npos)
            << "the logo box";
    } else {
        EXPECT_NE(text.find("\t\t" + std::string(z.ecke) + "----+\n\t\t| D 1|"), std::string::npos)
            << text;
    }
}

INSTANTIATE_TEST_SUITE_P(DatenbankAndQueenboard, TerminalConventions, testing::ValuesIn(kZeilen),
                         [](const auto& info) {
                             std::string name = std::string(info.param.programm) + "_";
                             for (const char c : std::string(info.param.einstellung))
                                 if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                             return name;
                         });

// A file or a pipe gets the same bytes, code page 437 frames included, whatever the
// terminal settings say.
TEST(TerminalConventionsTranscript, RedirectedOutputIsTheSameUnderEverySetting) {
    struct Lauf {
        const char* programm;
        const char* eingabe;
        const char* rahmen; // a piece of its frame as the file gets it
    };
    for (const Lauf& lauf : {Lauf{"datenbank", "lp\r0", "\xC9\xCD\xCD"},
                             Lauf{"queenboard", "1 2\n1\n\n", "\t\t+----+"}}) {
        const auto mit = [&](const std::string& einstellung) {
            transcript::Options optionen;
            optionen.files = {{"fh-datenbank.txt", kDeutscheNamen}};
            optionen.environment = {"TERM=xterm", "LC_ALL=C.UTF-8", "NO_COLOR", einstellung};
            return transcript::run(transcript::program(lauf.programm), lauf.eingabe, optionen).out;
        };
        const std::string ueblich = mit("NO_COLOR");
        EXPECT_NE(ueblich.find(lauf.rahmen), std::string::npos) << ueblich;
        for (const char* einstellung : {"NO_COLOR=1", "TERM=dumb", "LC_ALL=C"})
            EXPECT_EQ(mit(einstellung), ueblich) << lauf.programm << " " << einstellung;
    }
}

} // namespace
