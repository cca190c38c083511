// The machine checks behind needs.h.
#include "support/needs.h"

#include <cstdlib>

::testing::AssertionResult needsX() {
    if (std::getenv("DISPLAY") != nullptr) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "needs X: run under xvfb-run";
}
