// Sound effects kept under string keys, and one streamed piece of music.
#pragma once

#include <cstdint>
#include <string>

// Loads or replaces the sample under key. Throws "Tolm_loadWAV: <mixer error>(<file>)";
// in silence, "Tolm_loadWAV: Couldn't open <file>(<file>)" for a file that cannot be read.
void Tolm_loadWAV(const std::string& key, const std::string& file);
// Plays the sample once (loops 0) on channel (-1: any free one); no free channel is
// silently skipped. Throws "Tolm_playWAV: Has not exist key: <key>".
void Tolm_playWAV(const std::string& key, int32_t loops, int32_t channel);
// Frees one sample, or all with the empty key. Throws
// "Tolm_disposeWAV: Has not exist key: <key>".
void Tolm_disposeWAV(const std::string& key);
void Tolm_haltChannel(int32_t channel);
// Replaces the music and starts it (loops -1: for ever; fadeInMs <= 0: at once).
// Throws "Tolm_playBgm: <error>"; in silence, "Tolm_playBgm: Couldn't open <file>" for a
// file that cannot be read.
void Tolm_playBgm(const std::string& file, int32_t loops, int32_t fadeInMs);
// Stops at once (fadeOutMs <= 0, freeing it) or fades out, keeping it loaded.
void Tolm_stopBgm(int32_t fadeOutMs);
// The playing scene's pause: the music stops where it is, and goes on from there.
void Tolm_pauseBgm();
void Tolm_resumeBgm();
// The M key, in every scene: effects and music silent or at full volume. Tolm_quit
// forgets it; a start-up applies it again when it was set before.
void Tolm_setMuted(bool muted);
bool Tolm_isMuted();
