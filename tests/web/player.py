# A player of the page in Debian's headless Chromium, driven through the DevTools protocol:
# the site served on a free port, pages opened, clicks, touches and keys at logical 640 x 480
# places, the canvas read as a 640 x 480 picture, files read from the page's IndexedDB; and
# the desktop build beside it on the X display of DISPLAY.
import atexit
import base64
import contextlib
import functools
import http.server
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

import websocket

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SITE = os.path.join(ROOT, "build-web", "site")
CHROMIUM = os.environ.get("CHROMIUM", "/usr/bin/chromium")
HOLD = 0.06  # a press lasts several of the game's 16 ms frames
WHITE = (255, 255, 255)
AWAY = (620, 470)  # off the board and the title's rows: a click here changes nothing
FULL_CLOCK = 10800  # frames on the clock of a game that has not started yet


# A gamepad of the standard mapping that the tests press through window.korvaneTestPad; it
# shows as connected once first pressed, as browsers show a real one.
TEST_PAD = """(() => {
    const pad = window.korvaneTestPad = {connected: false, index: 0, mapping: 'standard',
        axes: [0, 0, 0, 0], buttons: Array.from({length: 17}, () => ({pressed: false, value: 0}))};
    navigator.getGamepads = () => [pad.connected ? pad : null, null, null, null];
})();"""


def poll(test, timeout=30.0, failure=None, pause=0.1):
    """test()'s first true value within timeout, else None, or AssertionError(failure) if given."""
    deadline = time.monotonic() + timeout
    while not (value := test()) and time.monotonic() < deadline:
        time.sleep(pause)
    if not value and failure:
        raise AssertionError(failure)
    return value or None


