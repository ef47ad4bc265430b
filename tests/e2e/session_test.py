#!/usr/bin/env python3
"""One whole session at Formulario7316, as a person has it.

On a private X server the real program is started; a declaration with two
brand rows is typed into the form with the keyboard, "Generar" is pressed,
the directory dialog is answered, the message is acknowledged, Ctrl+S saves
the HTML copy, and the data file is reopened with Consultar and with
Modificar. The test acts only through real X keyboard and pointer events; it
reads what the page shows through the engine's remote debugging port, and
checks the files with formulario7316-cli.

usage: session_test.py --program PATH --cli PATH [--artifacts DIR]
"""

import argparse
import html.parser
import json
import os
import socket
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

sys.dont_write_bytecode = True  # leave no cache beside the sources
from desktop import Desktop, DesktopError, XServer, wait_for  # noqa: E402
from devtools import InspectorError, PageInspector  # noqa: E402

MAIN_WINDOW = "Formulario7316 - Tramix Razuv"
ALERT_BOX = "Formulario7316"  # the page's alert boxes bear the application's name
WINDOW_CLASS = "Formulario7316"
DIRECTORY_DIALOG = "Directorio Destino"
DECLARATION_MESSAGE = "Zorovirira DRN-7316"
COPY_MESSAGE = "Zorovirira 7316"
FILE_DIALOG = "Buscar Archivo"

START_TIMEOUT = 120  # the engine's first start on a busy machine
STEP_TIMEOUT = 30

NIT = "12345679"
# Characters the pages could take for markup. Typed text stays ASCII, as X
# test events cannot type other characters reliably; the second brand brings
# one ("´") that the data file holds in Windows-1252.
NAME = "Tabacalera \"La Estrella\" & Hijos O'Neill <Sucs.>"
BRAND_1 = "FA035127.00 L&M ETIQUETA VERDE MNT KS BOX 20"
BRAND_2 = "FA001849.03 RUBIOS FULL FLAVOR BOX 20´S"

# What the person types, field by field in the order the Tab key visits
# them, and what the field shows once left. None types nothing: the field
# keeps what the form put there. A brand is picked by typing its code into
# the focused list.
DECLARATION = [
    # field       typed        shown
    ("c2",        NIT,         NIT),
    ("c3",        NAME,        NAME),
    ("mes_ini",   "3",         "03"),
    ("anio_ini",  "2012",      "2012"),
    ("f11c1",     "FA035127",  BRAND_1),
    ("f11c2",     "25",        "25.0000"),
    ("f11c3",     "20",        "20.00"),
    ("f11c4",     "100",       "100.0000"),
    ("f11c5",     "2",         "2.0000"),
    ("f11c6",     None,        ""),
    ("f12c1",     "FA001849.03", BRAND_2),
    ("f12c2",     "19.99",     "19.9900"),
    ("f12c3",     None,        "14.99"),  # the least base the form accepts: 75 % of the price
    ("f12c4",     "40",        "40.0000"),
]
SHOWN = {field: shown for field, _, shown in DECLARATION}
ANNEX_ROWS, ANNEX_COLUMNS = 2, 6


def annex_cell(row, column):
    return f"f1{row}c{column}"


def annex_row(row):
    """What the cells of an annex row show, the untouched ones empty."""
    return [SHOWN.get(annex_cell(row, column), "") for column in range(1, ANNEX_COLUMNS + 1)]


# The boxes the form computes from those rows.
COMPUTED = {"c2010": "2599.60", "c2017": "13.00", "c2019": "2586.60", "c2029": "2586.60"}

# What a field shows: a text field its value, a list its chosen option's text.
SHOWN_VALUE_JS = """(name => {
    const field = document.getElementsByName(name)[0];
    if (!field) return null;
    if (field.tagName != "SELECT") return field.value;
    return field.selectedIndex < 0 ? "" : field.options[field.selectedIndex].text;
})"""


class SessionFailure(Exception):
    """The program did not do what the person expected."""


