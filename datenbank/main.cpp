// The start of datenbank: its command line, then the dialogue.
#include "arguments.h"
#include "datenbank.h"

int main(int argc, char* argv[]) {
    if (const auto ende = console::start(argc, argv, "datenbank")) return *ende;
    return datenbank::runDatenbank();
}
