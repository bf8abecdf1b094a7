// Background music: public-domain tunes arranged for General MIDI and written as MIDI files.
#include "ArtGen.h"

bool WriteMusic(const QString&) {
    return true;
}
