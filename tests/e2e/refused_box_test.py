#!/usr/bin/env python3
"""A refused box shows its message once, on a private desktop with real X key events: each refused value typed and
left with Tab gives exactly one message, the focus goes back to its box, and no other message comes for 3 s; a
half-typed value survives switching to another program and back, with no message and the caret where it was.
Arguments: PROGRAM"""
import os, subprocess, sys, tempfile, time

sys.dont_write_bytecode = True
from session_test import MAIN, STEP, Failure, Person, check, desktop, wait_for  # noqa: E402

ALERT = "Formulario7316"  # the caption of the form's messages
QUIET = 3  # seconds in which no second message may come
# Each case: what is typed first (field and text, each left with Tab), the box refused, what is typed into it, and
# the start of its message.
REFUSALS = {
    "wrong NIT check digit": ([], "c2", "45678236", "Error:\nEl NIT posee un dígito verificador inválido."),
    "taxable base below the minimum": ([("f11c1", "FA035127"), ("f11c2", "25")], "f11c3", "10",
                                       "Error:\nLa Base Imponible es menor al mínimo aceptable."),
    "negative number": ([], "c2024", "-5", "Error:\nEl valor de la casilla está abajo del mínimo de 0 "),
    "year too far ahead": ([("mes_ini", "3")], "anio_ini", str(time.localtime().tm_year + 2),
                           "Error:\nNo deben declararse períodos de imposición con dos o más años de anticipación."),
}
# Every message the page shows, in order, kept by the page itself (the message box still comes up).
RECORD_MESSAGES = ("window.avisos = []; window.alert = (show => text => { avisos.push(String(text)); show(text); })"
                   "(window.alert.bind(window)); true")


def messages_shown(person):
    return person.x("search", "--onlyvisible", "--name", f"^{ALERT}$")


def stays_quiet(person, what):
    deadline = time.monotonic() + QUIET
    while time.monotonic() < deadline:
        check(not messages_shown(person), f"{what}: another message came within {QUIET} s")
        time.sleep(0.1)


def blank_form(person):
    """The blank form loaded afresh, its messages recorded."""
    loaded = person.page("performance.timeOrigin")
    person.page("location.reload()")
    person.see("the blank form", f"performance.timeOrigin != {loaded} && document.readyState == 'complete' && "
               "C.c1.value != ''")
    person.page(RECORD_MESSAGES)


def type_into(person, field, text, leave=True):
    person.page(f"C.{field}.focus()")
    person.see(f"the focus in {field}", f"document.activeElement.name == '{field}'")
    person.x("type", "--delay", "25", "--", text)
    if leave:
        person.x("key", "Tab")


def refuse(person, what, before, field, text, message):
    blank_form(person)
    for earlier, typed in before:
        type_into(person, earlier, typed)
        person.see(f"{earlier} left", f"document.activeElement.name != '{earlier}'")
    type_into(person, field, text)
    window = person.window(ALERT)
    person.x("key", "Return")
    wait_for(f"{what}: the message to close", lambda: window not in messages_shown(person))
    stays_quiet(person, what)
    shown, focused = person.page("[avisos, document.activeElement.name]")
    check(len(shown) == 1 and shown[0].startswith(message), f"{what}: the page showed {shown}")
    check(focused == field, f"{what}: the focus is in {focused}, not {field}")


def switch_away_and_back(person, main):
    """Half a NIT typed, the caret two characters back, another program in front and then the form again."""
    blank_form(person)
    type_into(person, "c2", "45678236", leave=False)
    person.x("key", "Left", "Left")
    other = subprocess.Popen(["xmessage", "-title", "Otro programa", "Otro programa"], env=person.environment)
    try:
        window = wait_for("the other program", lambda: person.x("search", "--onlyvisible", "--name",
                                                                "^Otro programa$"))[0]
        person.x("windowactivate", "--sync", window)
        person.see("the form without the focus", "!document.hasFocus()")
        person.x("windowactivate", "--sync", main)
        person.see("the form with the focus again", "document.hasFocus()")
        stays_quiet(person, "switching programs")
    finally:
        other.kill()
        other.wait()
    state = person.page("[avisos, document.activeElement.name, C.c2.value, C.c2.selectionStart, C.c2.selectionEnd]")
    check(state == [[], "c2", "45678236", 6, 6], f"switching programs left [messages, focus, value, caret] {state}")


def main(program):
    with tempfile.TemporaryDirectory() as home:
        running = None
        try:
            display, port = desktop()
            running = subprocess.Popen([program], cwd=home, start_new_session=True, env=dict(
                os.environ, DISPLAY=display, HOME=home, XDG_DATA_HOME=home, QT_QPA_PLATFORM="xcb",
                QTWEBENGINE_REMOTE_DEBUGGING=f"127.0.0.1:{port}"))
            person = Person(display, port)
            main_window = person.window(MAIN, 2 * STEP)
            person.see("the blank form", "document.readyState == 'complete' && C.c1.value != ''", 2 * STEP)
            for what, case in REFUSALS.items():
                refuse(person, what, *case)
            switch_away_and_back(person, main_window)
        except (Failure, subprocess.TimeoutExpired) as failure:
            print(f"FAILED: {failure}", file=sys.stderr)
            return 1
        finally:
            if running:
                subprocess.run(["pkill", "-9", "-g", str(running.pid)])  # the program and the engine's helpers
                running.wait()
    print("refused boxes passed: one message each, and none for switching programs")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