class Site:
    """build-web/site on 127.0.0.1 at a free port, from a folder of links to it where the tests
    put extra files."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="korvane-web-")
        for name in os.listdir(SITE):
            os.symlink(os.path.join(SITE, name), os.path.join(self.folder, name))

        class Handler(http.server.SimpleHTTPRequestHandler):
            extensions_map = {".wasm": "application/wasm"}

            def log_message(self, *args):
                pass

        self.server = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), functools.partial(Handler, directory=self.folder))
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.url = "http://127.0.0.1:%d/" % self.server.server_address[1]

    def put(self, name, data):
        """Serves data as name; returns that."""
        with open(os.path.join(self.folder, name), "wb") as out:
            out.write(data)
        return name

    def close(self):
        self.server.shutdown()
        shutil.rmtree(self.folder, ignore_errors=True)


class Browser:
    """One headless Chromium with a fresh profile; every page shares its storage."""

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="korvane-chromium-")
        self.process = subprocess.Popen(
            [CHROMIUM, *"""--headless=new --no-sandbox --use-angle=swiftshader
             --enable-unsafe-swiftshader --disable-background-networking --disable-component-update
             --no-first-run --disable-sync --autoplay-policy=user-gesture-required
             --remote-debugging-port=0 about:blank""".split(), "--user-data-dir=" + self.profile],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        for line in self.process.stderr:
            found = re.search(r"DevTools listening on (ws://\S+)", line)
            if found:
                break
        else:
            raise RuntimeError("Chromium gave no DevTools address")
        threading.Thread(target=self.process.stderr.read, daemon=True).start()
        signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))  # so that close() runs
        atexit.register(self.close)
        self.socket = websocket.create_connection(found.group(1), timeout=120, suppress_origin=True,
                                                  skip_utf8_validation=True)
        self.next_id, self.events = 0, []

    def receive(self):
        """One message from Chromium, kept in events."""
        self.events.append(json.loads(self.socket.recv()))
        return self.events[-1]

    def call(self, method, session=None, **params):
        """Sends method and waits for its reply; events that come meanwhile are kept."""
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        self.socket.send(json.dumps(message))
        while True:
            reply = self.receive()
            if reply.get("id") == self.next_id:
                self.events.pop()
                if "error" in reply:
                    raise RuntimeError("%s: %s" % (method, reply["error"]))
                return reply["result"]

    def open(self, url, script=None):
        """A new 640 x 480 window showing url; script runs first in every document."""
        return Page(self, url, script)

    def processes(self):
        """Chromium and every process under it."""
        found = [self.process.pid]
        for pid in found:  # grows while read
            with contextlib.suppress(OSError), open("/proc/%d/task/%d/children" % (pid, pid)) as f:
                found += [int(child) for child in f.read().split()]
        return found

    def close(self):
        if self.process.poll() is None:
            with contextlib.suppress(Exception):
                self.call("Browser.close")
                self.process.wait(10)
            self.process.kill()
            self.process.wait()
            shutil.rmtree(self.profile, ignore_errors=True)


class Page:
    """One window of the browser, a tab of its own."""

    def __init__(self, browser, url, script):
        self.browser = browser
        self.target = browser.call("Target.createTarget", url="about:blank", newWindow=True)[
            "targetId"]
        self.session = browser.call("Target.attachToTarget", targetId=self.target,
                                    flatten=True)["sessionId"]
        self.call("Page.enable")
        self.call("Runtime.enable")
        self.call("Emulation.setDeviceMetricsOverride", width=640, height=480,
                  deviceScaleFactor=1, mobile=False)
        self.call("Emulation.setFocusEmulationEnabled", enabled=True)
        self.downloads = tempfile.mkdtemp(prefix="korvane-downloads-")
        self.call("Browser.setDownloadBehavior", behavior="allow", downloadPath=self.downloads)
        self.call("Page.addScriptToEvaluateOnNewDocument", source=TEST_PAD + (script or ""))
        self.go(url)

    def call(self, method, **params):
        return self.browser.call(method, self.session, **params)

    def own_event(self, event, method):
        return event.get("method") == method and event.get("sessionId") == self.session

    def go(self, url=None):
        """Navigates to url, or reloads without one; waits for the new document's load."""
        events = self.browser.events
        events[:] = [e for e in events if not self.own_event(e, "Page.loadEventFired")]
        self.call("Page.navigate", url=url) if url else self.call("Page.reload")
        poll(lambda: any(self.own_event(e, "Page.loadEventFired") for e in events) or
             self.browser.receive() and None, 30, "the page never loaded", pause=0)
        self.rect = None
        # Only the canvas shows in pictures: nothing the page lays over it.
        self.eval("""document.head.appendChild(Object.assign(document.createElement('style'), {
            textContent: 'body * { visibility: hidden } #canvas { visibility: visible }'}))""")

    def eval(self, expression):
        reply = self.call("Runtime.evaluate", expression=expression, awaitPromise=True,
                          returnByValue=True)
        if "exceptionDetails" in reply:
            raise RuntimeError("%s: %s" % (expression[:60], reply["exceptionDetails"]))
        return reply["result"].get("value")

    def wait_js(self, expression, timeout=30.0):
        return poll(lambda: self.eval(expression), timeout, "timed out waiting for " + expression)

    def console(self):
        """Every line the page has logged so far."""
        self.eval("0")  # its reply comes after the events sent before it
        return "\n".join(str(a.get("value", "")) for e in self.browser.events
                         if self.own_event(e, "Runtime.consoleAPICalled")
                         for a in e["params"]["args"]).splitlines()

    def canvas_rect(self):
        """Where the canvas lies in the viewport: left, top, width, height in CSS pixels."""
        self.rect = self.rect or self.eval("(() => { const r = document.getElementById('canvas')"
                                           ".getBoundingClientRect(); return [r.left, r.top, "
                                           "r.width, r.height]; })()")
        return self.rect

    def hold(self, method, events, **common):
        """Dispatches each of events by method, with common, each held HOLD."""
        for event in events:
            self.call(method, **common, **event)
            time.sleep(HOLD)

    def point(self, x, y):
        """Moves the pointer to logical (x, y); returns that place in CSS pixels."""
        left, top, width, height = self.canvas_rect()
        px, py = left + (x + 0.5) * width / 640, top + (y + 0.5) * height / 480
        self.call("Input.dispatchMouseEvent", type="mouseMoved", x=px, y=py)
        return px, py

    def click(self, x, y):
        px, py = self.point(x, y)
        self.hold("Input.dispatchMouseEvent", [{"type": "mousePressed", "buttons": 1},
                                               {"type": "mouseReleased", "buttons": 0}],
                  x=px, y=py, button="left", clickCount=1)

    def touch(self, x, y):
        px, py = self.point(x, y)
        self.hold("Input.dispatchTouchEvent", [{"type": "touchStart", "touchPoints": [
            {"x": px, "y": py}]}, {"type": "touchEnd", "touchPoints": []}])

    def key(self, *keys):
        """Presses each key, a letter, Escape or ArrowDown."""
        for key in keys:
            letter = len(key) == 1
            vk = ord(key.upper()) if letter else {"Escape": 27, "ArrowDown": 40}[key]
            self.hold("Input.dispatchKeyEvent", [{"type": "keyDown" if letter else "rawKeyDown"},
                                                 {"type": "keyUp"}],
                      key=key, code="Key" + key.upper() if letter else key,
                      text=key if letter else "", windowsVirtualKeyCode=vk, nativeVirtualKeyCode=vk)

    def pad(self, *buttons):
        """Presses each of the test pad's buttons (standard mapping: 0 A, 13 down)."""
        for button in buttons:
            for pressed in (True, False):
                self.eval("Object.assign(korvaneTestPad, {connected: true}).buttons[%d] = "
                          "{pressed: %s, value: %d}" % (button, str(pressed).lower(), pressed))
                time.sleep(HOLD)

    def picture(self):
        """The canvas as shown, as a 640 x 480 Picture (one pixel sampled per logical pixel)."""
        left, top, width, height = self.canvas_rect()
        png = self.call("Page.captureScreenshot", format="png", clip={
            "x": left, "y": top, "width": width, "height": height, "scale": 1})["data"]
        rgba = self.eval("""(async () => {
            const g = new OffscreenCanvas(640, 480).getContext('2d');
            g.imageSmoothingEnabled = false;
            g.drawImage(await createImageBitmap(await (await fetch('data:image/png;base64,%s'))
                .blob()), 0, 0, 640, 480);
            const r = new FileReader();
            r.readAsDataURL(new Blob([g.getImageData(0, 0, 640, 480).data]));
            return (await new Promise(ok => { r.onload = () => ok(r.result); })).split(',')[1];
        })()""" % png)
        return Picture(640, 480, base64.b64decode(rgba), 4, (0, 1, 2))

    def wait_for(self, test, timeout=30.0):
        """Pictures until test(picture) holds: that picture, or None at the deadline."""
        return poll(lambda: (lambda shot: test(shot) and shot)(self.picture()), timeout)

    def files(self):
        """{name: bytes} of every file the page keeps in IndexedDB (Emscripten's IDBFS)."""
        found = self.eval("""(async () => {
            const out = {}, done = r => new Promise(ok => { r.onsuccess = () => ok(r.result); });
            for (const info of await indexedDB.databases()) {
                const db = await done(indexedDB.open(info.name));
                for (const name of db.objectStoreNames) {
                    const store = db.transaction(name).objectStore(name);
                    const [keys, files] = await Promise.all([done(store.getAllKeys()),
                                                             done(store.getAll())]);
                    keys.forEach((k, n) => { if (files[n] && files[n].contents) out[String(k)
                        .split('/').pop()] = Array.from(new Uint8Array(files[n].contents)); });
                }
                db.close();
            }
            return out;
        })()""")
        return {name: bytes(data) for name, data in found.items()}

    def downloaded(self, name, timeout=10.0):
        path = os.path.join(self.downloads, name)
        poll(lambda: os.path.exists(path), timeout, "no download " + name)
        time.sleep(0.3)  # written out
        with open(path, "rb") as data:
            return data.read()

    def close(self):
        self.browser.call("Target.closeTarget", targetId=self.target)
        shutil.rmtree(self.downloads, ignore_errors=True)


