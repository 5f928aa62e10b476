// The command line every program accepts, and the console set-up for a run.
#include "arguments.h"

#include "console.h"

#include <cstdio>
#include <string_view>

namespace console {

std::optional<int> start(int argc, char** argv, const char* name, const char* help) {
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
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace console
