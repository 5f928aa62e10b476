// datenbank.exe on Wine's console in a pseudo-terminal, the way a Windows console
// user meets it: a key acts without Enter, the hot keys show in their colour (Wine
// turns the console attributes into escape sequences), and the terminal is left as
// it was found.
#include "pty_session.h"
#include "toolbox.h"
#include "transcript.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace {

// The output without the sequences that only move, hide or show the cursor (Wine hides
// and shows it around every character); colour sequences stay.
std::string withColours(const std::string& bytes) {
    static const std::regex cursor("\x1b\\[[0-9;?]*[A-Za-ln-z]");
    return std::regex_replace(bytes, cursor, "");
}

// Reads until the plain text shows `text` for the n-th time.
bool shows(pty::Session& s, const std::string& text, std::size_t n = 1) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < deadline) {
        const std::string plain = toolbox::withoutColours(s.output());
        std::size_t found = 0;
        for (auto at = plain.find(text); at != std::string::npos; at = plain.find(text, at + 1))
            ++found;
        if (found >= n) return true;
        s.drain(100);
    }
    return false;
}

TEST(WindowsConsole, KeysWithoutEnterHotKeysInRedAndTheTerminalLeftAsFound) {
    const char* launcher = std::getenv("TRANSCRIPT_LAUNCHER");
    if (!launcher || !transcript::windows())
        GTEST_SKIP() << "needs the .exe files under Wine: tests/windows/run-tests.sh sets "
                        "TRANSCRIPT_LAUNCHER and TRANSCRIPT_SUFFIX=.exe";
    const toolbox::ScratchFolder folder("windows-console");
    {
        pty::Session s(transcript::program("datenbank"), folder.path().string(), launcher);
        ASSERT_TRUE(shows(s, "Programm verlassen")) << s.output();
        // Wine's console echoes what is typed before the program reads its key, so the key
        // goes in once the program has surely reached its read.
        s.drain(1000);
        const std::size_t menuEnd = s.output().size();

        s.send("b"); // no Enter
        ASSERT_TRUE(shows(s, "zurueck")) << s.output();
        const std::string user = withColours(s.output().substr(menuEnd));
        const std::size_t heading = user.find("Benutzer Ebene");
        ASSERT_NE(heading, std::string::npos) << user;
        EXPECT_EQ(user.substr(0, heading).find('b'), std::string::npos) << "echoed: " << user;
        // Attribute 4 (red) is SGR 31 right before the key; the text after it is grey (8, SGR
        // 90). Wine may put other parameters before the colour in the same sequence.
        for (const char* entry : {"N  Neuen Benutzer anlegen", "L  Benutzer einlogen",
                                  "P  Benutzerliste Ausgeben", "0  zurueck"}) {
            const std::string sgr = "\x1b\\[([0-9]*;)*";
            const std::regex coloured(sgr + "31m" + entry[0] + sgr + "90m" + (entry + 1));
            EXPECT_TRUE(std::regex_search(user, coloured)) << entry << " in " << user;
        }

        s.send("0"); // back to the administrator level
        ASSERT_TRUE(shows(s, "Programm verlassen", 2)) << s.output();
        s.send("0"); // and out
        EXPECT_EQ(s.wait(60000), 0);
        const termios after = s.attributes();
        EXPECT_TRUE(after.c_lflag & ICANON);
        EXPECT_TRUE(after.c_lflag & ECHO);
        EXPECT_TRUE(pty::sameSettings(s.initial(), after));
    }
}

} // namespace
