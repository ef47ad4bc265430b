#!/usr/bin/env python3
"""One whole session at Formulario7316 on a private desktop (tests/on_desktop), typed with real X key events (a declaration with two
brand rows, Generar, Ctrl+S, Consultar, Modificar); files checked with formulario7316-cli.  Arguments: PROGRAM CLI"""
import base64, json, os, pathlib, socket, struct, subprocess, sys, tempfile, time
import urllib.parse, urllib.request
import xml.etree.ElementTree as ElementTree

STEP = 20  # seconds one step may take; the first start gets twice that
MAIN = "Formulario7316 - Tramix Razuv"
NIT = "12345679"
# Characters a page could take for markup; X events type ASCII only, the
# second brand brings the "´" the data file holds in Windows-1252.
NAME = "Tabacalera \"La Estrella\" & Hijos O'Neill <Sucs.>"
# Field, what is typed into it (None: nothing) and what it shows once left with Tab.
DECLARATION = [
    ("c2", NIT, NIT), ("c3", NAME, NAME), ("mes_ini", "3", "03"), ("anio_ini", "2012", "2012"),
    ("f11c1", "FA035127", "FA035127.00 L&M ETIQUETA VERDE MNT KS BOX 20"), ("f11c2", "25", "25.0000"),
    ("f11c3", "20", "20.00"), ("f11c4", "100", "100.0000"), ("f11c5", "2", "2.0000"), ("f11c6", None, ""),
    ("f12c1", "FA001849.03", "FA001849.03 RUBIOS FULL FLAVOR BOX 20´S"), ("f12c2", "19.99", "19.9900"),
    ("f12c3", None, "14.99"),  # the least base the form takes: 75 % of the price
    ("f12c4", "40", "40.0000"),
]
SHOWN = {field: shown for field, _, shown in DECLARATION}
ROWS = [[SHOWN.get(f"f1{row}c{column}", "") for column in range(1, 7)] for row in (1, 2)]
COMPUTED = {"c2010": "2599.60", "c2017": "13.00", "c2019": "2586.60", "c2029": "2586.60"}


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def check_equal(expected, actual, where):
    wrong = [f"{key}: {value!r} expected, {actual.get(key)!r} found" for key, value in expected.items()
             if actual.get(key) != value]
    check(not wrong, where + ":\n  " + "\n  ".join(wrong))


def wait_for(what, condition, timeout=STEP):
    deadline = time.monotonic() + timeout
    while not (value := condition()):
        check(time.monotonic() < deadline, f"no {what} within {timeout} s")
        time.sleep(0.1)
    return value


