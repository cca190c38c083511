// The scene loop: switches scenes by message and runs one frame of the current scene.
#pragma once

class GameState;

// Called once by the entry after Tolm_init: the shared "menu" and "select".
// Throws the framework's error for a missing file.
void loadResources();
// Called once per frame by the entry. Returns false after a message outside the known
// ones, which ends the main loop.
bool execLoop();
// The scene now running, or nullptr before the first pass; for tests.
GameState* currentScene();
// Drops the current scene; for tests.
void resetSceneLoop();
