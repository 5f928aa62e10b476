// Replacing a file on POSIX: an exclusive temporary file beside it that takes on what
// the old file carries (owner, permission bits; on Linux its ACL and extended
// attributes too), fsync, rename, then fsync of the folder, so the new name survives a
// crash as well.
#include "ersetzen.h"
#include "ersetzen_plattform.h"
#include "ersetzen_seam.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace dateisystem {

namespace {

void (*schreibpause)() = nullptr; // see ersetzen_seam.h

// Follows `pfad` through symbolic links to the file it finally names, which may
// not exist yet. False for a chain that is too long or cannot be read.
bool linkAufloesen(std::string& pfad) {
    for (int schritt = 0; schritt < 40; ++schritt) {
        struct stat info;
        if (lstat(pfad.c_str(), &info) != 0) return errno == ENOENT;
        if (!S_ISLNK(info.st_mode)) return true;
        char verweis[PATH_MAX];
        const ssize_t laenge = readlink(pfad.c_str(), verweis, sizeof verweis);
        if (laenge <= 0 || laenge == static_cast<ssize_t>(sizeof verweis)) return false;
        const std::string ziel(verweis, static_cast<std::size_t>(laenge));
        // A relative link is relative to the folder the link stands in.
        const std::size_t schraegstrich = pfad.rfind('/');
        if (ziel[0] == '/' || schraegstrich == std::string::npos)
            pfad = ziel;
        else
            pfad = pfad.substr(0, schraegstrich + 1) + ziel;
    }
    return false;
}

std::string ordnerVon(const std::string& pfad) {
    const std::size_t schraegstrich = pfad.rfind('/');
    if (schraegstrich == std::string::npos) return ".";
    return schraegstrich == 0 ? "/" : pfad.substr(0, schraegstrich);
}

// A name no other save uses: the process id, a random number, and O_EXCL to be sure.
// Where the file's own name leaves too little room under the folder's limit on names,
// only as much of it is taken as fits, cut before a character, not inside one.
int temporaerAnlegen(const std::string& pfad, mode_t modus, std::string& name) {
    static std::minstd_rand zufall(std::random_device{}());
    const std::size_t schraegstrich = pfad.rfind('/');
    const std::string kopf =
        schraegstrich == std::string::npos ? "" : pfad.substr(0, schraegstrich + 1);
    const std::string eigen = pfad.substr(kopf.size());
    const long grenze = pathconf(ordnerVon(pfad).c_str(), _PC_NAME_MAX);
    const std::size_t hoechstens = grenze > 0 ? static_cast<std::size_t>(grenze) : NAME_MAX;
    for (int versuch = 0; versuch < 100; ++versuch) {
        std::string rest = ".";
        rest += std::to_string(getpid());
        rest += '-';
        rest += std::to_string(zufall());
        rest += ".tmp";
        std::size_t laenge = eigen.size();
        if (laenge + rest.size() > hoechstens) {
            laenge = hoechstens > rest.size() ? hoechstens - rest.size() : 0;
            while (laenge > 0 && (static_cast<unsigned char>(eigen[laenge]) & 0xC0) == 0x80)
                --laenge; // a UTF-8 continuation byte
        }
        name = kopf;
        name.append(eigen, 0, laenge);
        name += rest;
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, modus);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool allesSchreiben(int fd, std::string_view inhalt) {
    while (!inhalt.empty()) {
        const ssize_t geschrieben = write(fd, inhalt.data(), inhalt.size());
        if (geschrieben < 0 && errno == EINTR) continue;
        if (geschrieben <= 0) return false;
        inhalt.remove_prefix(static_cast<std::size_t>(geschrieben));
    }
    return true;
}

// A signal while the data goes to the disk is no failure of the disk. Beyond POSIX,
// where the system has F_FULLFSYNC (macOS): there fsync only hands the data to the
// drive, whose cache may still lose it, and F_FULLFSYNC has the drive write it. A file
// system that does not take it has fsync alone.
bool syncen(int fd) {
#ifdef F_FULLFSYNC
    for (;;) {
        if (fcntl(fd, F_FULLFSYNC) == 0) return true;
        if (errno != EINTR) break;
    }
#endif
    while (fsync(fd) != 0)
        if (errno != EINTR) return false;
    return true;
}

// The old file's owner, group, ACL, extended attributes and permission bits (the ACL
// and the attributes where the system carries them, see ersetzen_plattform.h). Owner and
// group may be refused to an ordinary user (the file is then the user's own, in the
// user's group); the bits and the ACL never are, and a file that cannot keep them
// does not take the old one's place. The ACL goes on while the file is still private
// to its owner; fchmod then writes the old group bits into its mask, and they are the
// old mask. The other way round, the file would be open to its group with the mask's
// rights for a moment, and a descriptor opened then would outlive the rename.
bool eigenschaftenUebernehmen(int fd, int altFd, const struct stat& alt) {
    if (fchown(fd, alt.st_uid, alt.st_gid) != 0) {
        const int nurGruppe = fchown(fd, static_cast<uid_t>(-1), alt.st_gid);
        static_cast<void>(nurGruppe);
    }
    return plattform::attributeUebernehmen(fd, altFd) && fchmod(fd, alt.st_mode & 07777) == 0;
}

// All the bytes, in two halves around the seam's pause where a test asks for one.
bool schreiben(int fd, std::string_view inhalt) {
    if (!schreibpause) return allesSchreiben(fd, inhalt);
    const std::size_t haelfte = inhalt.size() / 2;
    if (!allesSchreiben(fd, inhalt.substr(0, haelfte))) return false;
    schreibpause();
    return allesSchreiben(fd, inhalt.substr(haelfte));
}

} // namespace

void schreibpauseEinrichten(void (*pause)()) {
    schreibpause = pause;
}

bool dateiErsetzen(const char* name, std::string_view inhalt) {
    std::string pfad = name;
    if (!linkAufloesen(pfad)) return false;

    // Opening for writing, without truncating, asks the system itself whether this
    // user may write the file; nothing is written through this descriptor, it only
    // reads the old file's attributes.
    struct stat alt;
    const int altFd = open(pfad.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    const bool altDa = altFd >= 0;
    if (!altDa && errno != ENOENT) return false;
    if (altDa && (fstat(altFd, &alt) != 0 || !S_ISREG(alt.st_mode))) {
        close(altFd);
        return false;
    }

    // Until it has the old bits, the temporary file is private to its user.
    std::string temporaer;
    const int fd = temporaerAnlegen(pfad, altDa ? 0600 : 0666, temporaer);
    bool fertig = fd >= 0 && (!altDa || eigenschaftenUebernehmen(fd, altFd, alt));
    if (altDa) close(altFd);
    if (fd < 0) return false;
    fertig = fertig && schreiben(fd, inhalt) && syncen(fd);
    fertig = close(fd) == 0 && fertig;
    fertig = fertig && std::rename(temporaer.c_str(), pfad.c_str()) == 0;
    if (!fertig) {
        unlink(temporaer.c_str());
        return false;
    }
    // The rename is done; a folder that cannot be synced (some file systems) still holds it.
    const int ordner = open(ordnerVon(pfad).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (ordner >= 0) {
        syncen(ordner);
        close(ordner);
    }
    return true;
}

} // namespace dateisystem
