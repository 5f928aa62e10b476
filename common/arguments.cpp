// The command line every program accepts, the console set-up for a run, and the check of
// standard output at its end.
#include "arguments.h"

#include "console.h"

#include <cstdio>
#include <string_view>

namespace console {

namespace {

// The program's name for its messages on standard error.
const char* programName = "";

} // namespace

std::optional<int> start(int argc, char** argv, const char* name, const char* help) {
    programName = name;
    if (argc < 2) {
        setup();
        return std::nullopt;
    }
    const std::string_view first = argv[1];
    const bool known = first == "--help" || first == "--version";
    if (argc == 2 && first == "--help") {
        std::fputs(help, stdout);
        std::printf("\nAufruf: %s [--help | --version]\n", name);
        std::printf("Ohne Argument startet das Programm, --version zeigt die Version.\n");
    } else if (argc == 2 && first == "--version") {
        std::printf("%s %s\n", name, PROGRAM_VERSION);
    } else {
        // Either an unknown word or a second argument after a known one.
        std::fprintf(stderr, "%s: %s Argument \"%s\" (--help zeigt die Hilfe)\n", name,
                     known ? "ueberzaehliges" : "unbekanntes", known ? argv[2] : argv[1]);
        return 2;
    }
    return finish(0);
}

int finish(int status) {
    // What is still buffered goes out now, and a full disk shows here at the latest. A
    // terminal is left open for the layer's own last words at exit (its colours); a file
    // is closed, where a delayed error would show too.
    bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (!failed && !outputIsTerminal()) failed = std::fclose(stdout) != 0;
    if (!failed) return status;
    std::fprintf(stderr, "%s: Fehler beim Schreiben der Standardausgabe\n", programName);
    return 1;
}

} // namespace console
