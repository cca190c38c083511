#!/usr/bin/python3
# End-to-end tests of the page in headless Chromium, with the desktop build beside it on the X
# display of DISPLAY: the title as the desktop draws it; keyboard, touch and click play; a
# LINE record kept over a reload; the game's rate; watch files that verify both ways; a
# damaged one refused; two pages ending games at once. Run after ./web.sh --build and the
# desktop build, from anywhere.
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import traceback

from player import (AWAY, ROOT, Browser, Desktop, Site, grid_place, reach_title, read_bmp,
                    results_shown, start_game, take_line_pairs, title_row, wait_for)

LINE, MIXER = 1, 5
failures = []


STARTED = time.monotonic()


def check(condition, what):
    print("%s %3.0f s  %s" % ("ok  " if condition else "FAIL", time.monotonic() - STARTED, what),
          flush=True)
    if not condition:
        failures.append(what)


def in_background(work):
    """Runs work() on a thread; the returned function waits and gives its result."""
    box = {}

    def run():
        try:
            box["value"] = work()
        except Exception as error:  # reported where the result is wanted
            box["error"] = error
    thread = threading.Thread(target=run, daemon=True)
    thread.start()

    def result():
        thread.join()
        if "error" in box:
            raise box["error"]
        return box["value"]
    return result


def desktop_title():
    """The desktop game's title, from its F12 screenshot, pointer off the rows."""
    game = Desktop()
    try:
        game.reach_title()
        time.sleep(1.0)
        shot = os.path.join(game.folder, "tolmshot.bmp")
        game.wait_for_log(lambda _: os.path.exists(shot), nudge=lambda: game.key("F12"))
        time.sleep(0.5)
        return read_bmp(shot)
    finally:
        game.close()


def desktop_verdict(watch):
    """What the desktop build says of the watch file's bytes: its VERIFIED or MISMATCH line."""
    folder = tempfile.mkdtemp(prefix="korvane-verify-")
    path = os.path.join(folder, "sent.watch")
    with open(path, "wb") as out:
        out.write(watch)
    verifier = os.path.join(ROOT, "build", "korvane-verify")
    if os.path.exists(verifier):
        said = subprocess.run([verifier, path], capture_output=True, text=True).stdout.strip()
        shutil.rmtree(folder)
        return said
    game = Desktop("-watch", "sent.watch", folder=folder)  # removes the folder when closed
    try:
        return game.wait_for_log(lambda line: line.startswith("Watch sent.watch: "), 240)
    finally:
        game.close()


def desktop_mixer_watch():
    """The watch file of a quick MIXER game played on the desktop's rules."""
    folder = tempfile.mkdtemp(prefix="korvane-mixer-")
    path = os.path.join(folder, "mixer.watch")
    played = subprocess.run([os.path.join(ROOT, "build", "tests", "web_mixer_recording"), path],
                            capture_output=True, text=True, check=True).stdout
    with open(path, "rb") as watch:
        recorded = watch.read()
    shutil.rmtree(folder)
    return recorded, int(re.search(r"score (\d+)", played).group(1))


def lines_of(data, mode):
    return [line for line in (data or b"").decode().splitlines() if line.split()[1:2] == [mode]]


def best_of(config, mode):
    found = re.search(rb"^HI_SCORE%d\s*=\s*(\d+)" % mode, config or b"", re.M)
    return int(found.group(1)) if found else None


def watch_in_page(page, path, score):
    """Opens index.html?watch=path and waits for VERIFIED on the results."""
    page.go(page.site + "index.html?watch=" + path)
    shot = wait_for(page, lambda s: s.shows("VERIFIED", 123, 280, 3, (100, 255, 100)), 240)
    logged = [line for line in page.console() if line.startswith("Watch ")]
    check(shot is not None and (not logged or logged[-1].endswith("VERIFIED %d" % score)),
          "a MIXER watch file recorded on the desktop VERIFIES in the page: %s" % logged[-1:])
    page.click(*AWAY)
    reach_title(page)


