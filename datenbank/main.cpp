#include "arguments.h"
#include "datenbank.h"

int main(int argc, char* argv[]) {
    if (const auto ende = console::start(argc, argv, "datenbank")) return *ende;
    return runDatenbank();
}
