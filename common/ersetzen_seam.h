// The test seam of replacing a file: a pause halfway through writing the temporary file,
// so a test can end the program while that file holds only part of the bytes. Only the
// tests' builds of a program and the replacement itself include this.
#pragma once

namespace dateisystem {

// From now on every replacement calls `pause` once, when the first half of its bytes
// is written; none (the default) writes them in one go.
void schreibpauseEinrichten(void (*pause)());

} // namespace dateisystem
