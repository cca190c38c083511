// The scores screen's download line: where it sits, when it shows, and its drawing.
#include "state/best_game_download.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "config/mode_table.h"
#include "tolm2/tolm2.h"

namespace {

constexpr const char* LINE = "D: DOWNLOAD BEST GAME";
constexpr float SCALE = 1.5f;
constexpr int32_t CELL = 12;  // trunc(8 * SCALE)
constexpr int32_t LINE_X = 194;
constexpr int32_t LINE_Y = 438;
constexpr int32_t MARGIN = 4;  // the click area reaches this far beyond the letters

int32_t lineWidth() { return static_cast<int32_t>(std::char_traits<char>::length(LINE)) * CELL; }

}  // namespace

bool bestGameOffered(int32_t mode) {
    if (!Tolm_offersFiles()) return false;
    std::error_code error;
    return std::filesystem::is_regular_file(watchFile(mode), error);
}

bool onDownloadLine(int32_t x, int32_t y) {
    return x >= LINE_X - MARGIN && x < LINE_X + lineWidth() + MARGIN && y >= LINE_Y - MARGIN &&
           y < LINE_Y + CELL + MARGIN;
}

void drawDownloadLine() { Tolm_drawText(LINE, LINE_X, LINE_Y, SCALE, 255, 255, 0, 255); }
