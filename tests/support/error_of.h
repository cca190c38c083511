// The message of the TolmError an action throws, for tests that compare exact texts.
#pragma once

#include <string>

#include "tolm2/error.h"

// "(no error)" when the action throws nothing; other exceptions pass through.
template <typename Action>
std::string errorOf(Action&& action) {
    try {
        action();
    } catch (const TolmError& e) {
        return e.what();
    }
    return "(no error)";
}
