// The platform's ways with the player's files, as the scenes ask for them.
#include "tolm2/player_files.h"

#include "tolm2/log.h"
#include "tolm2/platform/platform.h"

bool Tolm_keepsRecords() { return plat::keepsPlayerFiles(); }

bool Tolm_offersFiles() { return plat::canOfferFiles(); }

void Tolm_offerFile(const std::string& file) {
    if (!plat::offerFile(file) && plat::canOfferFiles()) {
        Tolm_log("Cannot read file '%s'\n", file.c_str());
    }
}

std::string Tolm_takeHandedFile() { return plat::takeHandedFile(); }
