// The console layer in a real pseudo-terminal: raw keys, echoed typed words,
// ANSI colours, UTF-8 frames, and the terminal left as it was found.
#include "pty_session.h"
#include "toolbox.h"

#include <csignal>
#include <gtest/gtest.h>

namespace {

const std::string probe = PROBE_PATH;

// The probe runs in a folder of its own, though it makes no file.
class Terminal : public ::testing::Test {
  protected:
    std::string folder() const { return folder_.path().string(); }

  private:
    toolbox::ScratchFolder folder_{"console-pty"};
};

TEST_F(Terminal, KeyActsWithoutEnterAndIsNotEchoedWhileTypedWordsAre) {
    pty::Session session(probe, folder());
    const termios before = session.attributes();
    ASSERT_TRUE(session.waitFor("Taste:"));
    session.send("q");
    ASSERT_TRUE(session.waitFor("[key 113]"));
    EXPECT_EQ(session.output().find("Taste:q"), std::string::npos) << "the key was echoed";

    ASSERT_TRUE(session.waitFor("Wort:"));
    session.send("hallo welt\r");
    ASSERT_TRUE(session.waitFor("[word hallo]"));
    EXPECT_NE(session.output().find("hallo welt"), std::string::npos) << "typed text not echoed";

    // The rest of the typed line stays for typed reads; the key comes from the terminal.
    ASSERT_TRUE(session.waitFor("Taste:"));
    session.send("\r");
    ASSERT_TRUE(session.waitFor("[key 13]")) << "Enter should arrive as CR";
    EXPECT_EQ(session.wait(), 0);
    EXPECT_TRUE(pty::sameSettings(before, session.attributes()));
}

TEST_F(Terminal, ColoursAreAnsiAndFramesAreUtf8AndTheColoursAreResetAtTheEnd) {
    pty::Session session(probe, folder());
    ASSERT_TRUE(session.waitFor("Taste:"));
    EXPECT_NE(session.output().find("\x1b[0;91;40mTaste:"), std::string::npos);
    session.send("x");
    session.send("w\r");
    ASSERT_TRUE(session.waitFor("╔═╗"));
    session.send("y");
    EXPECT_EQ(session.wait(), 0);
    const std::string& out = session.output();
    EXPECT_EQ(out.substr(out.size() - 4), "\x1b[0m");
}

// Where the terminal knows no escape sequences, the status line is drawn with carriage
// returns and blanks: a tab takes the columns to the next multiple of eight.
TEST_F(Terminal, ADumbTerminalGetsNoEscapeSequenceAndTheStatusLineInBlanks) {
    pty::Session session(probe, folder(), "", {"TERM=dumb"});
    ASSERT_TRUE(session.waitFor("Taste:"));
    session.send("x");
    session.send("w\r");
    ASSERT_TRUE(session.waitFor("Taste:"));
    session.send("y");
    EXPECT_EQ(session.wait(), 0);
    const std::string& out = session.output();
    EXPECT_EQ(out.find('\x1b'), std::string::npos) << out;
    EXPECT_NE(
        out.find("╔═╗\r\n\r\tStatus eins\r\tStatus     \r" + std::string(14, ' ') + "\rTaste:"),
        std::string::npos)
        << out;
}

TEST_F(Terminal, CtrlCDuringAKeyReadRestoresTheTerminal) {
    pty::Session session(probe, folder());
    const termios before = session.attributes();
    ASSERT_TRUE(session.waitFor("Taste:"));
    session.drain(100); // raw mode is on while the key read waits
    EXPECT_FALSE(pty::sameSettings(before, session.attributes()));
    session.send("\x03");
    EXPECT_EQ(session.wait(), 128 + SIGINT);
    EXPECT_TRUE(pty::sameSettings(before, session.attributes()));
    EXPECT_NE(session.output().find("\x1b[0m"), std::string::npos);
}

TEST_F(Terminal, CtrlDAtAKeyOrAnEmptyLineIsEndOfInput) {
    pty::Session session(probe, folder());
    ASSERT_TRUE(session.waitFor("Taste:"));
    session.send("\x04");
    ASSERT_TRUE(session.waitFor("[key -1]"));
    ASSERT_TRUE(session.waitFor("Wort:"));
    session.send("\x04");
    ASSERT_TRUE(session.waitFor("[word <end>]"));
    session.send("z");
    EXPECT_EQ(session.wait(), 0);
}

TEST_F(Terminal, SigtermRestoresTheTerminal) {
    pty::Session session(probe, folder());
    const termios before = session.attributes();
    ASSERT_TRUE(session.waitFor("Taste:"));
    session.drain(100);
    session.signal(SIGTERM);
    EXPECT_EQ(session.wait(), 128 + SIGTERM);
    EXPECT_TRUE(pty::sameSettings(before, session.attributes()));
}

} // namespace
