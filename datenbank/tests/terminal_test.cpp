// datenbank in a real pseudo-terminal: keys act without Enter and without echo,
// typed words are echoed, colours and frames arrive as the terminal wants them,
// and the terminal is left as it was found, also after Ctrl+C.
#include "pty_session.h"
#include "toolbox.h"
#include "transcript.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

const std::string kMenu = "\x1b[0;91;40mAdministor Ebene";

class TerminalTest : public ::testing::Test {
  protected:
    std::string ordner() const { return ordner_.path().string(); }

    // Waits until the n-th administrator menu has been drawn.
    static bool menuNumber(pty::Session& s, std::size_t n) {
        for (int tries = 0; tries < 50; ++tries) {
            if (count(s.output(), kMenu) >= n) return true;
            s.waitFor("\x1b[0;90;40m  Programm verlassen", 100);
            s.drain(20);
        }
        return false;
    }

    static std::size_t count(const std::string& text, const std::string& needle) {
        std::size_t n = 0;
        for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
            ++n;
        return n;
    }

    // The program sits in a key read once echo is off.
    static bool waitingForKey(pty::Session& s) {
        for (int tries = 0; tries < 100; ++tries) {
            if (!(s.attributes().c_lflag & ECHO)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    // Goes to the delete prompt, where a word is read in the terminal's own mode,
    // and returns the settings there; then answers it.
    static termios settingsAtTheDeletePrompt(pty::Session& s, std::size_t menus) {
        EXPECT_TRUE(waitingForKey(s));
        s.send("d");
        EXPECT_TRUE(s.waitFor("Datensatzes eingeben: \x1b[0;97;40m"));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const termios cooked = s.attributes();
        EXPECT_TRUE(cooked.c_lflag & ECHO);
        EXPECT_TRUE(cooked.c_lflag & ICANON);
        s.send("42\n");
        EXPECT_TRUE(s.waitFor("Datenbank ist leer! Loeschen nicht moeglich!"));
        EXPECT_TRUE(menuNumber(s, menus + 1));
        return cooked;
    }

    toolbox::ScratchFolder ordner_{"datenbank-pty"};
};

TEST_F(TerminalTest, KeysTypedWordsColoursFramesAndTheSettingsLeftBehind) {
    pty::Session s(transcript::program("datenbank"), ordner());
    ASSERT_TRUE(menuNumber(s, 1));
    const termios before = settingsAtTheDeletePrompt(s, 1);
    ASSERT_TRUE(s.output().find("42") != std::string::npos); // the typed word is echoed

    // A key that is no menu entry: the menu comes again at once, the key unseen.
    ASSERT_TRUE(waitingForKey(s));
    std::size_t from = s.output().size();
    s.send("x");
    ASSERT_TRUE(menuNumber(s, 3));
    EXPECT_EQ(s.output().find('x', from), std::string::npos);

    ASSERT_TRUE(waitingForKey(s));
    s.send("n");
    ASSERT_TRUE(s.waitFor("telefon  eingeben"));
    s.send("1 Anna Meier anna@x 555\n");
    ASSERT_TRUE(s.waitFor("1 Anna Meier anna@x 555"));
    ASSERT_TRUE(menuNumber(s, 4));

    ASSERT_TRUE(waitingForKey(s));
    s.send("p");
    ASSERT_TRUE(s.waitFor("weiter zum menue"));
    EXPECT_NE(s.output().find("\x1b[0;37;100m╔══════════╦"), std::string::npos);
    EXPECT_NE(s.output().find("\x1b[0;97;100m        1\x1b[0;37;100m ║"), std::string::npos);
    ASSERT_TRUE(waitingForKey(s));
    s.send("q"); // any key
    ASSERT_TRUE(menuNumber(s, 5));

    ASSERT_TRUE(waitingForKey(s));
    s.send("0");
    ASSERT_TRUE(s.waitFor("www.fhdb.test"));
    EXPECT_EQ(s.wait(), 0);
    EXPECT_NE(s.output().find("╚═══════════════╝"), std::string::npos);
    // The colours are the terminal's own again, not black on black.
    const std::string& out = s.output();
    ASSERT_GE(out.size(), 4u);
    EXPECT_EQ(out.substr(out.size() - 4), "\x1b[0m");
    EXPECT_TRUE(pty::sameSettings(before, s.attributes()));
}

// Umlauts and ß take two bytes in UTF-8 but one column on the screen: the rows of the
// listing stay as wide as its frame.
TEST_F(TerminalTest, GermanNamesKeepTheListingsFrameStraight) {
    toolbox::writeFile(ordner_ / "fh-datenbank.txt",
                       "1001 M\xC3\xBCller J\xC3\xBCrgen jm@x 555 0 -1 -1 -1 -1 \r\n"
                       "2 Wei\xC3\x9F \xC3\x96zg\xC3\xBCr \xC3\xB6@\xC3\x9F.de 0 0 -1 -1 -1 -1 \r\n"
                       "3 Ott Carla c 7 0 -1 -1 -1 -1 \r\n");
    pty::Session s(transcript::program("datenbank"), ordner());
    ASSERT_TRUE(menuNumber(s, 1));
    ASSERT_TRUE(waitingForKey(s));
    s.send("l");
    ASSERT_TRUE(s.waitFor("Datenbank eingelesen."));
    ASSERT_TRUE(menuNumber(s, 2));
    ASSERT_TRUE(waitingForKey(s));
    s.send("p");
    ASSERT_TRUE(s.waitFor("weiter zum menue"));

    // The screen lines of the table, colours taken out, counted in characters.
    const std::string text = toolbox::screenText(s.output());
    std::vector<std::size_t> breiten;
    std::istringstream zeilen(text.substr(text.find("Inhalt der Datenbank:")));
    for (std::string zeile; std::getline(zeilen, zeile);) {
        if (zeile.rfind("\u2554", 0) != 0 && zeile.rfind("\u2551", 0) != 0 &&
            zeile.rfind("\u2560", 0) != 0 && zeile.rfind("\u255A", 0) != 0)
            continue;
        std::size_t zeichen = 0;
        for (const char c : zeile) zeichen += (c & 0xC0) != 0x80;
        breiten.push_back(zeichen);
    }
    // Top line, three rows, two separators, bottom line: all as wide as the frame.
    EXPECT_EQ(breiten, std::vector<std::size_t>(7, 79));
}

TEST_F(TerminalTest, CtrlCWhileWaitingForAKeyRestoresTheTerminal) {
    pty::Session s(transcript::program("datenbank"), ordner());
    ASSERT_TRUE(menuNumber(s, 1));
    const termios before = settingsAtTheDeletePrompt(s, 1);
    ASSERT_TRUE(waitingForKey(s));
    EXPECT_FALSE(pty::sameSettings(before, s.attributes())); // raw for the key read
    s.send("\x03");
    EXPECT_EQ(s.wait(), 128 + SIGINT);
    EXPECT_TRUE(pty::sameSettings(before, s.attributes()));
}

} // namespace
