"""A private X server and a person's hands on it: windows found by their
title, real keyboard and pointer events through xdotool, and a screenshot.
"""

import os
import select
import shutil
import subprocess
import time


_TOOL_TIMEOUT = 30  # seconds for one xdotool or screenshot command


class DesktopError(Exception):
    """Something on the screen did not happen in time, or a tool failed."""


def wait_for(what, condition, timeout, interval=0.1):
    """Polls `condition` until it gives something true and returns that, or
    raises DesktopError naming `what` after `timeout` seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise DesktopError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def _posix_regex_escape(text):
    return "".join("\\" + char if char in ".[]()*+?{}|^$\\" else char for char in text)


class XServer:
    """Xvfb on the first free display, for as long as the object is open."""

    def __init__(self, log_path, width=1280, height=1024, timeout=30):
        self._process = None
        ready_read, ready_write = os.pipe()
        try:
            with open(log_path, "wb") as log:
                self._process = subprocess.Popen(
                    ["Xvfb", "-displayfd", str(ready_write), "-screen", "0",
                     f"{width}x{height}x24", "-nolisten", "tcp", "-noreset"],
                    pass_fds=[ready_write], stdout=log, stderr=subprocess.STDOUT,
                    start_new_session=True)
            os.close(ready_write)
            self.display = ":" + self._read_display_number(ready_read, timeout)
            wait_for(f"the X server {self.display} to take clients", self._takes_clients, timeout)
        except BaseException:
            self.close()
            raise
        finally:
            os.close(ready_read)

    def close(self):
        if self._process and self._process.poll() is None:
            self._process.terminate()
            try:
                self._process.wait(10)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait()

    def _takes_clients(self):
        try:
            probe = subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True,
                                   env=dict(os.environ, DISPLAY=self.display),
                                   timeout=_TOOL_TIMEOUT)
        except subprocess.TimeoutExpired:
            return False
        return probe.returncode == 0

    def _read_display_number(self, pipe, timeout):
        number = b""
        deadline = time.monotonic() + timeout
        while not number.endswith(b"\n"):
            remaining = deadline - time.monotonic()
            if remaining <= 0 or not select.select([pipe], [], [], remaining)[0]:
                raise DesktopError("Xvfb did not start")
            chunk = os.read(pipe, 16)
            if not chunk:
                raise DesktopError("Xvfb ended before it was ready")
            number += chunk
        return number.decode("ascii").strip()


class Desktop:
    """What a person does with the screen, keyboard and mouse of one display."""

    def __init__(self, display, typing_delay_ms=25):
        self.display = display
        self._environment = dict(os.environ, DISPLAY=display)
        self._typing_delay = str(typing_delay_ms)

    def windows(self, title):
        """The visible windows whose title is exactly `title`."""
        return self._search("--name", title)

    def windows_of(self, application_class):
        """The visible windows of the application of that window class."""
        return self._search("--class", application_class)

    def wait_for_window(self, title, timeout):
        windows = wait_for(f'the window "{title}"', lambda: self.windows(title), timeout)
        return windows[0]

    def wait_until_closed(self, title, timeout):
        wait_for(f'the window "{title}" to close', lambda: not self.windows(title), timeout)

    def bring_to_front(self, window):
        """Gives `window` the keyboard focus (there may be no window manager)."""
        self._xdotool("windowfocus", "--sync", window)

    def window_geometry(self, window):
        """The window's left, top, width and height on the screen."""
        shape = dict(line.split("=", 1)
                     for line in self._xdotool("getwindowgeometry", "--shell", window).split())
        return tuple(int(shape[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))

    def type_text(self, text):
        self._xdotool("type", "--delay", self._typing_delay, "--", text)

    def press(self, *keys):
        """Presses each key (an X key name such as "Tab" or "ctrl+s") in turn."""
        self._xdotool("key", "--delay", self._typing_delay, *keys)

    def move_pointer(self, x, y):
        self._xdotool("mousemove", "--sync", str(x), str(y))

    def click(self):
        self._xdotool("click", "1")

    def scroll(self, notches):
        """Turns the wheel: positive notches scroll down, negative up."""
        button = "5" if notches > 0 else "4"
        self._xdotool("click", "--repeat", str(abs(notches)), "--delay", "30", button)

    def screenshot(self, path):
        """Saves the whole screen as `path`; False when no tool is there for it."""
        if not shutil.which("import"):
            return False
        try:
            result = subprocess.run(["import", "-window", "root", path], env=self._environment,
                                    capture_output=True, timeout=_TOOL_TIMEOUT)
        except subprocess.TimeoutExpired:
            return False
        return result.returncode == 0

    def _search(self, criterion, exact_text):
        found = self._run_xdotool("search", "--onlyvisible", criterion,
                                  f"^{_posix_regex_escape(exact_text)}$")
        return found.stdout.split()  # finding nothing is no error here

    def _xdotool(self, *arguments):
        result = self._run_xdotool(*arguments)
        if result.returncode != 0:
            raise DesktopError(f"xdotool {' '.join(arguments)} failed: {result.stderr.strip()}")
        return result.stdout

    def _run_xdotool(self, *arguments):
        try:
            return subprocess.run(["xdotool", *arguments], env=self._environment,
                                  capture_output=True, text=True, timeout=_TOOL_TIMEOUT)
        except subprocess.TimeoutExpired as error:
            raise DesktopError(f"xdotool {' '.join(arguments)} did not finish") from error
