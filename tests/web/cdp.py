"""A small driver of headless Chromium over its DevTools protocol, on a pipe (no network port, no package
beyond Python's own): open a page, evaluate script, press the mouse, take screenshots."""
import base64
import json
import os
import subprocess
import time


class Browser:
    def __init__(self, chromium="chromium", width=1009, height=700, user_data_dir=None):
        to_browser_read, self._to_browser = os.pipe()
        self._from_browser, from_browser_write = os.pipe()
        args = [chromium, "--headless=new", "--no-sandbox", "--disable-gpu", "--remote-debugging-pipe",
                "--no-first-run", "--mute-audio", "--disable-dev-shm-usage", "--autoplay-policy=no-user-gesture-required",
                f"--window-size={width},{height}", "about:blank"]
        if user_data_dir:
            args.insert(1, f"--user-data-dir={user_data_dir}")
        # The browser reads its commands from fd 3 and writes its answers to fd 4. Python's own descriptors
        # are not inherited; the two set in the child are.
        def in_child():
            # Copied out of the way first: a pipe may itself be fd 3 or 4.
            commands, answers = os.dup(to_browser_read), os.dup(from_browser_write)
            os.dup2(commands, 3)
            os.dup2(answers, 4)

        self.process = subprocess.Popen(args, close_fds=False, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, preexec_fn=in_child)
        os.close(to_browser_read)
        os.close(from_browser_write)
        self._next = 0
        self._buffer = b""
        self.events = []
        targets = self.send("Target.getTargets")["targetInfos"]
        page = next(t for t in targets if t["type"] == "page")
        self.session = self.send("Target.attachToTarget", targetId=page["targetId"], flatten=True)["sessionId"]
        self.send("Page.enable", session=True)
        self.send("Runtime.enable", session=True)

    def _read_message(self):
        while b"\0" not in self._buffer:
            chunk = os.read(self._from_browser, 1 << 20)
            if not chunk:
                raise RuntimeError("the browser went away")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def send(self, method, session=False, **params):
        self._next += 1
        message = {"id": self._next, "method": method, "params": params}
        if session:
            message["sessionId"] = self.session
        os.write(self._to_browser, json.dumps(message).encode() + b"\0")
        while True:
            reply = self._read_message()
            if reply.get("id") == self._next:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply.get("result", {})
            self.events.append(reply)

    def open(self, url):
        self.send("Page.navigate", session=True, url=url)

    def evaluate(self, expression):
        result = self.send("Runtime.evaluate", session=True, expression=expression, awaitPromise=True,
                           returnByValue=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def wait_for(self, expression, seconds=30.0):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if self.evaluate(expression):
                return True
            time.sleep(0.1)
        return False

    def click(self, x, y):
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent", session=True, type=kind, x=x, y=y, button="left",
                      clickCount=0 if kind == "mouseMoved" else 1)

    def screenshot(self, path):
        data = self.send("Page.captureScreenshot", session=True, format="png")["data"]
        with open(path, "wb") as out:
            out.write(base64.b64decode(data))

    def close(self):
        try:
            self.send("Browser.close")
        except RuntimeError:
            pass
        self.process.wait(timeout=10)
