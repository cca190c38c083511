// What a test needs from the machine, checked one way everywhere: ASSERT_TRUE(needsX()).
#pragma once

#include <gtest/gtest.h>

// Success when an X display is named; else a failure that says how to run the test.
::testing::AssertionResult needsX();
