# A player of the page in Debian's headless Chromium, driven through the DevTools protocol:
# the site served on a free port, pages opened, clicks, touches and keys at logical 640 x 480
# places, the canvas read as a 640 x 480 picture, files read from the page's IndexedDB.
import atexit
import base64
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


class Site:
    """build-web/site on 127.0.0.1 at a free port; extra files are served under /extra/."""

    def __init__(self):
        self.extra = tempfile.mkdtemp(prefix="korvane-web-")
        site, extra = SITE, self.extra

        class Handler(http.server.SimpleHTTPRequestHandler):
            def translate_path(self, path):
                if path.startswith("/extra/"):
                    return os.path.join(extra, os.path.basename(path.split("?")[0]))
                return super().translate_path(path)

            def log_message(self, *args):
                pass

        Handler.extensions_map = {**Handler.extensions_map, ".wasm": "application/wasm"}
        self.server = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), functools.partial(Handler, directory=site))
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.url = "http://127.0.0.1:%d/" % self.server.server_address[1]

    def put(self, name, data):
        with open(os.path.join(self.extra, name), "wb") as out:
            out.write(data)
        return "extra/" + name

    def close(self):
        self.server.shutdown()
        shutil.rmtree(self.extra, ignore_errors=True)


class Browser:
    """One headless Chromium with a fresh profile; every page shares its storage."""

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="korvane-chromium-")
        self.process = subprocess.Popen(
            [CHROMIUM, "--headless=new", "--no-sandbox", "--use-angle=swiftshader",
             "--enable-unsafe-swiftshader", "--disable-background-networking",
             "--disable-component-update", "--no-first-run", "--disable-sync",
             "--autoplay-policy=user-gesture-required", "--remote-debugging-port=0",
             "--user-data-dir=" + self.profile, "about:blank"],
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
        self.next_id = 0
        self.events = []

    def call(self, method, session=None, **params):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        self.socket.send(json.dumps(message))
        while True:
            reply = json.loads(self.socket.recv())
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError("%s: %s" % (method, reply["error"]))
                return reply["result"]
            self.events.append(reply)

    def wait_event(self, method, session, timeout=30.0):
        """The first event of method for session not yet taken, waiting for it."""
        deadline = time.monotonic() + timeout
        while True:
            for event in self.events:
                if event.get("method") == method and event.get("sessionId") == session:
                    self.events.remove(event)
                    return event
            if time.monotonic() > deadline:
                raise AssertionError("no event " + method)
            self.events.append(json.loads(self.socket.recv()))

    def pump(self):
        """Collects the events sent so far without waiting."""
        self.socket.settimeout(0.001)
        try:
            while True:
                self.events.append(json.loads(self.socket.recv()))
        except (websocket.WebSocketTimeoutException, TimeoutError):
            pass
        finally:
            self.socket.settimeout(120)

    def open(self, url, width=640, height=480, script=None):
        """A new window at width x height showing url; script runs first in every document."""
        target = self.call("Target.createTarget", url="about:blank", newWindow=True)["targetId"]
        session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        return Page(self, session, target, url, width, height, script)

    def processes(self):
        """Chromium and every process under it."""
        found, todo = [], [self.process.pid]
        while todo:
            pid = todo.pop()
            found.append(pid)
            try:
                with open("/proc/%d/task/%d/children" % (pid, pid)) as children:
                    todo += [int(c) for c in children.read().split()]
            except OSError:
                pass
        return found

    def close(self):
        if self.process.poll() is not None:
            return
        try:
            self.call("Browser.close")
        except Exception:
            pass
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


KEYS = {  # DOM key, code and Windows key code of the keys the tests press
    "z": ("z", "KeyZ", 90), "s": ("s", "KeyS", 83), "d": ("d", "KeyD", 68), "p": ("p", "KeyP", 80),
    "Escape": ("Escape", "Escape", 27), "Down": ("ArrowDown", "ArrowDown", 40),
}


class Page:
    def __init__(self, browser, session, target, url, width, height, script):
        self.browser, self.session, self.target = browser, session, target
        for domain in ("Page", "Runtime"):
            self.call(domain + ".enable")
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=1, mobile=False)
        self.call("Emulation.setFocusEmulationEnabled", enabled=True)
        self.downloads = tempfile.mkdtemp(prefix="korvane-downloads-")
        self.call("Browser.setDownloadBehavior", behavior="allow", downloadPath=self.downloads)
        if script:
            self.call("Page.addScriptToEvaluateOnNewDocument", source=script)
        self.go(url)

    def call(self, method, **params):
        return self.browser.call(method, self.session, **params)

    def go(self, url):
        self.load("Page.navigate", url=url)

    def reload(self):
        self.load("Page.reload")

    def load(self, method, **params):
        """Navigates by method and waits for the new document's load and canvas."""
        self.browser.events = [e for e in self.browser.events if not (
            e.get("method") == "Page.loadEventFired" and e.get("sessionId") == self.session)]
        self.call(method, **params)
        self.browser.wait_event("Page.loadEventFired", self.session)
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
        deadline = time.monotonic() + timeout
        while True:
            value = self.eval(expression)
            if value:
                return value
            if time.monotonic() > deadline:
                raise AssertionError("timed out waiting for " + expression)
            time.sleep(0.1)

    def console(self):
        """Every line the page has logged so far."""
        self.browser.pump()
        lines = []
        for event in self.browser.events:
            if event.get("sessionId") == self.session and \
                    event.get("method") == "Runtime.consoleAPICalled":
                lines += [str(a.get("value", "")) for a in event["params"]["args"]]
        return "\n".join(lines).splitlines()

    def canvas_rect(self):
        """Where the canvas lies in the viewport: left, top, width, height in CSS pixels."""
        if not getattr(self, "rect", None):
            self.rect = self.eval("(() => { const r = document.getElementById('canvas')"
                                  ".getBoundingClientRect(); return [r.left, r.top, r.width,"
                                  " r.height]; })()")
        return self.rect

    def at(self, x, y):
        left, top, width, height = self.canvas_rect()
        return left + (x + 0.5) * width / 640, top + (y + 0.5) * height / 480

    def point(self, x, y):
        px, py = self.at(x, y)
        self.call("Input.dispatchMouseEvent", type="mouseMoved", x=px, y=py)

    def click(self, x, y, button="left"):
        px, py = self.at(x, y)
        self.call("Input.dispatchMouseEvent", type="mouseMoved", x=px, y=py)
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=px, y=py, button=button,
                      buttons=1 if kind == "mousePressed" else 0, clickCount=1)
            time.sleep(HOLD)

    def touch(self, x, y):
        px, py = self.at(x, y)
        self.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": px, "y": py}])
        time.sleep(HOLD)
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])
        time.sleep(HOLD)

    def key(self, *names):
        for name in names:
            key, code, vk = KEYS[name]
            text = key if len(key) == 1 else ""
            for kind in ("keyDown" if text else "rawKeyDown", "keyUp"):
                self.call("Input.dispatchKeyEvent", type=kind, key=key, code=code, text=text,
                          windowsVirtualKeyCode=vk, nativeVirtualKeyCode=vk)
                time.sleep(HOLD)

    def picture(self):
        """The canvas as shown, as a 640 x 480 Picture (one pixel sampled per logical pixel)."""
        rect = self.canvas_rect()
        shot = self.call("Page.captureScreenshot", format="png", clip={
            "x": rect[0], "y": rect[1], "width": rect[2], "height": rect[3], "scale": 1})["data"]
        return self.decode(shot, [0, 0, rect[2], rect[3]])

    def decode(self, png, rect):
        """The part rect (CSS pixels) of a PNG of the page, as a 640 x 480 Picture."""
        rgb = self.eval("""(async () => {
            const png = await (await fetch('data:image/png;base64,%s')).blob();
            const bitmap = await createImageBitmap(png), k = bitmap.width / innerWidth;
            const [x, y, w, h] = %s;
            const c = new OffscreenCanvas(640, 480), g = c.getContext('2d');
            g.imageSmoothingEnabled = false;
            g.drawImage(bitmap, x * k, y * k, w * k, h * k, 0, 0, 640, 480);
            const rgba = g.getImageData(0, 0, 640, 480).data, rgb = new Uint8Array(640 * 480 * 3);
            for (let i = 0, j = 0; i < rgba.length; i += 4, j += 3)
                rgb.set(rgba.subarray(i, i + 3), j);
            const url = await new Promise(ok => {
                const r = new FileReader(); r.onload = () => ok(r.result);
                r.readAsDataURL(new Blob([rgb])); });
            return url.slice(url.indexOf(',') + 1);
        })()""" % (png, json.dumps(rect)))
        return Picture(640, 480, base64.b64decode(rgb))

    def files(self):
        """{path: bytes} of every file the page keeps in IndexedDB (Emscripten's IDBFS)."""
        found = self.eval("""(async () => {
            const out = {};
            for (const info of await indexedDB.databases()) {
                const db = await new Promise((ok, no) => {
                    const r = indexedDB.open(info.name); r.onsuccess = () => ok(r.result);
                    r.onerror = no; });
                for (const store of db.objectStoreNames) {
                    const all = db.transaction(store).objectStore(store);
                    const [keys, values] = await Promise.all([all.getAllKeys(), all.getAll()]
                        .map(r => new Promise(ok => { r.onsuccess = () => ok(r.result); })));
                    keys.forEach((k, n) => {
                        const c = values[n] && values[n].contents;
                        if (!c) return;
                        const bytes = c instanceof ArrayBuffer ? new Uint8Array(c)
                            : new Uint8Array(c.buffer, c.byteOffset, c.byteLength);
                        let text = '';
                        for (let i = 0; i < bytes.length; i += 8192)
                            text += String.fromCharCode(...bytes.subarray(i, i + 8192));
                        out[String(k)] = btoa(text);
                    });
                }
                db.close();
            }
            return out;
        })()""")
        return {path: base64.b64decode(data) for path, data in found.items()}

    def file(self, name):
        """The kept file whose path ends with /name, or None."""
        for path, data in self.files().items():
            if path.endswith("/" + name):
                return data
        return None

    def downloaded(self, name, timeout=10.0):
        path = os.path.join(self.downloads, name)
        deadline = time.monotonic() + timeout
        while not os.path.exists(path):
            if time.monotonic() > deadline:
                raise AssertionError("no download " + name)
            time.sleep(0.1)
        time.sleep(0.3)
        with open(path, "rb") as data:
            return data.read()

    def close(self):
        self.browser.call("Target.closeTarget", targetId=self.target)
        shutil.rmtree(self.downloads, ignore_errors=True)


