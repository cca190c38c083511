// The one waiting watch request, module state of the scenes.
#include "state/watch_request.h"

#include "tolm2/tolm2.h"

namespace {

std::optional<WatchedGame> pending;

}  // namespace

bool requestWatch(const std::string& file) {
    pending.reset();
    try {
        pending = WatchedGame{file, loadWatchFile(file)};
    } catch (const TolmError& e) {
        Tolm_logError(e);
        return false;
    }
    return true;
}

bool watchRequested() { return pending.has_value(); }

std::optional<WatchedGame> takeWatchRequest() {
    std::optional<WatchedGame> taken = std::move(pending);
    pending.reset();
    return taken;
}
