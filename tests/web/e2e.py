"""The game built for the browser, played in headless Chromium as a player would: the menu drawn as the
menu picture, "Новая игра", an item taken into the bag, "Сохранить", a reload and "Открыть"; then damaged
games, which must give a message in the page and leave it alive. Screenshots of each step and the figures
go to OUT_DIR.

    python3 tests/web/e2e.py GAME_FOLDER OUT_DIR
"""
import functools
import http.server
import os
import shutil
import struct
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cdp import Browser  # noqa: E402


def read_pack(path):
    data = open(path, "rb").read()
    assert data[:8] == b"TWPACK1\n", "not a game pack"
    count, at, files = struct.unpack_from("<I", data, 8)[0], 12, {}
    for _ in range(count):
        size = struct.unpack_from("<H", data, at)[0]
        name = data[at + 2:at + 2 + size].decode()
        at += 2 + size
        length = struct.unpack_from("<I", data, at)[0]
        files[name] = data[at + 4:at + 4 + length]
        at += 4 + length
    return files


def write_pack(path, files):
    out = bytearray(b"TWPACK1\n" + struct.pack("<I", len(files)))
    for name in sorted(files):
        raw = name.encode()
        out += struct.pack("<H", len(raw)) + raw + struct.pack("<I", len(files[name])) + files[name]
    open(path, "wb").write(out)


def bmp_pixels(data):
    """RGB of an uncompressed 24- or 32-bit BMP, rows from the top."""
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bits, = struct.unpack_from("<H", data, 28)
    assert bits in (24, 32), f"a {bits}-bit menu picture"
    step = bits // 8
    stride = (width * step + 3) & ~3
    rows = []
    for y in range(abs(height)):
        row = offset + stride * (abs(height) - 1 - y if height > 0 else y)
        rows.append([(data[row + x * step + 2], data[row + x * step + 1], data[row + x * step])
                     for x in range(width)])
    return width, abs(height), rows


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(folder):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f"http://127.0.0.1:{server.server_address[1]}/"


class Check:
    def __init__(self):
        self.failures = []

    def __call__(self, ok, what):
        print(("ok      " if ok else "FAILED  ") + what)
        if not ok:
            self.failures.append(what)
        return ok


def click_at(browser, x, y):
    px, py = browser.evaluate(f"twTest.canvasPoint({x}, {y})")
    browser.click(px, py)


def press_key(browser, key, code):
    for kind in ("keyDown", "keyUp"):
        browser.send("Input.dispatchKeyEvent", session=True, type=kind, key=key, code=code,
                     windowsVirtualKeyCode=27 if key == "Escape" else 0)


def answer_dialog(browser, button="ok"):
    x, y = browser.evaluate(f"(() => {{ const b = document.getElementById('{button}').getBoundingClientRect();"
                            " return [b.left + b.width / 2, b.top + b.height / 2]; })()")
    browser.click(x, y)