class Picture:
    """A 640 x 480 RGB picture, read the way a player reads the screen."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def differing_share(self, other, tolerance=24):
        """The share of pixels whose channels differ by more than tolerance."""
        a, b, differ = self.rgb, other.rgb, 0
        for i in range(0, len(a), 3):
            if max(abs(a[i] - b[i]), abs(a[i + 1] - b[i + 1]), abs(a[i + 2] - b[i + 2])) > tolerance:
                differ += 1
        return differ / (self.width * self.height)

    def is_colour(self, x, y, colour, slack=4):
        return max(abs(p - c) for p, c in zip(self.pixel(x, y), colour)) <= slack

    def glyph_at(self, glyph, x, y, scale, colour):
        for t, ink in enumerate(glyph):
            px, py = x + scale * (t % 8), y + scale * (t // 8)
            if px + scale > self.width or py + scale > self.height:
                return False
            for dy in range(scale):
                for dx in range(scale):
                    if self.is_colour(px + dx, py + dy, colour) != ink:
                        return False
        return True

    def shows(self, text, x, y, scale, colour=WHITE):
        for k, char in enumerate(text):
            if char != " " and not self.glyph_at(font()[char], x + 8 * scale * k, y, scale, colour):
                return False
        return True

    def digits(self, x, y, scale, colour=WHITE, count=None):
        """The digits written from (x, y) at a whole scale, or None."""
        found = ""
        while count is None or len(found) < count:
            cell = x + 8 * scale * len(found)
            digit = next((d for d in "0123456789"
                          if self.glyph_at(font()[d], cell, y, scale, colour)), None)
            if digit is None:
                break
            found += digit
        return found or None

    def score(self):
        shown = self.digits(410, 110, 4)
        return int(shown) if shown else None

    def clock(self):
        """Frames left on the game's clock ("TIME mm:ss:ff"), or None."""
        if not self.shows("TIME", 50, 30, 2):
            return None
        fields = [self.digits(50 + 16 * cell, 30, 2, count=2) for cell in (5, 8, 11)]
        if None in fields or any(len(f) != 2 for f in fields):
            return None
        return int(fields[0]) * 3600 + int(fields[1]) * 60 + int(fields[2])

    def empty_place(self, x, y):
        """True when the 32 x 32 place at (x, y) is nearly all black board."""
        dark = sum(1 for v in range(32) for u in range(32) if max(self.pixel(x + u, y + v)) <= 16)
        return dark * 10 >= 32 * 32 * 9