def check(condition, message):
    if not condition:
        raise SessionFailure(message)


def check_all_equal(expected, actual, where):
    wrong = [f"{key}: expected {value!r}, shown {actual.get(key)!r}"
             for key, value in expected.items() if actual.get(key) != value]
    check(not wrong, f"{where}:\n  " + "\n  ".join(wrong))


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Program:
    """The program under test, started with a home of its own on `display`."""

    def __init__(self, path, home, display, debugging_port, log_path):
        runtime = os.path.join(home, ".runtime")
        os.makedirs(runtime, mode=0o700)
        environment = dict(
            os.environ, DISPLAY=display, HOME=home, QT_QPA_PLATFORM="xcb",
            XDG_CONFIG_HOME=os.path.join(home, ".config"),
            XDG_DATA_HOME=os.path.join(home, ".local", "share"),
            XDG_CACHE_HOME=os.path.join(home, ".cache"), XDG_RUNTIME_DIR=runtime,
            QTWEBENGINE_DISABLE_SANDBOX="1",
            QTWEBENGINE_REMOTE_DEBUGGING=f"127.0.0.1:{debugging_port}")
        environment.setdefault("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu")
        with open(log_path, "wb") as log:
            self._process = subprocess.Popen([path], cwd=home, env=environment, stdout=log,
                                             stderr=subprocess.STDOUT, start_new_session=True)

    def wait_for_exit(self, timeout):
        try:
            return self._process.wait(timeout)
        except subprocess.TimeoutExpired as error:
            raise SessionFailure(f"the program did not end within {timeout} s") from error

    def stop(self):
        """Ends the program and its engine processes (its own process group)."""
        if self._process.poll() is None:
            os.killpg(self._process.pid, 15)
            try:
                self._process.wait(10)
            except subprocess.TimeoutExpired:
                os.killpg(self._process.pid, 9)
                self._process.wait()
        try:
            os.killpg(self._process.pid, 9)  # engine helpers left behind
        except ProcessLookupError:
            pass


