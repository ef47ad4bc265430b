#!/usr/bin/env python3
"""A log-out ends the program without losing typed work, on a private X server with real X key events: a NIT typed
and left, a name typed and not left, then SIGTERM; the program ends with 0, leaves no lock and a draft holding both.
The next start offers it back, more is typed, SIGHUP ends it the same way. The engine switches are given on the
command line, and the start prints no report of the engine's set-up.  Arguments: PROGRAM"""
import os, re, signal, subprocess, sys, tempfile

sys.dont_write_bytecode = True
from session_test import MAIN, STEP, Failure, Person, check, desktop, wait_for  # noqa: E402

NAME = "Tabacalera La Estrella"


STARTED = []


def start(program, display, home, port, log):
    environment = dict(os.environ, DISPLAY=display, HOME=home, XDG_DATA_HOME=home, QT_QPA_PLATFORM="xcb")
    environment.pop("QTWEBENGINE_CHROMIUM_FLAGS", None)
    environment.pop("QTWEBENGINE_REMOTE_DEBUGGING", None)
    STARTED.append(subprocess.Popen([program, "--disable-gpu", f"--remote-debugging-port={port}"], cwd=home,
                                    start_new_session=True, env=environment, stderr=log))
    return STARTED[-1]


def end_with(process, number, folder):
    """Sends the signal; the program must end with 0, leaving no lock and giving the draft it left."""
    process.send_signal(number)
    check(process.wait(STEP) == 0, f"signal {number}: the program ended with exit code {process.returncode}")
    names = os.listdir(folder)
    check(not [name for name in names if name.endswith(".lock")], f"signal {number} left {names}")
    drafts = [name for name in names if re.fullmatch(r"borrador-.*\.txt", name)]
    check(len(drafts) == 1, f"signal {number} left the drafts {drafts}")
    return open(os.path.join(folder, drafts[0]), encoding="utf-8").read()


def type_into(person, field, typed, leave):
    person.see(f"the focus in {field}", f"document.activeElement.name == '{field}'")
    person.x("type", "--delay", "25", "--", typed)
    if leave:
        person.x("key", "Tab")
    person.see(f"{typed} in {field}", f"C.{field}.value.includes('{typed}')")


def walk_through(program, display, home, port, log):
    folder = os.path.join(home, "Formulario7316")
    first = start(program, display, home, port, log)
    person = Person(display, port)
    person.window(MAIN, 2 * STEP)
    person.see("the blank form", "document.readyState == 'complete' && C.c1.value != ''", 2 * STEP)
    person.page("C.c2.focus()")
    type_into(person, "c2", "12345679", leave=True)
    type_into(person, "c3", NAME, leave=False)  # no box left since: only the end writes it
    draft = end_with(first, signal.SIGTERM, folder)
    check(f"campo\tc3\t{NAME}\n" in draft and "campo\tc2\t12345679\n" in draft, f"the draft holds {draft!r}")

    second = start(program, display, home, port, log)
    person = Person(display, port)
    person.window("Formulario7316", 2 * STEP)
    person.x("key", "Return")  # Sí: recovered
    person.see("the name back", f"C.c3.value == '{NAME}'", 2 * STEP)
    person.window(MAIN)
    person.page("C.c3.focus()")
    type_into(person, "c3", " Hijos", leave=False)
    draft = end_with(second, signal.SIGHUP, folder)
    check(f"campo\tc3\t{NAME} Hijos\n" in draft, f"the draft holds {draft!r}")


def main(program):
    display, port = desktop()
    with tempfile.TemporaryDirectory() as home, tempfile.TemporaryFile("w+") as log:
        try:
            walk_through(program, display, home, port, log)
            log.seek(0)
            printed = log.read()
            check("qt.webenginecontext" not in printed, f"the start reported the engine's set-up:\n{printed}")
        except (Failure, subprocess.TimeoutExpired) as failure:
            log.seek(0)
            print(f"FAILED: {failure}\nThe program printed:\n{log.read()}", file=sys.stderr)
            return 1
        finally:
            for process in STARTED:
                if process.poll() is None:
                    os.killpg(process.pid, signal.SIGKILL)  # the program and the engine's helpers
                    process.wait()
    print("termination passed: SIGTERM and SIGHUP kept the typed work, left no lock, ended with 0")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
