#include "datenbank.h"

int main() {
    return runDatenbank();
}
