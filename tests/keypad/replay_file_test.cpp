// Replay files: exact bytes written, records read back, truncated and oversize files, PLAY.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "keypad/keypad.h"
#include "support/error_of.h"
#include "support/framework.h"
#include "tolm2/tolm2.h"

namespace fs = std::filesystem;

namespace {

using ReplayFile = FrameworkTest;

const std::string ZERO_RECORD(REPLAY_RECORD_BYTES, '\0');

// A record with the given fields (0..11, file order) set to 01 00.
std::string record(std::initializer_list<int> fields) {
    std::string bytes = ZERO_RECORD;
    for (int field : fields) bytes[static_cast<size_t>(field) * 2] = 1;
    return bytes;
}

enum Field {
    HOLD_A, HOLD_B, HOLD_LEFT, HOLD_UP, HOLD_RIGHT, HOLD_DOWN,
    PUSH_A, PUSH_B, PUSH_LEFT, PUSH_UP, PUSH_RIGHT, PUSH_DOWN,
};

TEST_F(ReplayFile, ThreeUpdatesSaveFiveRecords) {
    Keypad pad(0);
    headless::setKey(KEY_Z, true);
    nextFrame();
    pad.update();
    headless::setKey(KEY_LEFT, true);
    nextFrame();
    pad.update();
    headless::setKey(KEY_Z, false);
    nextFrame();
    pad.update();
    ASSERT_TRUE(pad.save("replay/replay_01.bin"));
    EXPECT_EQ(readFile("replay/replay_01.bin"),
              ZERO_RECORD + record({HOLD_A, PUSH_A}) +
                  record({HOLD_A, HOLD_LEFT, PUSH_LEFT}) + record({HOLD_LEFT}) + ZERO_RECORD);
}

TEST_F(ReplayFile, ButtonNotRecordedIsZeroInEveryRecord) {
    Keypad pad(0);
    pad.setRecordB(false);
    headless::setKey(KEY_X, true);
    headless::setKey(KEY_UP, true);
    nextFrame();
    pad.update();
    pad.save("replay/replay_02.bin");
    EXPECT_EQ(readFile("replay/replay_02.bin"),
              ZERO_RECORD + record({HOLD_UP, PUSH_UP}) + ZERO_RECORD);
}

TEST_F(ReplayFile, NeverUpdatedSavesOneZeroRecordOverALongerFile) {
    writeFile("replay/replay_03.bin", std::string(10 * REPLAY_RECORD_BYTES, '\x01'));
    EXPECT_TRUE(Keypad(0).save("replay/replay_03.bin"));
    EXPECT_EQ(readFile("replay/replay_03.bin"), ZERO_RECORD);
}

TEST_F(ReplayFile, SaveFailuresThrow) {
    Keypad pad(0);
    EXPECT_EQ(errorOf([&] { pad.save("missing/replay_01.bin"); }),
              "Cannot open or create file 'missing/replay_01.bin'");
    EXPECT_FALSE(fs::exists("missing"));
    // Only a plain file is replaced, never a FIFO or a folder.
    ASSERT_EQ(::mkfifo("replay/fifo.bin", 0600), 0);
    fs::create_directory("replay/folder.bin");
    for (const std::string target : {"replay/fifo.bin", "replay/folder.bin"}) {
        EXPECT_EQ(errorOf([&] { pad.save(target); }), "Cannot write file '" + target + "'");
    }
    EXPECT_EQ(fs::status("replay/fifo.bin").type(), fs::file_type::fifo);
    EXPECT_TRUE(fs::is_directory("replay/folder.bin"));
}

TEST_F(ReplayFile, TwoRecordsLoadIntoPlayMode) {
    writeFile("replay/r.bin", ZERO_RECORD + record({HOLD_RIGHT, PUSH_DOWN}));
    Keypad pad(0);
    EXPECT_TRUE(pad.load("replay/r.bin"));
    EXPECT_EQ(pad.getRecordLength(), 2);
    EXPECT_EQ(pad.getMode(), Keypad::PLAY);
    EXPECT_EQ(pad.getFrame(), 0);
    EXPECT_TRUE(pad.stateAt(1).holdRight);
    EXPECT_TRUE(pad.stateAt(1).pushDown);
    EXPECT_FALSE(pad.stateAt(1).holdDown);
}

TEST_F(ReplayFile, RecordCutAfterThreeFieldsKeepsThemButIsNotCounted) {
    const std::string cut = record({HOLD_A, HOLD_B, HOLD_LEFT, HOLD_UP}).substr(0, 6);
    writeFile("replay/r.bin", ZERO_RECORD + cut);
    Keypad pad(0);
    EXPECT_FALSE(pad.load("replay/r.bin"));
    EXPECT_EQ(pad.getRecordLength(), 1);
    EXPECT_EQ(pad.getMode(), Keypad::PLAY);
    const KeypadState& partial = pad.stateAt(1);
    EXPECT_TRUE(partial.holdA && partial.holdB && partial.holdLeft);
    EXPECT_FALSE(partial.holdUp);
    EXPECT_EQ(readFile("run.log"), "not enough data in stream\n");
}

TEST_F(ReplayFile, SingleByteAfterARecordIsNotEnoughData) {
    writeFile("replay/r.bin", ZERO_RECORD + "\x01");
    Keypad pad(0);
    EXPECT_FALSE(pad.load("replay/r.bin"));
    EXPECT_EQ(pad.getRecordLength(), 1);
    EXPECT_EQ(readFile("run.log"), "not enough data in stream\n");
}

TEST_F(ReplayFile, EveryNonZeroValueReadsAsTrue) {
    std::string bytes = ZERO_RECORD;
    bytes[0] = '\x02';             // holdA = 2
    bytes[3] = '\x01';             // holdB = 0x0100
    bytes[4] = bytes[5] = '\xFF';  // holdLeft = -1
    bytes[7] = '\x80';             // holdUp = -32768
    writeFile("replay/r.bin", bytes);
    Keypad pad(0);
    ASSERT_TRUE(pad.load("replay/r.bin"));
    const KeypadState& state = pad.stateAt(0);
    EXPECT_TRUE(state.holdA && state.holdB && state.holdLeft && state.holdUp);
    EXPECT_FALSE(state.holdRight);
}

TEST_F(ReplayFile, UnopenableFileThrowsAndLeavesThePadAlone) {
    Keypad pad(0);
    pad.update();
    EXPECT_EQ(errorOf([&] { pad.load("replay/none.bin"); }),
              "Cannot open or create file 'replay/none.bin'");
    EXPECT_EQ(errorOf([&] { pad.load("replay"); }), "Cannot open or create file 'replay'");
    EXPECT_EQ(pad.getMode(), Keypad::RECORD);
    EXPECT_EQ(pad.getRecordLength(), 2);
}

TEST_F(ReplayFile, OversizeFileKeepsTheFirstRecordsAndSaysWhy) {
    std::string bytes;
    for (int32_t i = 0; i < MAX_FRAME - 1; ++i) bytes += ZERO_RECORD;
    bytes += record({PUSH_UP}) + record({HOLD_A});
    writeFile("replay/replay_01.bin", bytes);
    Keypad pad(0);
    EXPECT_FALSE(pad.load("replay/replay_01.bin"));
    EXPECT_EQ(pad.getRecordLength(), MAX_FRAME);
    EXPECT_TRUE(pad.stateAt(MAX_FRAME - 1).pushUp);
    EXPECT_EQ(readFile("run.log"),
              "replay/replay_01.bin: more than 36000 records; the rest is ignored\n");
}

TEST_F(ReplayFile, FullRecordingSavesAtMostTheWholeTableAndLoadsBack) {
    Keypad pad(0);
    for (int32_t i = 0; i < MAX_FRAME + 5; ++i) pad.update();
    pad.save("replay/full.bin");
    EXPECT_EQ(fs::file_size("replay/full.bin"),
              static_cast<uintmax_t>(MAX_FRAME) * REPLAY_RECORD_BYTES);
    Keypad again(0);
    EXPECT_TRUE(again.load("replay/full.bin"));
    EXPECT_EQ(again.getRecordLength(), MAX_FRAME);
}

TEST_F(ReplayFile, PlaybackRunsInStepWithTheRecordingThenRepeatsTheLastFrame) {
    Keypad recorder(0);
    headless::setKey(KEY_RIGHT, true);
    nextFrame();
    recorder.update();
    headless::setKey(KEY_RIGHT, false);
    nextFrame();
    recorder.update();
    recorder.save("replay/r.bin");

    Keypad player(0);
    ASSERT_TRUE(player.load("replay/r.bin"));
    headless::setKey(KEY_Z, true);
    nextFrame();
    player.update();
    EXPECT_TRUE(player.holdRight(false));
    EXPECT_TRUE(player.pushRight(false));
    EXPECT_FALSE(player.holdA(false));
    EXPECT_TRUE(player.holdA(true));  // raw asks the keyboard even in PLAY
    player.update();
    EXPECT_FALSE(player.holdRight(false));
    EXPECT_EQ(player.getFrame(), 2);
    for (int i = 0; i < 5; ++i) {
        player.update();
        EXPECT_EQ(player.getFrame(), player.getRecordLength() - 1) << "update " << i;
    }
    EXPECT_EQ(player.getMode(), Keypad::PLAY);
}

// A file without records leaves no frame to play: every stored answer is false.
TEST_F(ReplayFile, EmptyFilePlaysNothing) {
    writeFile("replay/empty.bin", "");
    Keypad pad(0);
    headless::setKey(KEY_Z, true);
    nextFrame();
    pad.update();
    ASSERT_TRUE(pad.load("replay/empty.bin"));
    EXPECT_EQ(pad.getRecordLength(), 0);
    EXPECT_FALSE(pad.holdA(false));  // frame 1 lies beyond the loaded records
    pad.update();
    EXPECT_EQ(pad.getFrame(), -1);
    EXPECT_FALSE(pad.holdA(false));
    EXPECT_FALSE(pad.pushA(false));
    pad.update();
    EXPECT_EQ(pad.getFrame(), -1);
    EXPECT_TRUE(pad.holdA(true));
}

}  // namespace
