// The picture and sound that the title, the scores screen and the game all use.
#include "gamecore/shared_resources.h"

#include "tolm2/tolm2.h"

void loadSharedResources() {
    if (Tolm_hasTexture("menu")) return;
    Tolm_loadTexture("menu", "resource/image/menu.bmp", MASK_GREEN);
    Tolm_loadWAV("select", "resource/sound/select.wav");
}
