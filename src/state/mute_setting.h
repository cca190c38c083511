// The mute key: M silences effects and music in every scene, and the choice is kept.
#pragma once

// The scene loop's resource load, once per run: applies "MUTE = 1" from "config.ini".
// A file without the key, or one that cannot be read, means not muted; nothing fails.
void restoreMute();
// The scene loop, every frame before the scene's step: M toggles the mute and saves it
// under "MUTE" (0 or 1), changing no other key; a failed save is logged only.
void serveMuteKey();
// M, and the options screen's MUTE row: mutes or unmutes and saves it as M does.
void setMute(bool muted);
// The scene loop, every frame after the scene's draw: a small "MUTE" in the bottom-left
// corner while muted.
void drawMuteMarker();
