// A word without end in a file the programs read: the database file and the number file
// as an endless stream (a FIFO that a thread feeds until the program closes it) and as a
// long run of NULs (a sparse file of 16 GiB). The word is given up as too long at once:
// datenbank reports a malformed record and keeps the one before it, sortcounter sorts
// the numbers before it. A reader that kept the word would run into the time limit.
#include "screens.h"
#include "toolbox.h"
#include "transcript.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace screens;

namespace {

enum class Ende { strom, nullen };

struct Fall {
    const char* name;
    const char* programm;
    const char* datei;
    std::string anfang; // whole words before the one without end
    Ende ende;
    char zeichen; // what the stream repeats
    std::string tasten;
    std::string ausgabe;
};

void PrintTo(const Fall& f, std::ostream* os) {
    *os << f.name;
}

// Feeds `anfang`, then `zeichen` without end, into the FIFO `pfad` once a reader opens
// it, until the reader closes its end or `halt` is set.
void speisen(const fs::path& pfad, const std::string& anfang, char zeichen,
             const std::atomic<bool>& halt) {
    int fd = -1;
    while (!halt && (fd = open(pfad.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)) < 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (fd < 0) return;
    const std::string endlos(65536, zeichen);
    std::string_view rest = anfang;
    while (!halt) {
        if (rest.empty()) rest = endlos;
        const ssize_t geschrieben = write(fd, rest.data(), rest.size());
        if (geschrieben > 0) {
            rest.remove_prefix(static_cast<std::size_t>(geschrieben));
            continue;
        }
        if (errno != EAGAIN && errno != EINTR) break; // EPIPE: the reader is gone
        pollfd warten{fd, POLLOUT, 0};
        poll(&warten, 1, 10);
    }
    close(fd);
}

class WordWithoutEnd : public testing::TestWithParam<Fall> {};

TEST_P(WordWithoutEnd, IsGivenUpAtOnceAndWhatCameBeforeStays) {
    const Fall& f = GetParam();
    std::signal(SIGPIPE, SIG_IGN); // the feeder learns of the reader's end by EPIPE
    const toolbox::ScratchFolder draussen("endless-word");
    std::atomic<bool> halt = false;
    std::thread speiser;

    transcript::Options optionen;
    optionen.timeoutSeconds = 10;
    optionen.prepare = [&](const fs::path& ordner) {
        if (f.ende == Ende::strom) {
            ASSERT_EQ(mkfifo((ordner / f.datei).c_str(), 0600), 0);
            speiser = std::thread(speisen, ordner / f.datei, f.anfang, f.zeichen, std::ref(halt));
            return;
        }
        // Outside the program's folder, behind a link, so the transcript does not read it.
        const fs::path nullen = draussen / f.datei;
        toolbox::writeFile(nullen, f.anfang);
        fs::resize_file(nullen, f.anfang.size() + (std::uintmax_t{16} << 30));
        fs::create_symlink(nullen, ordner / f.datei);
    };
    const auto r = transcript::run(transcript::program(f.programm), f.tasten, optionen);
    halt = true;
    if (speiser.joinable()) speiser.join();

    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, transcript::lines(f.ausgabe));
}

const std::string kErsterStudent =
    listing({"\xBA        1 \xBA       Vor1 \xBA           Nach1 \xBA              m1 "
             "\xBA              t1 \xBA\n"});
const std::string kDatenbankLauf = kAdmin + kLoadFailed + kAdmin + kErsterStudent + kAdmin;
const std::string kZahlen = "3\n\n3\n1\n2\n";
const std::string kZweiTausche = "\n 2 mal unterprogramm aufgerufen\n";

const Fall kFaelle[] = {
    {"DatabaseFileAsAnEndlessStream", "datenbank", "fh-datenbank.txt", record("1"), Ende::strom,
     'x', "lp", kDatenbankLauf},
    {"DatabaseFileWithALongRunOfNuls", "datenbank", "fh-datenbank.txt", record("1"), Ende::nullen,
     '\0', "lp", kDatenbankLauf},
    {"NumberFileAsAnEndlessStream", "sortcounter", "tosort.txt", kZahlen, Ende::strom, '7', "",
     kZweiTausche},
    {"NumberFileWithALongRunOfNuls", "sortcounter", "tosort.txt", kZahlen, Ende::nullen, '\0', "",
     kZweiTausche},
};

INSTANTIATE_TEST_SUITE_P(Files, WordWithoutEnd, testing::ValuesIn(kFaelle),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
