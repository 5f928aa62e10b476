// A whole datenbank session driven by any input: it ends when the input does (the
// fuzzer's timeout catches a loop that no longer reads), releases everything, and
// leaves "fh-datenbank.txt" either as it was or as a complete save.
//
// First byte: bits 0-1 the file at start (none, a fixed one, empty, or the next
// byte's count of bytes that follow), bits 2-3 what else stands in the folder
// (nothing, a temporary file an older save left, a folder in the database file's
// place that makes every load and save fail), bits 4-7 the reservation that fails
// (0: none). The rest is standard input, cut before its ninth 'l' or 'L'.
#include "datenbank.h"
#include "fuzz_harness.h"
#include "liste_pruefen.h"
#include "seam.h"

#include <cstdint>
#include <filesystem>
#include <string>

using namespace datenbank;

namespace {

const char* const kFesteDatei = "1 Meier Anna anna.meier 555 2 0 -1 2 -1 \r\n"
                                "22 Schmidt Bert b@s.de 0151-22 0 -1 -1 -1 -1 \r\n"
                                "333 Ott Carla carla 7 4 0 1 2 3 \r\n";

// A file speichern could have written: whole records only, in the saved form.
bool vollstaendigGespeichert(const std::string& datei) {
    const auto datensaetze = harness::erwarteteDatensaetze(datei);
    std::vector<harness::Knoten> knoten;
    for (const auto& d : datensaetze) knoten.push_back({nullptr, nullptr, d});
    return harness::gespeichert(knoten) == datei;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    harness::Ordner ordner;
    harness::Bytes bytes(data, size);
    const std::uint8_t kopf = bytes.byte();
    const int temporaer = (kopf >> 2) & 3;
    const int fehlschlagNach = kopf >> 4;

    std::error_code ignoriert;
    std::filesystem::remove_all("fh-datenbank.txt", ignoriert);
    std::filesystem::remove("fh-datenbank.txt.tmp", ignoriert);
    if (temporaer == 1) toolbox::writeFile("fh-datenbank.txt.tmp", "stale\r\n");
    if (temporaer == 2) std::filesystem::create_directories("fh-datenbank.txt/drin");
    std::string vorher;
    bool dateiDa = true;
    switch (kopf & 3) {
    case 0:
        dateiDa = false;
        break;
    case 1:
        vorher = kFesteDatei;
        break;
    case 2:
        break;
    default:
        vorher = bytes.stueck(bytes.byte());
        break;
    }
    if (temporaer == 2) dateiDa = false;
    if (dateiDa) toolbox::writeFile("fh-datenbank.txt", vorher);
    // Loading adds to the list and saving writes it all back, so every load after a save
    // doubles the list: a few dozen rounds outgrow any memory. Eight loads at most keep
    // every session small; a login ('l' at the user level) counts as one too.
    std::string_view eingabe = bytes.rest();
    int ladeTasten = 0;
    for (std::size_t i = 0; i < eingabe.size(); ++i)
        if ((eingabe[i] == 'l' || eingabe[i] == 'L') && ++ladeTasten > 8)
            eingabe = eingabe.substr(0, i);
    harness::eingabeSetzen(eingabe);

    reservierungScheiternLassen(fehlschlagNach);
    const int status = datenbankAusfuehren();
    reservierungScheiternLassen(0);
    // Only a missing anchor ends the program with a failure.
    PRUEFEN(status == (fehlschlagNach == 1 ? 1 : 0));

    // A save leaves no temporary file of its own, and one an older save left stays.
    for (const auto& e : std::filesystem::directory_iterator(".")) {
        const std::string name = e.path().filename().string();
        PRUEFEN(name == "fh-datenbank.txt" || name == "eingabe.bin" ||
                (name == "fh-datenbank.txt.tmp" && temporaer == 1));
    }
    if (temporaer == 1) PRUEFEN(toolbox::readFile("fh-datenbank.txt.tmp") == "stale\r\n");
    if (temporaer == 2) {
        PRUEFEN(std::filesystem::is_directory("fh-datenbank.txt/drin")); // no save can succeed
    } else {
        const bool unveraendert = dateiDa ? toolbox::readFile("fh-datenbank.txt") == vorher
                                          : !std::filesystem::exists("fh-datenbank.txt");
        if (!unveraendert) PRUEFEN(vollstaendigGespeichert(toolbox::readFile("fh-datenbank.txt")));
    }
    return 0;
}
