// The browser platform: the player's files in the browser's storage, kept apart between
// tabs by the page's lock, and files handed to and from the player.
#include "tolm2/platform/platform.h"
#include "tolm2/platform/web/web_calls.h"

namespace {

int holds = 0;
bool unsaved = false;  // written inside a hold, saved when the last hold ends

}  // namespace

namespace plat {

void holdPlayerFiles() {
    if (holds++ == 0) kv_files_hold();
}

void releasePlayerFiles() {
    if (holds == 0 || --holds > 0) return;
    if (unsaved) kv_files_save();
    unsaved = false;
    kv_files_release();
}

void playerFilesChanged() {
    if (holds > 0) {
        unsaved = true;
        return;
    }
    kv_files_save();
}

bool keepsPlayerFiles() { return kv_files_kept() != 0; }

bool canQuit() { return false; }

bool canOfferFiles() { return true; }

bool offerFile(const std::string& file) { return kv_offer_file(file.c_str()) != 0; }

std::string takeHandedFile() {
    char path[4096];
    if (kv_take_handed(path, sizeof path) == 0) return {};
    return path;
}

}  // namespace plat