class Person:
    """A person at the program's window: looks at the page, types, clicks,
    answers dialogs."""

    def __init__(self, desktop, page):
        self._desktop = desktop
        self._page = page
        self._window = None
        self._page_origin = None  # the screen position of the page's top-left corner

    # ---- Looking ----

    def read(self, expression):
        try:
            return self._page.evaluate(expression)
        except InspectorError as error:
            raise SessionFailure(f"the page could not be read ({error}): {expression}") from error

    def wait_to_see(self, what, expression, timeout=STEP_TIMEOUT):
        """Waits until `expression` is true on the page and returns it; an
        alert box of the form meanwhile is a failure."""
        def seen():
            if self._desktop.windows(ALERT_BOX):
                raise SessionFailure(f"the form showed an alert box while waiting for {what}")
            try:
                return self._page.evaluate(expression)
            except InspectorError:
                return None
        return wait_for(what, seen, timeout)

    def shown_values(self, fields):
        return self.read(f"Object.fromEntries({json.dumps(list(fields))}"
                         f".map(name => [name, {SHOWN_VALUE_JS}(name)]))")

    def page_text(self):
        return self.read("document.body.innerText")

    def page_load_mark(self):
        return self.read("performance.timeOrigin")

    def wait_for_new_page(self, previous_mark, what):
        self.wait_to_see(what, f"performance.timeOrigin != {previous_mark!r}"
                         " && document.readyState == 'complete'")

    # ---- Hands ----

    def find_window(self):
        self._window = self._desktop.wait_for_window(MAIN_WINDOW, START_TIMEOUT)
        self.wait_to_see("the blank form", "document.readyState == 'complete'"
                         " && !!document.getElementsByName('c2')[0] && C.c1.value != ''",
                         START_TIMEOUT)

    def bring_window_to_front(self):
        self._desktop.bring_to_front(self._window)

    def locate_page(self):
        """Finds where the page lies on the screen (below the menus and the
        tool bar): the pointer moves over the middle of the window, and the
        page tells where that movement landed, through one passive listener
        that removes itself once it has heard."""
        self.read("window.e2ePointer = null; window.addEventListener('mousemove', event => {"
                  " e2ePointer = [event.screenX - event.clientX, event.screenY - event.clientY];"
                  " }, {once: true, capture: true, passive: true}); true")
        left, top, width, height = self._desktop.window_geometry(self._window)
        middle_x, middle_y = left + width // 2, top + height // 2
        self._desktop.move_pointer(middle_x, middle_y)
        self._desktop.move_pointer(middle_x + 1, middle_y + 1)
        self._page_origin = self.wait_to_see("the page to feel the pointer", "window.e2ePointer")
        self.read("delete window.e2ePointer")

    def point_at(self, field):
        """Puts the pointer on the middle of the field where the page shows it."""
        if self._page_origin is None:
            self.locate_page()
        centre_x, centre_y = self.read(
            f"(box => [box.left + box.width / 2, box.top + box.height / 2])"
            f"(document.getElementsByName('{field}')[0].getBoundingClientRect())")
        self._desktop.move_pointer(self._page_origin[0] + round(centre_x),
                                   self._page_origin[1] + round(centre_y))

    def click_on(self, field):
        self.point_at(field)
        self._desktop.click()

    def scroll_to(self, field):
        """Turns the mouse wheel over the page until the field is in sight."""
        place = (f"(box => box.top < 0 ? -1 : box.bottom > innerHeight ? 1 : 0)"
                 f"(document.getElementsByName('{field}')[0].getBoundingClientRect())")
        for _ in range(50):
            direction = self.read(place)
            if direction == 0:
                return
            before = self.read("scrollY")
            self._desktop.scroll(3 * direction)
            self.wait_to_see("the page to scroll", f"scrollY != {before}")
            self._wait_until_still()
        raise SessionFailure(f"the field {field} could not be scrolled into sight")

    def _wait_until_still(self):
        """Waits until a smooth scroll has ended: two looks, a moment apart, agree."""
        last_seen = [None]

        def still():
            now = self.read("scrollY")
            agreed, last_seen[0] = now == last_seen[0], now
            return agreed
        wait_for("the page to stop scrolling", still, STEP_TIMEOUT, interval=0.2)

    def type_declaration(self):
        """Clicks into the first field, then types each value and leaves its
        field with Tab, so the form's own checks run as they do for anyone."""
        self.bring_window_to_front()
        self.click_on(DECLARATION[0][0])
        for field, typed, _ in DECLARATION:
            self.wait_to_see(f"the focus in {field}", f"document.activeElement.name == '{field}'")
            if typed is not None:
                self._desktop.type_text(typed)
            self._desktop.press("Tab")
            self.wait_to_see(f"{field} to be left", f"document.activeElement.name != '{field}'")
        check_all_equal(SHOWN, self.shown_values(SHOWN), "the form once typed")

    def press_generar(self):
        self.scroll_to("validar")
        self.click_on("validar")

    def use_shortcut(self, keys):
        self.bring_window_to_front()
        self._desktop.press(keys)

    def answer_directory_dialog(self, directory):
        """Types `directory` into the dialog's directory box and presses Enter."""
        self._in_dialog(DIRECTORY_DIALOG, lambda: (
            self._desktop.press("shift+Tab", "ctrl+a"),  # from OK back to the directory box
            self._desktop.type_text(directory),
            self._desktop.press("Return")))

    def acknowledge(self, caption):
        self._in_dialog(caption, lambda: self._desktop.press("Return"))

    def choose_file(self, path):
        """Types the path into the file dialog's name box and presses Enter."""
        self._in_dialog(FILE_DIALOG, lambda: (self._desktop.type_text(path),
                                              self._desktop.press("Return")))

    def leave_program(self):
        """Archivo > Salir, by the keyboard."""
        self.use_shortcut("alt+a")
        wait_for("the Archivo menu to open",
                 lambda: len(self._desktop.windows_of(WINDOW_CLASS)) > 1, STEP_TIMEOUT)
        self._desktop.press("s")

    def _in_dialog(self, title, answer):
        try:
            dialog = self._desktop.wait_for_window(title, STEP_TIMEOUT)
        except DesktopError as error:
            alert = " (the form shows an alert box)" if self._desktop.windows(ALERT_BOX) else ""
            raise SessionFailure(f"{error}{alert}") from error
        self._desktop.bring_to_front(dialog)
        answer()
        self._desktop.wait_until_closed(title, STEP_TIMEOUT)


