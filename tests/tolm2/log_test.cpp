// The run log keeps exactly the bytes logged, and the shared services behave at their edges.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "support/error_of.h"
#include "support/scratch.h"
#include "tolm2/internal.h"
#include "tolm2/tolm2.h"

TEST(RunLog, KeepsLoggedBytesExactlyAndAppendsErrorsAsLines) {
    ScratchDir dir(false);
    Tolm_log("TitleMain\n");
    EXPECT_EQ(readFile(LOG_FILE), "TitleMain\n");
    Tolm_log("Unknown msg at loop.");
    Tolm_log("%d-%s|", 42, "x");
    Tolm_logError(TolmError(QUIT_MESSAGE));
    EXPECT_EQ(readFile(LOG_FILE), "TitleMain\nUnknown msg at loop.42-x|dTolm system quit.\n");
}

// A log that cannot be written costs the file, never the run: one warning, then stdout.
TEST(RunLog, ResetStartsAFreshLogAndAnUnwritableLogFallsBackToStandardOutput) {
    ScratchDir dir(false);
    Tolm_log("old run\n");
    Tolm_resetLog();
    EXPECT_FALSE(std::filesystem::exists(LOG_FILE));
    Tolm_resetLog();  // nothing to delete is fine
    std::filesystem::create_directory(LOG_FILE);  // a folder where the file should be
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    Tolm_log("first\n");
    Tolm_logError(TolmError("second"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "first\nsecond\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "korvane: cannot write run.log (Is a directory); logging to standard output only\n");
    std::filesystem::remove(LOG_FILE);
    Tolm_resetLog();
    Tolm_log("again\n");
    EXPECT_EQ(readFile(LOG_FILE), "again\n");
}

TEST(SharedTable, StoresByIndexAndRefusesOutOfRangeSlots) {
    Tolm_clearValues();
    EXPECT_EQ(Tolm_getValue(10), 0);
    Tolm_setValue(10, 5);
    Tolm_setValue(SHARED_SLOTS - 1, -7);
    EXPECT_EQ(Tolm_getValue(10), 5);
    EXPECT_EQ(Tolm_getValue(SHARED_SLOTS - 1), -7);
    EXPECT_THROW(Tolm_getValue(SHARED_SLOTS), TolmError);
    EXPECT_EQ(errorOf([] { Tolm_setValue(-1, 1); }), "Tolm_setValue: index out of range: -1");
    Tolm_clearValues();
    EXPECT_EQ(Tolm_getValue(10), 0);
}

TEST(RandomIn, StaysInsideItsRangeAndAnswersMinusOneForEmptyRanges) {
    Tolm_seedRandom(7);
    EXPECT_EQ(randomIn(5, 5), -1);
    EXPECT_EQ(randomIn(5, 4), -1);
    std::set<int32_t> seen;
    for (int i = 0; i < 5000; ++i) {
        EXPECT_EQ(randomIn(0, 1), 0);
        const int32_t r = randomIn(1, 360);
        ASSERT_GE(r, 1);
        ASSERT_LE(r, 359);
        seen.insert(randomIn(10, 20));
    }
    EXPECT_EQ(seen.size(), 10u);
    // The span of the whole int32 range must not overflow.
    const int32_t wide = randomIn(INT32_MIN, INT32_MAX);
    EXPECT_NE(wide, INT32_MAX);
}

TEST(Trigonometry, TakesDegrees) {
    EXPECT_NEAR(Tolm_sin(90), 1.0, 1e-12);
    EXPECT_NEAR(Tolm_cos(180), -1.0, 1e-12);
    EXPECT_NEAR(Tolm_cos(60), 0.5, 1e-12);
    EXPECT_NEAR(Tolm_sin(-30), -0.5, 1e-12);
}