class Person:
    """Hands on the keyboard of `display`; eyes on the page, by Runtime.evaluate over the DevTools WebSocket."""

    def __init__(self, display, port):
        self.environment, self.port, self.stream, self.id = dict(os.environ, DISPLAY=display), port, None, 0

    def x(self, *arguments):
        return subprocess.run(["xdotool", *arguments], env=self.environment, capture_output=True, text=True,
                              timeout=STEP).stdout.split()

    def window(self, title, timeout=STEP):
        """Waits for the window and gives it the keyboard."""
        window = wait_for(f'window "{title}"', lambda: self.x("search", "--onlyvisible", "--name", f"^{title}$"),
                          timeout)[0]
        self.x("windowfocus", "--sync", window)
        return window

    def answer(self, title, *keys, typed=None):
        """Presses `keys`, types `typed` and Enter in the window, and waits for it to close."""
        window = self.window(title)
        if keys:
            self.x("key", "--delay", "25", *keys)
        if typed:
            self.x("type", "--delay", "25", "--", typed)
        self.x("key", "Return")
        wait_for(f'"{title}" to close',
                 lambda: window not in self.x("search", "--onlyvisible", "--name", f"^{title}$"))

    def command(self, keys, *answer, typed=None):
        self.window(MAIN)
        self.x("key", keys)
        self.answer(*answer, typed=typed)

    def see(self, what, expression, timeout=STEP):
        return wait_for(what, lambda: self.page(expression, quiet=True), timeout)

    def page(self, expression, quiet=False):
        """The value of `expression` in the page; None, when `quiet`, while the page cannot tell."""
        try:
            self.stream = self.stream or self._connect()
            self.id += 1
            data, mask = json.dumps({"id": self.id, "method": "Runtime.evaluate", "params": {
                "expression": expression, "returnByValue": True}}).encode(), os.urandom(4)
            size = bytes([0x80 | len(data)]) if len(data) < 126 else b"\xff" + struct.pack("!Q", len(data))
            self.stream.write(b"\x81" + size + mask + bytes(byte ^ mask[i % 4] for i, byte in enumerate(data)))
            self.stream.flush()
            while (reply := json.loads(self._receive())).get("id") != self.id:
                pass
            check("exceptionDetails" not in reply["result"], f"{expression}: {reply['result']}")
            return reply["result"]["result"].get("value")
        except (OSError, ValueError, Failure) as error:
            if quiet:
                return None
            raise Failure(f"the page could not tell {expression}: {error}") from error

    def values(self, fields, document="document"):
        """What each field of `document` shows: a text field its value, a list its chosen option."""
        return self.page(f"(doc => Object.fromEntries({json.dumps(list(fields))}.map(name => [name, (field => "
                         "field.tagName != 'SELECT' ? field.value : field.selectedIndex < 0 ? '' : "
                         f"field.options[field.selectedIndex].text)(doc.getElementsByName(name)[0])])))({document})")

    def _connect(self):
        with urllib.request.urlopen(f"http://127.0.0.1:{self.port}/json/list", timeout=STEP) as answer:
            pages = [target["webSocketDebuggerUrl"] for target in json.load(answer) if target["type"] == "page"]
        check(pages, "the program shows no page yet")
        address = urllib.parse.urlsplit(pages[0])
        stream = socket.create_connection((address.hostname, address.port), timeout=STEP).makefile("rwb")
        stream.write(f"GET {address.path} HTTP/1.1\r\nHost: {address.netloc}\r\nUpgrade: websocket\r\n"
                     f"Connection: Upgrade\r\nSec-WebSocket-Key: {base64.b64encode(os.urandom(16)).decode()}\r\n"
                     "Sec-WebSocket-Version: 13\r\n\r\n".encode())
        stream.flush()
        check(b" 101 " in stream.readline(), "the debugging port refused the WebSocket")
        while stream.readline() not in (b"\r\n", b""):
            pass
        return stream

    def _receive(self):
        message, final = b"", False
        while not final:
            first, size = self.stream.read(2)
            final, size = first & 0x80, size & 0x7F
            if size > 125:
                (size,) = struct.unpack("!H" if size == 126 else "!Q", self.stream.read(2 if size == 126 else 8))
            message += self.stream.read(size)
        return message.decode()


