#!/usr/bin/python3
# The browser build's figures, each measured in one run: the site's bytes raw and gzipped;
# navigation to the first logo frame in headless Chromium; the page's frame pacing while
# MIXER plays; Chromium's CPU during MIXER play against the native game's on the X display
# of DISPLAY, and against a bare animated canvas; and the page's CPU paused and on the title.
# Prints figures only; run after ./web.sh --build and the desktop build.
import gzip
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from player import SITE, Browser, Desktop, Site, reach_title, start_game, title_row  # noqa

MIXER = 5
SECONDS = 10
MIB = 1024 * 1024
# Each frame's first WebGL draw, in the page's own clock: draws of one frame come together.
FRAME_HOOK = """(() => {
    const starts = window.korvaneFrameStarts = [];
    let last = -1e9;
    for (const proto of [WebGLRenderingContext.prototype, WebGL2RenderingContext.prototype]) {
        for (const name of ['drawArrays', 'drawElements']) {
            const draw = proto[name];
            proto[name] = function (...args) {
                const now = performance.now();
                if (now - last > 4) starts.push(now);
                last = now;
                return draw.apply(this, args);
            };
        }
    }
})();"""


# The least any page that animates costs here: a 640 x 480 canvas cleared to a new colour
# every display frame, with no game behind it.
FLOOR_PAGE = "data:text/html," + """<body style="margin:0"><canvas id="canvas" width="640"
height="480"></canvas><script>const gl = canvas.getContext('webgl', {alpha: false});
let n = 0; (function frame() { gl.clearColor(++n % 60 / 60, 0, 0, 1);
gl.clear(gl.COLOR_BUFFER_BIT); requestAnimationFrame(frame); })();</script>""".replace("\n", " ")


def site_bytes():
    raw = packed = 0
    for folder, _, names in os.walk(SITE):
        for name in names:
            with open(os.path.join(folder, name), "rb") as data:
                content = data.read()
            raw += len(content)
            packed += len(gzip.compress(content, 9))
    return raw, packed


def cpu_seconds(pids):
    total = 0
    for pid in pids:
        try:
            with open("/proc/%d/stat" % pid) as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            total += int(fields[11]) + int(fields[12])
        except (OSError, IndexError):
            pass
    return total / os.sysconf("SC_CLK_TCK")


def kind_of(pid):
    """Chromium's name for the process's part (browser, renderer, gpu-process, ...)."""
    try:
        with open("/proc/%d/cmdline" % pid) as cmdline:
            found = [a for a in cmdline.read().replace("\0", " ").split() if a.startswith("--type=")]
        return found[0][7:] if found else "browser"
    except OSError:
        return "gone"


def cpu_share(pids_of):
    """The CPU of the processes over SECONDS, in % of one core, and by their kind."""
    pids = pids_of()
    before, started = {p: cpu_seconds([p]) for p in pids}, time.monotonic()
    time.sleep(SECONDS)
    elapsed = time.monotonic() - started
    kinds = {}
    for pid in pids:
        share = 100 * (cpu_seconds([pid]) - before[pid]) / elapsed
        kinds[kind_of(pid)] = kinds.get(kind_of(pid), 0) + share
    return sum(kinds.values()), kinds


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(share * len(ordered)))]


def main():
    raw, packed = site_bytes()
    print("site: %d bytes raw, %d gzipped" % (raw, packed))
    site, browser = Site(), Browser()
    try:
        page = browser.open(site.url, script=FRAME_HOOK)
        first = page.wait_js("window.korvaneFrameStarts.length && window.korvaneFrameStarts[0]")
        print("navigation to the first logo frame: %.0f ms" % first)
        reach_title(page)
        time.sleep(2)
        title = cpu_share(browser.processes)[0]
        start_game(page, lambda: page.click(*title_row(MIXER)))
        mark = page.eval("window.korvaneFrameStarts.length")
        chromium, parts = cpu_share(browser.processes)
        starts = page.eval("window.korvaneFrameStarts.slice(%d)" % mark)
        gaps = [b - a for a, b in zip(starts, starts[1:])]
        mean, p99 = sum(gaps) / len(gaps), percentile(gaps, 0.99)
        print("page frames while MIXER plays: %d, mean %.2f ms, p99 %.2f ms" % (len(gaps), mean, p99))
        page.key("p")
        time.sleep(3)  # past the pause screen's own frames
        paused = cpu_share(browser.processes)[0]
        page.close()
        page = browser.open(FLOOR_PAGE)
        time.sleep(2)
        floor, floor_parts = cpu_share(browser.processes)
    finally:
        browser.close()
        site.close()
    game = Desktop()
    try:
        game.reach_title()
        game.click(*title_row(MIXER))
        game.wait_for_log(lambda line: line == "Gamecoer init")
        time.sleep(4)  # past READY and GO
        native = cpu_share(lambda: [game.process.pid])[0]
    finally:
        game.close()
    print("CPU during MIXER play: Chromium %.1f %% (%s), native %.1f %% of a core" % (
        chromium, ", ".join("%s %.1f" % kind for kind in sorted(parts.items())), native))
    print("CPU of a page that only clears its canvas every frame: %.1f %% (%s)" % (
        floor, ", ".join("%s %.1f" % kind for kind in sorted(floor_parts.items()))))
    print("CPU of the page with MIXER paused by P: %.1f %%, on the title left alone: %.1f %%" % (
        paused, title))
    for row in (("site, raw", "%.2f MiB" % (raw / MIB), "at most 4 MiB"),
                ("site, gzipped", "%.2f MiB" % (packed / MIB), "at most 2 MiB"),
                ("navigation to the first logo frame", "%.0f ms" % first, "within 2 s"),
                ("page frame period during MIXER, mean / p99", "%.2f / %.2f ms" % (mean, p99),
                 "measured"),
                ("CPU during MIXER play, Chromium / native", "%.1f / %.1f %% = %.2f" % (
                    chromium, native, chromium / max(native, 0.1)), "ratio at most 2"),
                ("CPU of a canvas cleared every frame, no game", "%.1f %%" % floor, "measured"),
                ("CPU during MIXER play above that, Chromium / native", "%.1f / %.1f %% = %.2f" % (
                    chromium - floor, native, (chromium - floor) / max(native, 0.1)), "measured"),
                ("CPU of the page, MIXER paused by P", "%.1f %%" % paused, "measured"),
                ("CPU of the page, the title left alone", "%.1f %%" % title, "measured")):
        print("summary|%s|%s|%s" % row)


if __name__ == "__main__":
    main()
