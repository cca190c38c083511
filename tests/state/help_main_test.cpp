// How to play: its pages, the ways they turn, the ways back, and what each page draws.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "state/help_main.h"
#include "support/framework.h"
#include "tolm2/tolm2.h"

namespace {

class HelpScene : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        Tolm_loadWAV("select", "resource/sound/select.wav");  // loaded at start-up in the game
    }
};

// Each row: the inputs in turn, then the page shown and the message left.
TEST_F(HelpScene, PagesTurnWithinTheirRangeAndBHOrAClickOutsideGoBack) {
    using Inputs = std::vector<std::function<void(bool)>>;
    const auto right = keyInput(KEY_RIGHT);
    const auto z = keyInput(KEY_Z);
    const std::vector<std::tuple<Inputs, int32_t, int32_t>> cases = {
        {{right}, 1, MSG_STAY},
        {{right, right, right, keyInput(KEY_LEFT)}, 1, MSG_STAY},
        {{keyInput(KEY_LEFT)}, 0, MSG_STAY},
        {{leftClick(570, 250), leftClick(70, 250), leftClick(70, 250)}, 0, MSG_STAY},
        {{leftClick(570, 250), leftClick(320, 240)}, 1, MSG_STAY},  // the page itself
        {{z, z}, 2, MSG_STAY},
        {{z, z, z}, 2, MSG_TITLE},
        {{right, leftClick(620, 470)}, 1, MSG_TITLE},
        {{leftClick(320, 20)}, 0, MSG_TITLE},
        {{keyInput(KEY_X)}, 0, MSG_TITLE},
        {{keyInput(KEY_H)}, 0, MSG_TITLE},
    };
    for (size_t row = 0; row < cases.size(); ++row) {
        const auto& [inputs, page, message] = cases[row];
        HelpMain help;
        for (const auto& input : inputs) frameWith(help, input);
        EXPECT_EQ(std::make_pair(help.getPage(), help.getMsg()), std::make_pair(page, message))
            << "row " << row;
    }
}

// Every page shows the title, the first two cards of "tama"; the combos page names all five
// bonuses.
TEST_F(HelpScene, EveryPageDrawsItsCardsAndTheCombosPageNamesTheFiveBonuses) {
    HelpMain help;
    for (int32_t page = 0; page < 3; ++page) {
        frameWith(help, [](bool) {});
        EXPECT_NE(findText("HOW TO PLAY"), nullptr) << page;
        EXPECT_EQ(quadsOf("tama").size() >= 8u, page < 2) << page;
        if (page == 1) {
            for (const char* name : {"COLOR", "SIGNAL", "NUMBER", "STEP ", "8 BIT"}) {
                EXPECT_NE(findText(name), nullptr) << name;
            }
        }
        frameWith(help, keyInput(KEY_RIGHT));
    }
}

}  // namespace