# ---- Checks of what the program left behind ----

def cli(cli_path, *arguments):
    return subprocess.run([cli_path, *arguments], capture_output=True, text=True, timeout=60)


def check_data_file(cli_path, data_file, form_number):
    verified = cli(cli_path, "verify", data_file)
    check(verified.returncode == 0 and verified.stdout.strip() == f"{data_file}: ok",
          f"formulario7316-cli verify: exit {verified.returncode}, {verified.stdout}{verified.stderr}")
    unsealed = cli(cli_path, "unseal", data_file)
    check(unsealed.returncode == 0, f"formulario7316-cli unseal: {unsealed.stderr}")
    declaration = ElementTree.fromstring(unsealed.stdout)
    boxes = {box.get("ID"): box.text or "" for box in declaration.iter("CASILLA")}
    saved = {"NUMERO": declaration.get("NUMERO"), "NIT": declaration.findtext("NIT"),
             "NOMBRE": declaration.findtext("NOMBRE"),
             "PERIODO_DESDE": declaration.findtext("PERIODO_DESDE"),
             "MONTO": declaration.findtext("MONTO")}
    saved.update(boxes)
    expected = {"NUMERO": form_number, "NIT": NIT, "NOMBRE": NAME, "PERIODO_DESDE": "20120301",
                "MONTO": COMPUTED["c2029"]}
    for row in range(1, ANNEX_ROWS + 1):  # cell (row, column) is box 10 * (row - 1) + 6 + column
        for column, shown in enumerate(annex_row(row), start=1):
            expected[str(10 * (row - 1) + 6 + column)] = shown
    expected.update({box[1:]: value for box, value in COMPUTED.items()})  # box c2010 is "2010"
    check_all_equal(expected, saved, "the unsealed declaration")


class FieldReader(html.parser.HTMLParser):
    """What each field of a page's markup holds: a text field its value
    attribute, a list its selected option's text."""

    def __init__(self):
        super().__init__()
        self.values = {}
        self._select = None
        self._selected = False

    def handle_starttag(self, tag, attributes):
        attributes = dict(attributes)
        if tag == "input" and "name" in attributes:
            self.values[attributes["name"]] = attributes.get("value") or ""
        elif tag == "select":
            self._select = attributes.get("name")
            self.values[self._select] = ""
        elif tag == "option":
            self._selected = self._select is not None and "selected" in attributes

    def handle_data(self, data):
        if self._selected:
            self.values[self._select] += data

    def handle_endtag(self, tag):
        if tag == "option":
            self._selected = False
        elif tag == "select":
            self._select = None


def check_html_copy(copy_path, form_number):
    check(os.path.isfile(copy_path), f"no HTML copy at {copy_path}")
    with open(copy_path, "rb") as copy:
        markup = copy.read().decode("cp1252")
    check(form_number in markup, "the HTML copy does not show the form number")
    fields = FieldReader()
    fields.feed(markup)
    check_all_equal(dict(SHOWN, **COMPUTED), fields.values, "the HTML copy")