class Picture:
    """An RGB picture, read the way a player reads the screen."""

    def __init__(self, width, height, data, step, order):
        """data holds step bytes a pixel, its red, green and blue at the offsets of order."""
        self.width, self.height, self.rgb = width, height, bytearray(3 * width * height)
        for c in range(3):
            self.rgb[c::3] = data[order[c]::step]

    def pixel(self, x, y):
        return tuple(self.rgb[3 * (y * self.width + x):3 * (y * self.width + x) + 3])

    def differing_share(self, other, tolerance=24):
        """The share of pixels whose channels differ by more than tolerance."""
        a, b = self.rgb, other.rgb
        return sum(max(abs(a[i] - b[i]), abs(a[i + 1] - b[i + 1]), abs(a[i + 2] - b[i + 2]))
                   > tolerance for i in range(0, len(a), 3)) / (self.width * self.height)

    def shows(self, text, x, y, scale, colour=WHITE):
        """True when text is written from (x, y) at a whole scale in colour, every pixel of each
        glyph's cell inked or not as the game's font has it."""
        return all(px < self.width and py < self.height and
                   (max(abs(p - c) for p, c in zip(self.pixel(px, py), colour)) <= 4) == ink
                   for k, char in enumerate(text) if char != " "
                   for t, ink in enumerate(font()[char])
                   for px in range(x + scale * (8 * k + t % 8), x + scale * (8 * k + t % 8 + 1))
                   for py in range(y + scale * (t // 8), y + scale * (t // 8 + 1)))

    def digits(self, x, y, scale, count=99):
        """Up to count white digits written from (x, y) at a whole scale, or None."""
        found = ""
        while len(found) < count and (digit := next((d for d in "0123456789" if self.shows(
                d, x + 8 * scale * len(found), y, scale)), None)):
            found += digit
        return found or None

    def score(self):
        shown = self.digits(410, 110, 4)
        return int(shown) if shown else None

    def clock(self):
        """Frames left on the game's clock ("TIME mm:ss:ff"), or None."""
        fields = self.shows("TIME", 50, 30, 2) and [self.digits(50 + 16 * cell, 30, 2, count=2)
                                                    for cell in (5, 8, 11)]
        if not fields or not all(f and len(f) == 2 for f in fields):
            return None
        return int(fields[0]) * 3600 + int(fields[1]) * 60 + int(fields[2])

    def empty_place(self, x, y):
        """True when the 32 x 32 place centred on (x, y) is nearly all black board."""
        dark = sum(1 for v in range(-16, 16) for u in range(-16, 16)
                   if max(self.pixel(x + u, y + v)) <= 16)
        return dark * 10 >= 32 * 32 * 9


def read_bmp(path):
    """An uncompressed 24- or 32-bit BMP as a Picture."""
    with open(path, "rb") as f:
        data = f.read()
    offset, width, height = (int.from_bytes(data[at:at + 4], "little", signed=True)
                             for at in (10, 18, 22))
    depth, size = data[28] // 8, abs(height)
    stride = (width * depth + 3) // 4 * 4
    rows = [data[offset + r * stride:offset + r * stride + width * depth] for r in range(size)]
    return Picture(width, size, b"".join(rows if height < 0 else rows[::-1]), depth, (2, 1, 0))


@functools.lru_cache(None)
def font():
    """Each character's 64 inked flags, from the game's own font sheet."""
    sheet = read_bmp(os.path.join(ROOT, "resource", "font", "font.bmp"))
    order = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz.()[]#$%&'\"!?^+-*/=;:"
    return {c: [sheet.pixel((i % 16) * 8 + t % 8, (i // 16) * 8 + t // 8) == WHITE
                for t in range(64)] for i, c in enumerate(order)}


def card_centre(index):
    """The centre of card index of LINE's grid; card i and card i + 30 are twins."""
    return 66 + 33 * (index % 10), 116 + 33 * (index // 10)


def title_row(mode):
    """A point on the title's row of mode (1 LINE .. 6 REVERSE)."""
    return 200, 192 + 30 * mode


def title_shown(shot):
    return shot.shows("MENU CLICK TO START", 180, 400, 2)


def results_shown(shot):
    return shot.shows("RESULTS", 110, 160, 4)


def reach_title(page, timeout=60.0, nudge=None):
    """Past the logo with clicks (or nudge()) until the title's prompt shows; its picture."""
    nudged = [0.0]

    def title():
        shot = page.picture()
        if title_shown(shot):
            return shot
        if time.monotonic() - nudged[0] > 3:  # a press on a title fading in may start a mode
            nudged[0] = time.monotonic()
            (nudge or (lambda: page.click(*AWAY)))()
    return poll(title, timeout, "the title never showed", pause=0)


def start_game(page, start, timeout=40.0):
    """Calls start() on the title, again while the title still shows; waits until the game's
    clock runs and returns its score."""
    start()

    def running():
        shot = page.picture()
        if (shot.clock() or FULL_CLOCK) < FULL_CLOCK and shot.score() is not None:
            return shot
        if title_shown(shot) and (time.sleep(1.0) or title_shown(page.picture())):
            start()
    return poll(running, timeout, "the game's clock never ran", pause=0).score()


def take_line_pairs(page, pairs):
    """Takes LINE's twin pairs (card i with card i + 30) by clicks, then takes again those
    whose places still show a card; True once every place of them is empty."""
    left = list(pairs)
    for _ in range(4):
        for card in (c for i in left for c in (i, i + 30)):
            page.click(*card_centre(card))
        page.point(*AWAY)
        time.sleep(1.0)  # the take animations
        shot = page.picture()
        left = [i for i in left if not all(shot.empty_place(*card_centre(c)) for c in (i, i + 30))]
        if results_shown(shot) or not left:
            return True
    return False


class Desktop:
    """build/korvane on the X display of DISPLAY, in a scratch folder of its own."""

    def __init__(self, *args, folder=None):
        self.folder = folder or tempfile.mkdtemp(prefix="korvane-desktop-")
        os.makedirs(os.path.join(self.folder, "replay"), exist_ok=True)
        if not os.path.exists(os.path.join(self.folder, "resource")):
            os.symlink(os.path.join(ROOT, "resource"), os.path.join(self.folder, "resource"))
        self.process = subprocess.Popen(
            [os.path.join(ROOT, "build", "korvane"), *args], cwd=self.folder,
            env={**os.environ, "SDL_AUDIODRIVER": "dummy"},
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def log(self):
        try:
            with open(os.path.join(self.folder, "run.log"), errors="replace") as log:
                return log.read().splitlines()
        except OSError:
            return []

    def wait_for_log(self, test, timeout=30.0, nudge=None):
        """The first log line for which test holds; nudge() is called while waiting."""
        found = poll(lambda: [line for line in self.log() if test(line)] or (nudge and nudge()),
                     timeout, pause=0.3)
        if not found:
            raise AssertionError("the desktop game never logged it; last: %s" % self.log()[-1:])
        return found[0]

    def click(self, x, y, key=None):
        """A click at (x, y) of the game's window; with key, that key pressed instead, the
        pointer at (x, y) for focus. The window is looked up each time: the first one may be
        a probe's."""
        window = poll(lambda: subprocess.run(
            ["xdotool", "search", "--pid", str(self.process.pid), "--name", "^KORVANE$"],
            capture_output=True, text=True).stdout.split(), 10, "the desktop game shows no window")
        press = ["keydown", key, "sleep", "0.1", "keyup", key] if key else \
            ["mousedown", "1", "sleep", "0.1", "mouseup", "1"]
        subprocess.run(["xdotool", "mousemove", "--window", window[-1], str(x), str(y), *press],
                       stderr=subprocess.DEVNULL)

    def reach_title(self):
        self.wait_for_log(lambda line: line == "TitleMain", nudge=lambda: self.click(*AWAY))

    def close(self):
        self.process.kill()
        self.process.wait()
        shutil.rmtree(self.folder, ignore_errors=True)
