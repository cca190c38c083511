// The shared integer table, the process-wide random generator, and trigonometry in degrees.
#include "tolm2/shared.h"

#include <array>
#include <chrono>
#include <cmath>

#include "tolm2/error.h"
#include "tolm2/internal.h"

namespace {

std::array<int32_t, SHARED_SLOTS> sharedTable{};

std::mt19937& generator() {
    static std::mt19937 engine(static_cast<uint32_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    return engine;
}

// caller names the operation in the error, so a bad write is not reported as a read.
void checkSlot(const char* caller, int index) {
    if (index < 0 || index >= SHARED_SLOTS) {
        throw TolmError::format("%s: index out of range: %d", caller, index);
    }
}

constexpr double PI = 3.14159265358979323846;

}  // namespace

void Tolm_setValue(int index, int32_t value) {
    checkSlot("Tolm_setValue", index);
    sharedTable[static_cast<size_t>(index)] = value;
}

int32_t Tolm_getValue(int index) {
    checkSlot("Tolm_getValue", index);
    return sharedTable[static_cast<size_t>(index)];
}

void Tolm_clearValues() { sharedTable.fill(0); }

int32_t randomIn(int32_t lo, int32_t hi) { return randomIn(generator(), lo, hi); }

int32_t randomIn(std::mt19937& engine, int32_t lo, int32_t hi) {
    const int64_t span = static_cast<int64_t>(hi) - lo;
    if (span < 1) return -1;
    const uint32_t v = static_cast<uint32_t>(engine());
    return static_cast<int32_t>(lo + static_cast<int64_t>(v % static_cast<uint64_t>(span)));
}

uint32_t randomSeed() { return static_cast<uint32_t>(generator()()); }

void Tolm_seedRandom(uint32_t seed) { generator().seed(seed); }

double Tolm_sin(double degrees) { return std::sin(degrees / 180.0 * PI); }
double Tolm_cos(double degrees) { return std::cos(degrees / 180.0 * PI); }
