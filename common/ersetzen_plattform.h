// What a replaced file carries besides its owner, group and permission bits, which
// ersetzen_posix.cpp sets on every POSIX system: Linux's own calls carry its ACL and
// extended attributes (ersetzen_linux.cpp); every other system, and Linux built with
// POSIX_ONLY, carries nothing more (ersetzen_nur_posix.cpp). Internal to the replace.
#pragma once

namespace dateisystem::plattform {

// Gives the new file `fd`, still private to its owner, the ACL and extended attributes
// of the old file `altFd`, and no ACL where the old one had none. False where something
// the new file must keep cannot be set: the save is then refused.
bool attributeUebernehmen(int fd, int altFd);

} // namespace dateisystem::plattform
