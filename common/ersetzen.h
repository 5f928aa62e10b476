// Replacing a file the user keeps: whole or not at all, and on the owner's terms.
#pragma once

#include <string_view>

namespace dateisystem {

// Replaces the file `name` (opened by that name in the current folder) by `inhalt`.
// A symbolic link is followed; the file it finally names is replaced in its own
// folder, and the link stays. The bytes go to a temporary file of this call's own,
// created exclusively beside that file and flushed to the disk; only then does it
// take the old file's place, in one atomic step, with the old file's permission
// bits (and its owner and group where the user may set them), and on Linux and Windows
// its ACL and extended attributes. A file the user may not write, or whose ACL cannot be
// carried over, is left alone. False on any failure: the old file is then as it was and
// no temporary file is left.
bool dateiErsetzen(const char* name, std::string_view inhalt);

} // namespace dateisystem
