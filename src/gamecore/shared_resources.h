// The picture and sound that the title, the scores screen and the game all use.
#pragma once

// Called by the scene loop at start-up and by the playing scene's set-up: loads the "menu"
// picture and the "select" sound, unless an earlier call did (the picture stands for
// both). Throws the framework's error for a missing file.
void loadSharedResources();
