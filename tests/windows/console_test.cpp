// datenbank.exe on Wine's console in a pseudo-terminal, the way a Windows console
// user meets it: a key acts without Enter, the hot keys show in their colour (Wine
// turns the console attributes into escape sequences), and the terminal is left as
// it was found; and the frames show as double-line glyphs in every code page.
#include "pty_session.h"
#include "toolbox.h"
#include "transcript.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <ostream>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

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

// The lines of the screen: a cursor moved right is that many blanks (Wine draws blanks
// of the console's own colour so), the other escape sequences and carriage returns go.
std::vector<std::string> screenLines(const std::string& bytes) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            lines.emplace_back();
        } else if (bytes.compare(i, 2, "\x1b[") == 0) {
            const std::size_t start = i + 2;
            for (i = start; i < bytes.size() && (bytes[i] < 0x40 || bytes[i] > 0x7E);) ++i;
            if (i < bytes.size() && bytes[i] == 'C')
                lines.back().append(std::max(std::strtoul(&bytes[start], nullptr, 10), 1ul), ' ');
        } else if (bytes[i] != '\r') {
            lines.back() += bytes[i];
        }
    }
    return lines;
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

// A code page set with chcp before datenbank starts (none: Wine's own, 437), and the
// listing's row of the UTF-8 names "Jürgen" and "Grüß" as it shows: decoded on 65001,
// a character per byte elsewhere, and in the frame's columns on each.
struct CodePage {
    const char* chcp;
    const char* row;
};

void PrintTo(const CodePage& page, std::ostream* out) {
    *out << (*page.chcp ? page.chcp : "Wine's own");
}

class WindowsConsoleCodePage : public ::testing::TestWithParam<CodePage> {};

TEST_P(WindowsConsoleCodePage, ListingAndLogoInDoubleLineGlyphsAndRowsInTheFramesColumns) {
    const char* launcher = std::getenv("TRANSCRIPT_LAUNCHER");
    if (!launcher || !transcript::windows())
        GTEST_SKIP() << "needs the .exe files under Wine: tests/windows/run-tests.sh sets "
                        "TRANSCRIPT_LAUNCHER and TRANSCRIPT_SUFFIX=.exe";
    const toolbox::ScratchFolder folder("windows-code-page");
    toolbox::writeFile(folder / "fh-datenbank.txt",
                       "1002 Gr\xC3\xBC\xC3\x9F J\xC3\xBCrgen j.gruess 0711-3002 0 -1 -1 -1 -1 \r\n"
                       "1001 Becker Lena lena.becker 0711-3001 0 -1 -1 -1 -1 \r\n");
    std::string command = "Z:" + transcript::program("datenbank"); // Wine's drive of "/"
    for (char& c : command) c = c == '/' ? '\\' : c;
    if (*GetParam().chcp) command = std::string("chcp ") + GetParam().chcp + " >nul & " + command;
    pty::Session s("cmd", folder.path().string(), launcher, {}, {"/c", command});
    ASSERT_TRUE(shows(s, "Programm verlassen")) << s.output();
    // Load, list, back to the menu; each key once the program surely waits for it.
    for (const auto& [key, shown, n] : {std::tuple{"l", "Programm verlassen", 2},
                                        {"p", "weiter zum menue", 1},
                                        {"x", "Programm verlassen", 3}}) {
        s.drain(1000);
        s.send(key);
        ASSERT_TRUE(shows(s, shown, n)) << s.output();
    }
    s.send("0"); // quit: the logo box
    EXPECT_EQ(s.wait(60000), 0);
    std::string screen;
    for (const std::string& line : screenLines(s.output())) screen += line + "\n";
    const std::string listing =
        "\n╔══════════╦════════════╦═════════════════╦═════════════════╦═════════════════╗\n"
        "║     1001 ║       Lena ║          Becker ║     lena.becker ║       0711-3001 ║\n"
        "╠══════════╬════════════╬═════════════════╬═════════════════╬═════════════════╣\n" +
        std::string(GetParam().row) +
        "\n╚══════════╩════════════╩═════════════════╩═════════════════╩═════════════════╝\n";
    EXPECT_NE(screen.find(listing), std::string::npos) << screen;
    const std::string tabs(24, ' ');
    const std::string logo = tabs + "╔═══════════════╗\n" + tabs + "║               ║\n" + tabs +
                             "║ www.fhdb.test ║\n" + tabs + "║               ║\n" + tabs +
                             "╚═══════════════╝\n";
    EXPECT_NE(screen.find(logo), std::string::npos) << screen;
}

const CodePage kCodePages[] = {
    {"", "║     1002 ║    J├╝rgen ║          Gr├╝├ƒ ║        j.gruess ║       0711-3002 ║"},
    {"65001", "║     1002 ║     Jürgen ║            Grüß ║        j.gruess ║       0711-3002 ║"},
    {"1252", "║     1002 ║    JÃ¼rgen ║          GrÃ¼ÃŸ ║        j.gruess ║       0711-3002 ║"},
};

INSTANTIATE_TEST_SUITE_P(CodePages, WindowsConsoleCodePage, ::testing::ValuesIn(kCodePages),
                         [](const auto& info) {
                             const std::string chcp = info.param.chcp;
                             return chcp.empty() ? "Default" : "Chcp" + chcp;
                         });

} // namespace
