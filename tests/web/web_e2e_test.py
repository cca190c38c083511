#!/usr/bin/python3
# End-to-end tests of the page in headless Chromium, with the desktop build beside it on the X
# display of DISPLAY: the title as the desktop draws it; keyboard, gamepad, touch and click
# play; a LINE record kept over a reload; the game's rate; watch files that verify both ways;
# a damaged one refused; two pages ending games at once. Run after ./web.sh --build and the
# desktop build, from anywhere.
import os
import re
import subprocess
import sys
import tempfile
import time
import traceback
from concurrent.futures import ThreadPoolExecutor

from player import (AWAY, ROOT, Browser, Desktop, Site, card_centre, reach_title, read_bmp,
                    results_shown, start_game, take_line_pairs, title_row)

LINE = 1
STARTED = time.monotonic()
failures = []


def check(condition, what):
    print("%s %3.0f s  %s" % ("ok  " if condition else "FAIL", time.monotonic() - STARTED, what),
          flush=True)
    if not condition:
        failures.append(what)


def desktop_title():
    """The desktop game's title, from its F12 screenshot, pointer off the rows."""
    game = Desktop()
    try:
        game.reach_title()
        time.sleep(1.0)
        shot = os.path.join(game.folder, "tolmshot.bmp")
        game.wait_for_log(lambda _: os.path.exists(shot), nudge=lambda: game.click(*AWAY, "F12"))
        time.sleep(0.5)
        return read_bmp(shot)
    finally:
        game.close()


def desktop_verdict(watch):
    """What the desktop build says of the watch file's bytes: its VERIFIED or MISMATCH line."""
    with tempfile.TemporaryDirectory(prefix="korvane-verify-", ignore_cleanup_errors=True) as at:
        with open(os.path.join(at, "sent.watch"), "wb") as out:
            out.write(watch)
        verifier = os.path.join(ROOT, "build", "korvane-verify")
        if os.path.exists(verifier):
            return subprocess.run([verifier, os.path.join(at, "sent.watch")], capture_output=True,
                                  text=True).stdout.strip()
        game = Desktop("-watch", "sent.watch", folder=at)
        try:
            return game.wait_for_log(lambda line: line.startswith("Watch sent.watch: "), 240)
        finally:
            game.close()


def desktop_mixer_watch():
    """The watch file of a quick MIXER game played on the desktop's rules, and its score."""
    with tempfile.TemporaryDirectory(prefix="korvane-mixer-") as at:
        played = subprocess.run([os.path.join(ROOT, "build", "tests", "web_mixer_recording"),
                                 os.path.join(at, "mixer.watch")],
                                capture_output=True, text=True, check=True).stdout
        with open(os.path.join(at, "mixer.watch"), "rb") as watch:
            return watch.read(), int(re.search(r"score (\d+)", played).group(1))


def lines_of(data, mode):
    return [line for line in (data or b"").decode().splitlines() if line.split()[1:2] == [mode]]


def best_of(config, mode):
    found = re.search(rb"^HI_SCORE%d\s*=\s*(\d+)" % mode, config or b"", re.M)
    return int(found.group(1)) if found else None


def keyboard_touch_and_rate(page, title):
    """The title as the desktop draws it, then keys alone, a gamepad alone, then touches, and
    the game's rate."""
    share = reach_title(page, nudge=lambda: page.key("z")).differing_share(title.result())
    check(share <= 0.01, "the page's title matches the desktop's (%.2f %% of pixels differ)"
          % (100 * share))
    # The first Down lands on LINE; in the game the first A shows the cursor on card 0, and
    # its twin, card 30, is three rows down.
    for press, down, a, what in ((page.key, "ArrowDown", "z", "the keyboard"),
                                 (page.pad, 13, 0, "a gamepad")):
        before = start_game(page, lambda: press(down, a))
        press(a, a, down, down, down, a)
        check(page.wait_for(lambda s: (s.score() or 0) > before, 10) is not None,
              "a game started and a pair taken with %s alone" % what)
        page.key("Escape")
        reach_title(page, nudge=lambda: page.key("z"))

    before = start_game(page, lambda: page.touch(*title_row(LINE)))
    page.touch(*card_centre(0))
    page.touch(*card_centre(30))
    page.point(*AWAY)
    check(page.wait_for(lambda s: (s.score() or 0) > before, 10) is not None,
          "a pair taken by touch events")
    steps = "[korvane.steps, performance.now()]"
    (first, start), _, (last, end) = page.eval(steps), time.sleep(20), page.eval(steps)
    rate = (last - first) / (end - start) * 1000
    check(abs(rate / 62.5 - 1) <= 0.01, "the game steps %.2f times a second over %.1f s"
          % (rate, (end - start) / 1000))
    page.key("Escape")
    reach_title(page)