def read_bmp(path):
    """An uncompressed 24- or 32-bit BMP as a Picture."""
    with open(path, "rb") as f:
        data = f.read()
    offset = int.from_bytes(data[10:14], "little")
    width = int.from_bytes(data[18:22], "little", signed=True)
    height = int.from_bytes(data[22:26], "little", signed=True)
    depth = int.from_bytes(data[28:30], "little") // 8
    stride = (width * depth + 3) // 4 * 4
    rgb = bytearray()
    for row in range(abs(height)):
        source = row if height < 0 else abs(height) - 1 - row
        line = data[offset + source * stride:offset + source * stride + width * depth]
        for i in range(0, len(line), depth):
            rgb += bytes((line[i + 2], line[i + 1], line[i]))
    return Picture(width, abs(height), bytes(rgb))


@functools.lru_cache(None)
def font():
    """Each character's 64 inked flags, from the game's own font sheet."""
    sheet = read_bmp(os.path.join(ROOT, "resource", "font", "font.bmp"))
    order = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz.()[]#$%&'\"!?^+-*/=;:"
    return {c: [sheet.pixel((i % 16) * 8 + t % 8, (i // 16) * 8 + t // 8) == WHITE
                for t in range(64)] for i, c in enumerate(order)}


def grid_place(index):
    """The top-left corner of card index of LINE's grid; card i and card i + 30 are twins."""
    return 50 + 33 * (index % 10), 100 + 33 * (index // 10)


def title_row(mode):
    """A point on the title's row of mode (1 LINE .. 6 REVERSE)."""
    return 200, 192 + 30 * mode


# The game's moves, in logical places.
AWAY = (620, 470)  # off the board and the title's rows: a click here changes nothing
FULL_CLOCK = 10800


def reach_title(page, timeout=60.0):
    """Past the logo with clicks (or Z) until the title's prompt shows; its picture."""
    deadline = nudged = time.monotonic() + timeout
    while True:
        shot = page.picture()
        if shot.shows("MENU CLICK TO START", 180, 400, 2):
            return shot
        if time.monotonic() > deadline:
            raise AssertionError("the title never showed")
        if abs(time.monotonic() - nudged) > 3:  # a press on a title fading in may start a mode
            nudged = time.monotonic()
            page.click(*AWAY) if not getattr(page, "keys_only", False) else page.key("z")


def start_game(page, start, timeout=40.0):
    """Calls start() on the title, again while the title still shows; waits until the game's
    clock runs and returns its score."""
    deadline = time.monotonic() + timeout
    start()
    while True:
        shot = page.picture()
        clock = shot.clock()
        if clock is not None and clock < FULL_CLOCK and shot.score() is not None:
            return shot.score()
        if time.monotonic() > deadline:
            raise AssertionError("the game's clock never ran")
        if shot.shows("MENU CLICK TO START", 180, 400, 2):
            time.sleep(1.0)
            if page.picture().shows("MENU CLICK TO START", 180, 400, 2):
                start()


def wait_for(page, test, timeout=30.0):
    """Pictures until test(picture) holds: that picture, or None at the deadline."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        shot = page.picture()
        if test(shot):
            return shot
        time.sleep(0.1)
    return None


def results_shown(shot):
    return shot.shows("RESULTS", 110, 160, 4)


def take_line_pairs(page, pairs, tap=None):
    """Takes LINE's twin pairs (card i with card i + 30) by clicks, then takes again those
    whose places still show a card; True once every place of them is empty."""
    tap = tap or page.click
    left = list(pairs)
    for _ in range(4):
        for i in left:
            for card in (i, i + 30):
                x, y = grid_place(card)
                tap(x + 16, y + 16)
        page.point(*AWAY)
        time.sleep(1.0)  # the take animations
        shot = page.picture()
        if results_shown(shot):
            return True
        left = [i for i in left if not all(shot.empty_place(*grid_place(c)) for c in (i, i + 30))]
        if not left:
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

    @property
    def window(self):
        """The game's window, looked up again each time: the first one may be a probe's."""
        for _ in range(100):
            found = subprocess.run(["xdotool", "search", "--pid", str(self.process.pid),
                                    "--name", "^KORVANE$"], capture_output=True, text=True)
            if found.stdout.split():
                return found.stdout.split()[-1]
            time.sleep(0.1)
        raise AssertionError("the desktop game shows no window")

    def log(self):
        try:
            with open(os.path.join(self.folder, "run.log"), errors="replace") as log:
                return log.read().splitlines()
        except OSError:
            return []

    def wait_for_log(self, test, timeout=30.0, nudge=None):
        """The first log line for which test holds; nudge() is called while waiting."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = [line for line in self.log() if test(line)]
            if found:
                return found[0]
            if nudge:
                nudge()
            time.sleep(0.3)
        raise AssertionError("the desktop game never logged it; last: %s" % self.log()[-1:])

    def click(self, x, y):
        subprocess.run(["xdotool", "mousemove", "--window", self.window, str(x), str(y),
                        "mousedown", "1", "sleep", "0.1", "mouseup", "1"],
                       stderr=subprocess.DEVNULL)

    def key(self, name):
        subprocess.run(["xdotool", "mousemove", "--window", self.window, str(AWAY[0]),
                        str(AWAY[1]), "keydown", name, "sleep", "0.1", "keyup", name],
                       stderr=subprocess.DEVNULL)

    def reach_title(self):
        self.wait_for_log(lambda line: line == "TitleMain", nudge=lambda: self.click(*AWAY))

    def close(self):
        self.process.kill()
        self.process.wait()
        shutil.rmtree(self.folder, ignore_errors=True)
