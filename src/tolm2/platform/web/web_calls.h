// The browser platform's calls into the page (korvane_platform.js). Those marked "sleeps"
// give the browser back its thread until they return (the build lists them for asyncify).
#pragma once

#include <cstdint>

extern "C" {
// Start-up: the page's listeners and its window.korvane hooks.
void kv_start();
// Sleeps: ms milliseconds; or until an input or window event, at most ms.
void kv_sleep(uint32_t ms);
void kv_wait_event(uint32_t ms);
// The window events since the last call, as bits; each call counts one frame.
int kv_take_events();
int kv_take_focus_loss();
// Keys down, or pressed and released, since the last call, by SDL 1.2 key symbol.
void kv_keys(bool* down, int count);
int kv_mouse_buttons();
int kv_mouse_x();
int kv_mouse_y();
void kv_show_cursor(int show);
void kv_set_title(const char* text);
// Asks the browser for the page's full screen (on) or leaves it; refused quietly
// without the player's recent click or key.
void kv_set_full_screen(int on);
// After the frame is drawn, before the browser shows it.
void kv_present();
void kv_pads_update();
int kv_pad_connected(int index);
int kv_pad_button(int index, int button);
int kv_pad_axis(int index, int axis);

int kv_sample_load(const char* path);
void kv_sample_free(int id);
void kv_sample_play(int id, int loops, int channel);
void kv_channel_halt(int channel);
int kv_music_load(const char* path);
int kv_music_play(int loops, int fadeMs);
void kv_music_fade_out(int ms);
void kv_music_pause();
void kv_music_resume();
void kv_music_free();
void kv_set_muted(int muted);
// Music and effects volumes, 0 to 1.
void kv_set_volumes(double music, double effects);

// Sleeps: mounts the player's folder and reads it in from storage, then makes it current.
void kv_files_open();
int kv_files_kept();
// Sleeps: the page's lock over the player's files, then what other tabs saved.
void kv_files_hold();
void kv_files_release();
// Sleeps: writes the player's folder to storage.
void kv_files_save();
int kv_offer_file(const char* path);
int kv_take_handed(char* buffer, int size);
}

// The window events' bits of kv_take_events.
// KV_MOVED only ends an idle wait: the pointer is read with the frame's input.
inline constexpr int KV_REDRAW = 1, KV_PRESSED = 2, KV_ICONIFIED = 4, KV_RESTORED = 8,
                     KV_MOVED = 16;