def line_record_kept(page):
    """LINE played to a record by clicks; the best, its line and its watch file kept over a
    reload; the watch file downloaded from the scores screen. Returns the download."""
    start_game(page, lambda: page.click(*title_row(LINE)))
    check(take_line_pairs(page, range(30)), "every LINE pair taken by clicks")
    score = page.wait_for(results_shown, 20).score()
    page.click(*AWAY)
    reach_title(page)
    page.go()
    reach_title(page)
    kept = page.files()
    check(best_of(kept.get("config.ini"), LINE) == score,
          "the LINE best %s kept over a reload" % score)
    check([line.split()[2:4] + line.split()[5:] for line in lines_of(kept.get("scores.txt"),
                                                                      "LINE")] ==
          [[str(score), "30", "EMPTY"]], "its scores line kept")
    check(bool(kept.get("replay_01.watch")), "its watch file kept")
    page.key("s")
    time.sleep(1.0)
    page.key("d")
    download = page.downloaded("replay_01.watch")
    check(download == kept.get("replay_01.watch"), "D on the scores screen downloads it")
    page.key("s")
    return download, score


def watch_files_in_page(page, site, watch, score):
    """A MIXER watch file recorded on the desktop VERIFIES in the page; damaged, it is refused."""
    page.go(site.url + "index.html?watch=" + site.put("mixer.watch", watch))
    shot = page.wait_for(lambda s: s.shows("VERIFIED", 123, 280, 3, (100, 255, 100)), 240)
    logged = [line for line in page.console() if line.startswith("Watch ")]
    check(shot is not None and (not logged or logged[-1].endswith("VERIFIED %d" % score)),
          "a MIXER watch file recorded on the desktop VERIFIES in the page: %s" % logged[-1:])
    page.click(*AWAY)
    reach_title(page)

    damaged = bytearray(watch)
    damaged[len(damaged) // 2] ^= 0x10
    page.go(site.url + "index.html?watch=" + site.put("damaged.watch", bytes(damaged)))
    refused = re.compile(r"Watch .*damaged\.watch: wrong CRC")
    told = page.wait_for(lambda _: any(refused.search(line) for line in page.console()) or
                         refused.search(page.eval("document.body.innerText") or ""), 30)
    check(told is not None, "a damaged watch file refused with the desktop's message")
    reach_title(page)


def two_pages_at_once(browser, site):
    pages = []
    for _ in range(2):  # one after the other, the first paused meanwhile
        pages.append(browser.open(site.url))
        page = pages[-1]
        reach_title(page)
        start_game(page, lambda: page.click(*title_row(LINE)))
        take_line_pairs(page, range(29))
        page.key("p")
    before = pages[0].files().get("scores.txt")
    for page in pages:
        page.key("p")
    for card in (29, 59):  # the last pair of both games, one page right after the other
        for page in pages:
            page.click(*card_centre(card))
    ends = [page.wait_for(results_shown, 20) for page in pages]
    scores = [end.score() if end else None for end in ends]
    kept = pages[0].files().get("scores.txt")
    added = lines_of(kept, "LINE")[len(lines_of(before, "LINE")):]
    check(sorted(int(line.split()[2]) for line in added) == sorted(scores),
          "two pages ending games at once keep both lines %s" % scores)
    best = max(int(line.split()[2]) for line in lines_of(kept, "LINE"))
    check(best_of(pages[1].files().get("config.ini"), LINE) == best, "and the higher record")
    for page in pages:
        page.close()


def main():
    background = ThreadPoolExecutor(3)
    title, mixer = background.submit(desktop_title), background.submit(desktop_mixer_watch)
    site, browser = Site(), Browser()
    try:
        page = browser.open(site.url)
        keyboard_touch_and_rate(page, title)
        download, score = line_record_kept(page)
        verdict = background.submit(desktop_verdict, download)
        watch_files_in_page(page, site, *mixer.result())
        page.close()
        two_pages_at_once(browser, site)
        found = verdict.result()
        check("VERIFIED" in found and str(score) in found,
              "the page's LINE watch file VERIFIES on the desktop: " + found)
    except Exception:
        traceback.print_exc()
        failures.append("an exception")
    finally:
        browser.close()
        site.close()
    print("web tests: %d failed, %.0f s" % (len(failures), time.monotonic() - STARTED))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
