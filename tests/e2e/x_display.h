// Direct X requests the e2e tests need and xdotool does not make.
#pragma once

#include <string>

// Opens one connection to $DISPLAY and keeps it for the life of the test process; later
// calls do nothing. xvfb-run starts Xvfb without -noreset, so the server resets whenever
// its last client leaves, and a client that connects during the reset is dropped: SDL
// probes the display by connecting and leaving at once, so a game started with no other
// client on the server fails now and then with "Couldn't initialize SDL". A connection
// held here means the client count never falls to zero.
// Returns false with a reason in error when libX11 or the display cannot be reached.
bool holdDisplayOpen(std::string& error);

// Sends the window (an X id in decimal, as xdotool prints it) a WM_PROTOCOLS client
// message carrying WM_DELETE_WINDOW. That message is all a window manager does when the
// user clicks the close box; SDL 1.2 turns it into SDL_QUIT.
// Returns false with a reason in error when the display or libX11 cannot be reached.
bool requestWindowClose(const std::string& window, std::string& error);

// How many pixels of the cursor now on the screen are not fully transparent, through the
// XFixes extension; -1 with a reason in error when libXfixes or the display cannot be
// reached.
int visibleCursorPixels(std::string& error);

// An X server of its own for one test, with a screen of the given size (a full screen
// of that size): Xvfb on a free display, which DISPLAY names for the test and the games it
// starts until this is dropped. The server is stopped then and DISPLAY put back.
class PrivateDisplay {
public:
    PrivateDisplay(int width, int height);
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

private:
    int pid = -1;
    std::string previous;
};