def walk_through(person, cli, output):
    person.window(MAIN, 2 * STEP)
    person.see("the blank form", "document.readyState == 'complete' && C.c1.value != ''", 2 * STEP)
    person.page("C.c2.focus()")
    for field, typed, _ in DECLARATION:  # leaving each field with Tab runs the form's own checks
        person.see(f"the focus in {field}", f"document.activeElement.name == '{field}'")
        if typed is not None:
            person.x("type", "--delay", "25", "--", typed)
        person.x("key", "Tab")
        person.see(f"{field} left", f"document.activeElement.name != '{field}'")
    person.page("C.validar.focus()")
    person.x("key", "Return")  # Generar
    person.answer("Directorio Destino", "shift+Tab", "ctrl+a", typed=output)  # from OK back to the path
    person.answer("Zorovirira DRN-7316")  # the page waits for the host until then
    number = person.page("C.c1.value")
    data_file = os.path.join(output, NIT, "7316", f"DRN-{NIT}73161203{number}")
    written = os.listdir(os.path.dirname(data_file))
    check(written == [os.path.basename(data_file)], f"the output directory holds {written}")
    unsealed = subprocess.run([cli, "unseal", data_file], capture_output=True, text=True, timeout=STEP)
    check(unsealed.returncode == 0, f"formulario7316-cli unseal: {unsealed.stderr}")
    declaration = ElementTree.fromstring(unsealed.stdout)
    saved = {box.get("ID"): box.text or "" for box in declaration.iter("CASILLA")}
    saved.update({tag: declaration.findtext(tag) for tag in ("NIT", "NOMBRE", "PERIODO_DESDE", "MONTO")},
                 NUMERO=declaration.get("NUMERO"))
    expected = {"NUMERO": number, "NIT": NIT, "NOMBRE": NAME, "PERIODO_DESDE": "20120301", "MONTO": "2586.60"}
    expected.update({str(10 * row + 6 + column): shown for row, cells in enumerate(ROWS)  # annex cell (row, column)
                     for column, shown in enumerate(cells, start=1)})
    check_equal(dict(expected, **{box[1:]: value for box, value in COMPUTED.items()}), saved, "the data file")
    person.command("ctrl+s", "Zorovirira 7316")
    markup = pathlib.Path(data_file + ".htm").read_text(encoding="cp1252")
    copy = f"new DOMParser().parseFromString({json.dumps(markup)}, 'text/html')"  # read as the markup holds it
    shown = dict(SHOWN, c1=number, **COMPUTED)
    check_equal(shown, person.values(shown, copy), "the HTML copy")

    for keys, page in (("ctrl+c", "Consult"), ("ctrl+m", "Modify")):
        loaded = person.page("performance.timeOrigin")
        person.command(keys, "Buscar Archivo", typed=data_file)
        person.see(f"the {page} page", f"performance.timeOrigin != {loaded} && document.readyState == 'complete'")
        if page == "Modify":
            check_equal(shown, person.values(shown), "the Modify page")
            continue
        fields, text = person.page("[document.querySelectorAll('input:not([type=hidden]), select, textarea').length,"
                                   " document.body.innerText]")
        check(fields == 0, f"the Consult page has {fields} fields to type into")
        wanted = [number, NIT, NAME, *COMPUTED.values()] + ["\t".join([str(n), *row]) for n, row in enumerate(ROWS, 1)]
        check(all(value in text for value in wanted), f"the Consult page does not show all of {wanted}")

    person.window(MAIN)
    person.x("key", "alt+a")  # Archivo > Salir
    wait_for("the Archivo menu", lambda: len(person.x("search", "--onlyvisible", "--class", "^Formulario7316$")) > 1)
    person.x("key", "s")


def desktop():
    """The display tests/on_desktop started, with its window manager, and a free port for the engine."""
    check("DISPLAY" in os.environ, "no desktop: run through tests/on_desktop")
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return os.environ["DISPLAY"], probe.getsockname()[1]


def main(program, cli):
    with tempfile.TemporaryDirectory() as home:
        running = None
        try:
            display, port = desktop()
            running = subprocess.Popen([program], cwd=home, start_new_session=True, env=dict(
                os.environ, DISPLAY=display, HOME=home, XDG_DATA_HOME=home, QT_QPA_PLATFORM="xcb",
                QTWEBENGINE_REMOTE_DEBUGGING=f"127.0.0.1:{port}"))
            os.mkdir(output := os.path.join(home, "declaraciones"))
            walk_through(Person(display, port), cli, output)
            check(running.wait(STEP) == 0, f"the program ended with exit code {running.returncode}")
        except (Failure, subprocess.TimeoutExpired) as failure:
            print(f"FAILED: {failure}", file=sys.stderr)
            return 1
        finally:
            if running:
                subprocess.run(["pkill", "-9", "-g", str(running.pid)])  # the program and the engine's helpers
                running.wait()
    print("session passed: typed, generated, saved, consulted and modified")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