def wait_until(condition, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if condition():
            return True
        time.sleep(0.1)
    return False


def main():
    game, out = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    os.makedirs(out, exist_ok=True)
    check = Check()
    figures = {}
    files = read_pack(os.path.join(game, "game.pak"))
    figures["tarnwick-web.wasm + .js, bytes"] = sum(os.path.getsize(os.path.join(game, f))
                                                   for f in ("tarnwick-web.wasm", "tarnwick-web.js"))
    figures["whole game folder, bytes"] = sum(os.path.getsize(os.path.join(game, f)) for f in os.listdir(game))

    # The damaged games lie beside the good one, each in a folder of its own.
    site = tempfile.mkdtemp(prefix="tw-web-")
    shutil.copytree(game, os.path.join(site, "game"))
    damaged = {
        "damaged-scene": dict(files, **{"mzh/scena/1": b"BM" + b"\xff" * 40}),
        "short-record": dict(files, **{"mzh/data/typ.dll": files["mzh/data/typ.dll"][:1000]}),
        "no-comic": {k: v for k, v in files.items() if not k.startswith("mzh/Kom/")},
    }
    for name, contents in damaged.items():
        shutil.copytree(game, os.path.join(site, name))
        write_pack(os.path.join(site, name, "game.pak"), contents)
    server, base = serve(site)
    profile = tempfile.mkdtemp(prefix="tw-chromium-")
    browser = Browser(user_data_dir=profile)
    try:
        started = time.monotonic()
        browser.open(base + "game/")
        check(browser.wait_for("window.twStarted !== undefined", 60) and browser.evaluate("window.twStarted") is True,
              "the game starts in the page")
        figures["page opened to menu drawn, s"] = round(time.monotonic() - started, 2)
        figures["data loaded to menu drawn, s"] = round(browser.evaluate("(twTimes.menu - twTimes.loaded) / 1000"), 3)
        browser.screenshot(os.path.join(out, "1-menu.png"))
        # The menu is the menu picture.
        width, height, menu = bmp_pixels(files["mzh/data/menu"])
        shown = browser.evaluate("twTest.pixels()")
        same = sum(1 for y in range(min(height, 700)) for x in range(min(width, 1009))
                   if tuple(shown[4 * (y * 1009 + x):4 * (y * 1009 + x) + 3]) == menu[y][x])
        check(same >= 0.999 * min(height, 700) * min(width, 1009),
              f"the menu drawn is the menu picture ({same} pixels alike)")

        # The game's own pointer over the canvas, from its .ani cursor.
        check(browser.evaluate("twTest.cursor()").startswith("url(\"data:image/png"), "the game's cursor shows")
        # "Новая игра": the start scene; the first click lets the music play.
        click_at(browser, *browser.evaluate("twTest.menuZone(1)"))
        time.sleep(1.0)
        check(browser.evaluate("twTest.musicPlaying()"), "the music plays after the first click")
        browser.screenshot(os.path.join(out, "2-new-game.png"))
        check(browser.evaluate("twTest.pixels()") != shown, "\"Новая игра\" shows the start scene")

        # An item lying in the scene, taken into the bag within a few seconds.
        zones = browser.evaluate("twTest.zones()")
        for k in range(0, len(zones), 4):
            x, y, w, h = zones[k:k + 4]
            click_at(browser, x + w // 2, y + h // 2)
            if wait_until(lambda: browser.evaluate("twTest.itemsInBag()") > 0, 8):
                break
            if browser.evaluate("twTest.dialog()"):
                answer_dialog(browser)
        check(browser.evaluate("twTest.itemsInBag()") > 0, "a click on a lying item brings it into the bag")
        browser.screenshot(os.path.join(out, "3-item-taken.png"))

        # Saved, the page reloaded, opened again: the item is in the bag again.
        press_key(browser, "Escape", "Escape")
        time.sleep(0.3)
        click_at(browser, *browser.evaluate("twTest.menuZone(3)"))
        check(wait_until(lambda: browser.evaluate("twTest.dialog()") is not None, 5), "\"Сохранить\" says the game is saved")
        browser.screenshot(os.path.join(out, "4-saved.png"))
        answer_dialog(browser)
        browser.send("Page.reload", session=True)
        time.sleep(0.5)
        check(browser.wait_for("window.twStarted === true", 60), "the page starts again after a reload")
        click_at(browser, *browser.evaluate("twTest.menuZone(2)"))
        check(wait_until(lambda: browser.evaluate("twTest.itemsInBag()") > 0, 5),
              "\"Открыть\" after the reload brings the game back with the item in the bag")
        browser.screenshot(os.path.join(out, "5-opened.png"))

        # The frame tick in the browser, on the scene played.
        figures["frame tick in the browser, ms"] = round(browser.evaluate(
            "(() => { const t = performance.now(); for (let k = 0; k < 200; ++k) Module._twFrameTick();"
            " return (performance.now() - t) / 200; })()"), 3)

        # Damaged games: a message in the page, and the page alive.
        for name in damaged:
            browser.open(base + name + "/")
            browser.wait_for("window.twStarted !== undefined || (window.twTest && twTest.dialog() !== null)", 60)
            if browser.evaluate("window.twStarted"):
                click_at(browser, *browser.evaluate("twTest.menuZone(1)"))
                time.sleep(1.0)
            message = browser.evaluate("twTest.dialog() || document.getElementById('loadingText').textContent")
            browser.screenshot(os.path.join(out, f"6-{name}.png"))
            alive = browser.evaluate("1 + 1") == 2
            if name == "no-comic":
                check(alive, f"{name}: the page plays on")
            else:
                check(alive and message and ("scena/1" in message or "typ.dll" in message),
                      f"{name}: a message in the page names the file ({message!r})")
    finally:
        browser.close()
        server.shutdown()
        shutil.rmtree(site, ignore_errors=True)
        shutil.rmtree(profile, ignore_errors=True)
    with open(os.path.join(out, "figures.txt"), "w") as report:
        for key, value in figures.items():
            print(f"{key}: {value}")
            report.write(f"{key}: {value}\n")
    if check.failures:
        sys.exit(1)


if __name__ == "__main__":
    main()
