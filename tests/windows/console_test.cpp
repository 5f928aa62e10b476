// datenbank.exe on Wine's console in a pseudo-terminal, the way a Windows console
// user meets it: a key acts without Enter, the hot keys show in their colour (Wine
// turns the console attributes into escape sequences), and the terminal is left as
// it was found.
#include "pty_session.h"
#include "transcript.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// What a terminal shows: the characters, and the SGR foreground code (0 for the
// terminal's default) each one is drawn in. Other sequences (Wine hides and shows the
// cursor around every character) are dropped.
struct Screen {
    std::string text;
    std::vector<int> foreground;
};

void applySgr(const std::string& parameters, int& foreground) {
    std::size_t at = 0;
    while (at <= parameters.size()) {
        std::size_t end = parameters.find(';', at);
        if (end == std::string::npos) end = parameters.size();
        int code = 0; // an empty parameter is 0
        for (std::size_t i = at; i < end; ++i) code = code * 10 + (parameters[i] - '0');
        if (code == 0 || code == 39) foreground = 0;
        if ((code >= 30 && code <= 37) || (code >= 90 && code <= 97)) foreground = code;
        if (code == 38 || code == 48) return; // extended colours: not Wine's, not ours
        at = end + 1;
    }
}

Screen screen(const std::string& bytes) {
    Screen s;
    int foreground = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\x1b') {
            s.text += bytes[i];
            s.foreground.push_back(foreground);
            continue;
        }
        if (i + 1 >= bytes.size() || bytes[i + 1] != '[') continue;
        std::size_t end = i + 2; // a CSI sequence ends in a byte from '@' to '~'
        while (end < bytes.size() && (bytes[end] < '@' || bytes[end] > '~')) ++end;
        if (end == bytes.size()) break;
        if (bytes[end] == 'm') applySgr(bytes.substr(i + 2, end - i - 2), foreground);
        i = end;
    }
    return s;
}

std::size_t count(const std::string& text, const std::string& needle) {
    std::size_t n = 0;
    for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++n;
    return n;
}

// Reads until the screen shows `text` for the n-th time.
bool shows(pty::Session& s, const std::string& text, std::size_t n = 1) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (count(screen(s.output()).text, text) < n) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        s.drain(100);
    }
    return true;
}

TEST(WindowsConsole, KeysWithoutEnterHotKeysInRedAndTheTerminalLeftAsFound) {
    const char* launcher = std::getenv("TRANSCRIPT_LAUNCHER");
    if (!launcher || !transcript::windows())
        GTEST_SKIP() << "needs the .exe files under Wine: tests/windows/run-tests.sh sets "
                        "TRANSCRIPT_LAUNCHER and TRANSCRIPT_SUFFIX=.exe";
    const fs::path folder =
        fs::temp_directory_path() / ("windows-console-" + std::to_string(getpid()));
    fs::create_directories(folder);
    {
        pty::Session s(transcript::program("datenbank"), folder.string(), launcher);
        ASSERT_TRUE(shows(s, "Programm verlassen")) << s.output();
        const std::size_t menuEnd = screen(s.output()).text.size();

        s.send("b"); // no Enter
        ASSERT_TRUE(shows(s, "zurueck")) << s.output();
        const Screen user = screen(s.output());
        const std::size_t heading = user.text.find("Benutzer Ebene", menuEnd);
        ASSERT_NE(heading, std::string::npos);
        EXPECT_EQ(user.text.substr(menuEnd, heading - menuEnd).find('b'), std::string::npos)
            << "the key is not echoed";
        // Attribute 4 is red on the console, SGR 31; the entry's text is grey (8, SGR 90).
        for (const char* entry : {"N  Neuen Benutzer anlegen", "L  Benutzer einlogen",
                                  "P  Benutzerliste Ausgeben", "0  zurueck"}) {
            const std::size_t at = user.text.find(entry, heading);
            ASSERT_NE(at, std::string::npos) << entry;
            EXPECT_EQ(user.foreground[at], 31) << entry;
            EXPECT_EQ(user.foreground[at + 3], 90) << entry;
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
    fs::remove_all(folder);
}

} // namespace
