// The looked-up sines and cosines of whole degrees.
#include "gamecore/degree_table.h"

#include <array>

#include "tolm2/shared.h"

namespace {

constexpr int32_t REACH = 720;
constexpr size_t ENTRIES = 2 * REACH + 1;

struct Table {
    std::array<double, ENTRIES> sin{};
    std::array<double, ENTRIES> cos{};
    Table() {
        for (int32_t d = -REACH; d <= REACH; ++d) {
            sin[static_cast<size_t>(d + REACH)] = Tolm_sin(d);
            cos[static_cast<size_t>(d + REACH)] = Tolm_cos(d);
        }
    }
};

// Made as the program starts: 1,441 sines and cosines.
const Table TABLE;

bool inTable(int32_t degrees) { return degrees >= -REACH && degrees <= REACH; }

}  // namespace

double sinOfDegrees(int32_t degrees) {
    return inTable(degrees) ? TABLE.sin[static_cast<size_t>(degrees + REACH)] : Tolm_sin(degrees);
}

double cosOfDegrees(int32_t degrees) {
    return inTable(degrees) ? TABLE.cos[static_cast<size_t>(degrees + REACH)] : Tolm_cos(degrees);
}