def keyboard_touch_and_rate(page, title):
    """The title as the desktop draws it, then keys alone, then touches, and the game's rate."""
    page.keys_only = True
    shot = reach_title(page)
    share = shot.differing_share(title())
    check(share <= 0.01, "the page's title matches the desktop's (%.2f %% of pixels differ)"
          % (100 * share))
    before = start_game(page, lambda: page.key("Down", "z"))  # the first Down lands on LINE
    # The first press shows the cursor on card 0; its twin, card 30, is three rows down.
    page.key("z", "z", "Down", "Down", "Down", "z")
    check(wait_for(page, lambda s: (s.score() or 0) > before, 10) is not None,
          "a game started and a pair taken with the keyboard alone")
    page.key("Escape")
    reach_title(page)
    page.keys_only = False

    before = start_game(page, lambda: page.touch(*title_row(LINE)))
    for card in (0, 30):
        page.touch(grid_place(card)[0] + 16, grid_place(card)[1] + 16)
    page.point(*AWAY)
    check(wait_for(page, lambda s: (s.score() or 0) > before, 10) is not None,
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
    score = wait_for(page, results_shown, 20).score()
    page.click(*AWAY)
    reach_title(page)
    page.reload()
    reach_title(page)
    kept = page.files()
    named = {name: data for path, data in kept.items() for name in
             ("config.ini", "scores.txt", "replay_01.watch") if path.endswith("/" + name)}
    check(best_of(named.get("config.ini"), LINE) == score,
          "the LINE best %s kept over a reload" % score)
    check([line.split()[2:4] + line.split()[5:] for line in lines_of(named.get("scores.txt"),
                                                                      "LINE")] ==
          [[str(score), "30", "EMPTY"]], "its scores line kept")
    check(bool(named.get("replay_01.watch")), "its watch file kept")
    page.key("s")
    time.sleep(1.0)
    page.key("d")
    download = page.downloaded("replay_01.watch")
    check(download == named.get("replay_01.watch"), "D on the scores screen downloads it")
    page.key("s")
    return download, score


def damaged_refused(page, watch):
    damaged = bytearray(watch)
    damaged[len(damaged) // 2] ^= 0x10
    path = page.site_files.put("damaged.watch", bytes(damaged))
    page.go(page.site + "index.html?watch=" + path)
    refused = re.compile(r"Watch .*damaged\.watch: wrong CRC")
    told = wait_for(page, lambda _: any(refused.search(line) for line in page.console()) or
                    refused.search(page.eval("document.body.innerText") or ""), 30)
    check(told is not None, "a damaged watch file refused with the desktop's message")
    reach_title(page)


def two_pages_at_once(browser, site):
    pages = []
    for _ in range(2):  # one after the other, the first paused meanwhile
        page = browser.open(site.url)
        pages.append(page)
        reach_title(page)
        start_game(page, lambda: page.click(*title_row(LINE)))
        take_line_pairs(page, range(29))
        page.key("p")
    before = pages[0].file("scores.txt")
    for page in pages:
        page.key("p")
    for card in (29, 59):  # the last pair of both games, one page right after the other
        for page in pages:
            x, y = grid_place(card)
            page.click(x + 16, y + 16)
    ends = [wait_for(page, results_shown, 20) for page in pages]
    scores = [end.score() if end else None for end in ends]
    kept = pages[0].file("scores.txt")
    added = lines_of(kept, "LINE")[len(lines_of(before, "LINE")):]
    check(sorted(int(line.split()[2]) for line in added) == sorted(scores),
          "two pages ending games at once keep both lines %s" % scores)
    best = max(int(line.split()[2]) for line in lines_of(kept, "LINE"))
    check(best_of(pages[1].file("config.ini"), LINE) == best, "and the higher record")
    for page in pages:
        page.close()


def main():
    title = in_background(desktop_title)
    mixer = in_background(desktop_mixer_watch)
    site, browser = Site(), Browser()
    try:
        page = browser.open(site.url)
        page.site, page.site_files = site.url, site
        keyboard_touch_and_rate(page, title)
        download, score = line_record_kept(page)
        verdict = in_background(lambda: desktop_verdict(download))
        watch, mixer_score = mixer()
        watch_in_page(page, site.put("mixer.watch", watch), mixer_score)
        damaged_refused(page, watch)
        page.close()
        two_pages_at_once(browser, site)
        found = verdict()
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
