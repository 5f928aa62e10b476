// Replacing a file on Windows: an exclusive temporary file beside it, flushed, then
// ReplaceFileW, which keeps the old file's attributes and security settings.
#include "ersetzen.h"
#include "ersetzen_seam.h"

#include <algorithm>
#include <random>
#include <string>
#include <windows.h>

namespace dateisystem {

namespace {

void (*schreibpause)() = nullptr; // see ersetzen_seam.h

// The full path of a name in the current folder; ReplaceFileW wants one.
std::wstring vollerPfad(const char* name) {
    const int laenge = MultiByteToWideChar(CP_ACP, 0, name, -1, nullptr, 0);
    if (laenge <= 0) return L"";
    std::wstring breit(static_cast<std::size_t>(laenge), L'\0');
    MultiByteToWideChar(CP_ACP, 0, name, -1, breit.data(), laenge);
    std::wstring voll(32768, L'\0');
    const DWORD volleLaenge = GetFullPathNameW(breit.c_str(), 32768, voll.data(), nullptr);
    if (volleLaenge == 0 || volleLaenge >= 32768) return L"";
    voll.resize(volleLaenge);
    return voll;
}

// A symbolic link (a reparse point) becomes the path of the file it finally names.
bool linkAufloesen(std::wstring& pfad, DWORD attribute) {
    if ((attribute & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return true;
    const HANDLE datei =
        CreateFileW(pfad.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (datei == INVALID_HANDLE_VALUE) return false;
    std::wstring ziel(32768, L'\0');
    const DWORD laenge = GetFinalPathNameByHandleW(datei, ziel.data(), 32768, FILE_NAME_NORMALIZED);
    CloseHandle(datei);
    if (laenge == 0 || laenge >= 32768) return false;
    ziel.resize(laenge);
    pfad = ziel;
    return true;
}

// The read-only attribute and the file's security settings both say no here.
bool darfSchreiben(const std::wstring& pfad) {
    const HANDLE datei = CreateFileW(pfad.c_str(), GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (datei == INVALID_HANDLE_VALUE) return false;
    CloseHandle(datei);
    return true;
}

// A name no other save uses: the process id, a random number, and CREATE_NEW to be sure.
HANDLE temporaerAnlegen(const std::wstring& pfad, std::wstring& name) {
    static std::minstd_rand zufall(std::random_device{}());
    for (int versuch = 0; versuch < 100; ++versuch) {
        name = pfad + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(zufall()) + L".tmp";
        const HANDLE datei = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr);
        if (datei != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return datei;
    }
    return INVALID_HANDLE_VALUE;
}

bool allesSchreiben(HANDLE datei, std::string_view inhalt) {
    while (!inhalt.empty()) {
        const DWORD stueck = static_cast<DWORD>(std::min<std::size_t>(inhalt.size(), 1 << 20));
        DWORD geschrieben = 0;
        if (!WriteFile(datei, inhalt.data(), stueck, &geschrieben, nullptr) || geschrieben == 0)
            return false;
        inhalt.remove_prefix(geschrieben);
    }
    return true;
}

// All the bytes, in two halves around the seam's pause where a test asks for one.
bool schreiben(HANDLE datei, std::string_view inhalt) {
    if (!schreibpause) return allesSchreiben(datei, inhalt);
    const std::size_t haelfte = inhalt.size() / 2;
    if (!allesSchreiben(datei, inhalt.substr(0, haelfte))) return false;
    schreibpause();
    return allesSchreiben(datei, inhalt.substr(haelfte));
}

} // namespace

void schreibpauseEinrichten(void (*pause)()) {
    schreibpause = pause;
}

bool dateiErsetzen(const char* name, std::string_view inhalt) {
    std::wstring pfad = vollerPfad(name);
    if (pfad.empty()) return false;
    const DWORD attribute = GetFileAttributesW(pfad.c_str());
    const bool altDa = attribute != INVALID_FILE_ATTRIBUTES;
    if (!altDa && GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    if (altDa && (!linkAufloesen(pfad, attribute) || !darfSchreiben(pfad))) return false;

    std::wstring temporaer;
    const HANDLE datei = temporaerAnlegen(pfad, temporaer);
    if (datei == INVALID_HANDLE_VALUE) return false;
    bool fertig = schreiben(datei, inhalt) && FlushFileBuffers(datei);
    fertig = CloseHandle(datei) && fertig;
    if (fertig && altDa)
        fertig = ReplaceFileW(pfad.c_str(), temporaer.c_str(), nullptr,
                              REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    else if (fertig)
        fertig = MoveFileExW(temporaer.c_str(), pfad.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!fertig) DeleteFileW(temporaer.c_str());
    return fertig;
}

} // namespace dateisystem
