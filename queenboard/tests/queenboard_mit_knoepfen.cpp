// queenboard with the knob a test asks for through the environment:
//   QUEENBOARD_FORTSCHRITT_AB=ms   the progress line shows once the search has run this long
#include "queenboard.h"
#include "seam.h"

#include <cstdlib>

int main() {
    if (const char* ab = std::getenv("QUEENBOARD_FORTSCHRITT_AB"))
        queenboard::fortschrittAbSetzen(std::chrono::milliseconds(std::atoi(ab)));
    return queenboard::queenboardAusfuehren();
}
