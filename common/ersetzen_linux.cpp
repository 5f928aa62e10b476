// Beyond POSIX, Linux only: a replaced file's ACL and extended attributes carried over
// with Linux's own calls (<sys/xattr.h>, ENODATA). The ACL is the extended attribute
// system.posix_acl_access, so one list carries both. CMake builds this file on Linux
// unless POSIX_ONLY is set; nothing else in the programs calls Linux's own interfaces.
#include "ersetzen_plattform.h"

#include <cerrno>
#include <cstring>
#include <string_view>
#include <sys/types.h>
#include <sys/xattr.h>
#include <vector>

namespace dateisystem::plattform {

namespace {

// Reads a list or a value of extended attributes whole: `lesen(puffer, groesse)` is
// flistxattr or fgetxattr, asked for the size first and again if it grew meanwhile.
bool ganzLesen(std::vector<char>& puffer, auto lesen) {
    for (;;) {
        const ssize_t groesse = lesen(nullptr, 0);
        if (groesse <= 0) {
            puffer.clear(); // a second call with no room would ask for the size again
            return groesse == 0;
        }
        puffer.resize(static_cast<std::size_t>(groesse));
        const ssize_t gelesen = lesen(puffer.data(), puffer.size());
        if (gelesen >= 0) {
            puffer.resize(static_cast<std::size_t>(gelesen));
            return true;
        }
        if (errno != ERANGE) return false;
    }
}

constexpr const char* kAcl = "system.posix_acl_access";

// What the new file may go without when this user may not read or set it: trusted.*
// is kept to privileged processes and grants nobody access; security.* holds labels
// and file capabilities that the system assigns a new file itself. Everything else
// must arrive, system.* above all: without its ACL the file's group bits, which hold
// the ACL's mask, would pass to the owning group, and the users it names would lose
// their access.
bool darfFehlen(std::string_view name, int fehler) {
    return (fehler == EPERM || fehler == EACCES) &&
           (name.starts_with("trusted.") || name.starts_with("security."));
}

} // namespace

// A default ACL of the folder gives a new file one of its own, so an old file without
// an ACL has it removed. A file system without extended attributes has nothing to carry.
bool attributeUebernehmen(int fd, int altFd) {
    std::vector<char> namen, wert;
    const auto liste = [altFd](char* puffer, std::size_t groesse) {
        return flistxattr(altFd, puffer, groesse);
    };
    if (!ganzLesen(namen, liste)) return errno == ENOTSUP;
    bool aclDa = false;
    for (std::size_t i = 0; i < namen.size(); i += std::strlen(namen.data() + i) + 1) {
        const char* name = namen.data() + i;
        const auto holen = [altFd, name](char* puffer, std::size_t groesse) {
            return fgetxattr(altFd, name, puffer, groesse);
        };
        const bool gelesen = ganzLesen(wert, holen);
        if (!gelesen && errno == ENODATA) continue; // removed since the list was read
        if (!gelesen || fsetxattr(fd, name, wert.data(), wert.size(), 0) != 0) {
            if (darfFehlen(name, errno)) continue;
            return false;
        }
        aclDa = aclDa || std::strcmp(name, kAcl) == 0;
    }
    return aclDa || fremovexattr(fd, kAcl) == 0 || errno == ENODATA || errno == ENOTSUP;
}

} // namespace dateisystem::plattform