def check_consult_page(person, form_number):
    """The Consult page shows the declaration as text: each annex row as one
    table row of its cells, the other values somewhere on the page."""
    editable = person.read("document.querySelectorAll('input:not([type=hidden]), select, textarea')"
                           ".length")
    check(editable == 0, f"the Consult page has {editable} fields to type into")
    text = person.page_text()
    expected = [form_number, NIT, NAME, *COMPUTED.values()]
    expected += [f"{row}\t" + "\t".join(annex_row(row)) for row in range(1, ANNEX_ROWS + 1)]
    missing = [value for value in expected if value not in text]
    check(not missing, f"the Consult page does not show {missing}")


def check_modify_page(person, form_number):
    expected = dict(SHOWN, c1=form_number, **COMPUTED)
    check_all_equal(expected, person.shown_values(expected), "the Modify page")


# ---- The session ----

def run_session(program_path, cli_path, desktop, scratch, artifacts):
    """Starts the program, walks through the session and ends the program;
    a failure leaves a screenshot of the screen as it was."""
    home = os.path.join(scratch, "home")
    os.makedirs(home)
    port = free_port()
    log_path = os.path.join(artifacts, "e2e-session-program.log")
    program = Program(program_path, home, desktop.display, port, log_path)
    page = PageInspector(port)
    try:
        walk_through(Person(desktop, page), program, cli_path, scratch)
    except (SessionFailure, DesktopError, InspectorError) as failure:
        screenshot_path = os.path.join(artifacts, "e2e-session-failure.png")
        shot = screenshot_path if desktop.screenshot(screenshot_path) else "none"
        raise SessionFailure(f"{failure}\n  screenshot: {shot}\n  program output: {log_path}") \
            from failure
    finally:
        page.close()
        program.stop()


def walk_through(person, program, cli_path, scratch):
    output_directory = os.path.join(scratch, "declaraciones")
    os.makedirs(output_directory)
    person.find_window()

    person.type_declaration()
    person.press_generar()
    person.answer_directory_dialog(output_directory)
    person.acknowledge(DECLARATION_MESSAGE)  # the page waits for the host until then
    form_number = person.read("C.c1.value")
    check_all_equal(COMPUTED, person.shown_values(COMPUTED), "the form after Generar")

    declaration_number = NIT + "7316" + SHOWN["anio_ini"][-2:] + SHOWN["mes_ini"] + form_number
    data_file = os.path.join(output_directory, NIT, "7316", "DRN-" + declaration_number)
    check(os.path.isfile(data_file), f"no data file at {data_file}")
    written = os.listdir(os.path.dirname(data_file))
    check(written == [os.path.basename(data_file)], f"the output directory holds {written}")
    check_data_file(cli_path, data_file, form_number)

    person.use_shortcut("ctrl+s")
    person.acknowledge(COPY_MESSAGE)
    check_html_copy(data_file + ".htm", form_number)

    mark = person.page_load_mark()
    person.use_shortcut("ctrl+c")
    person.choose_file(data_file)
    person.wait_for_new_page(mark, "the Consult page")
    check_consult_page(person, form_number)

    mark = person.page_load_mark()
    person.use_shortcut("ctrl+m")
    person.choose_file(data_file)
    person.wait_for_new_page(mark, "the Modify page")
    check_modify_page(person, form_number)

    person.leave_program()
    exit_code = program.wait_for_exit(STEP_TIMEOUT)
    check(exit_code == 0, f"the program ended with exit code {exit_code}")


def main():
    arguments = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    arguments.add_argument("--program", required=True)
    arguments.add_argument("--cli", required=True)
    arguments.add_argument("--artifacts", default=tempfile.gettempdir(),
                           help="where a failure leaves its screenshot and the program's output")
    options = arguments.parse_args()

    server = XServer(os.path.join(options.artifacts, "e2e-session-xvfb.log"))
    try:
        with tempfile.TemporaryDirectory(prefix="formulario7316-e2e-") as scratch:
            run_session(options.program, options.cli, Desktop(server.display), scratch,
                        options.artifacts)
    except (SessionFailure, DesktopError) as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    finally:
        server.close()
    print("session passed: typed, generated, saved, consulted and modified")
    return 0


if __name__ == "__main__":
    sys.exit(main())
