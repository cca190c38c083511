// The idle rule: a paused or iconified game draws only when its picture changes, and
// sleeps in the event wait in between.
#pragma once

// Called by a scene during its step, on every frame its picture holds still by itself
// (the playing scene while paused, the title while its highlight stays). That frame and
// the wait after it are idle; any input event ends the wait.
void Tolm_holdStill();
// Called by the scene loop after the scene's step, and by Tolm_flip: whether this frame
// is drawn and shown. False only in an idle frame (held still, or iconified) when nothing
// has changed since the last frame drawn: the first idle frame is drawn, and so is one
// after an expose, a key, a button, a focus change or a new window size.
bool Tolm_frameWanted();
