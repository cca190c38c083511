// The real platform: the player's files on the desktop, where the flock and the file system
// already do what the contract asks.
#include "tolm2/platform/platform.h"

namespace plat {

void holdPlayerFiles() {}
void releasePlayerFiles() {}
void playerFilesChanged() {}
bool keepsPlayerFiles() { return true; }
bool canQuit() { return true; }
bool canOfferFiles() { return false; }
bool offerFile(const std::string&) { return false; }
std::string takeHandedFile() { return {}; }

}  // namespace plat
