#!/usr/bin/env python3
"""Typed work survives a crash, on a private desktop with real X key events: a header and three brand rows typed
into the blank form, the program killed with SIGKILL, started again, the question answered with Enter, every value
back, and "Generar" gives the declaration the killed program would have given (but for FECPRE). Then the same for a
Modify page whose file has moved since.  Arguments: PROGRAM CLI"""
import json, os, re, signal, subprocess, sys, tempfile, urllib.request

sys.dont_write_bytecode = True
from session_test import MAIN, STEP, Failure, Person, check, desktop, wait_for  # noqa: E402

TYPED = [("c2", "12345679"), ("c3", "Tabacalera \"La Estrella\" & Hijos <Sucs.>"), ("mes_ini", "3"),
         ("anio_ini", "2012"), ("f11c1", "FA035127"), ("f11c2", "25"), ("f11c3", None), ("f11c4", "100"),
         ("f11c5", "2"), ("f11c6", None), ("f12c1", "FA031004"), ("f12c2", "19.99"), ("f12c3", "15"),
         ("f12c4", "40"), ("f12c5", None), ("f12c6", "1"), ("f13c1", "FA029549"), ("f13c2", "30"), ("f13c3", None),
         ("f13c4", "10")]
# The declaration "Generar" would hand over now: the form's own generation, with the hand-over kept in the page.
WOULD_GENERATE = ("(() => { let xml = null; const hand = genera; genera = () => { xml = declaracionxml(); };"
                  " try { validaarchivoanexo(); } finally { genera = hand; } return xml; })()")
FECPRE = re.compile(r'<CASILLA ID="FECPRE">[^<]*</CASILLA>')


class Program:
    """The program on `display` with the data folder `home`, as started again after a crash."""

    def __init__(self, path, display, home, port):
        self.process = subprocess.Popen([path], cwd=home, start_new_session=True, env=dict(
            os.environ, DISPLAY=display, HOME=home, XDG_DATA_HOME=home, QT_QPA_PLATFORM="xcb",
            QTWEBENGINE_REMOTE_DEBUGGING=f"127.0.0.1:{port}"))
        self.person = Person(display, port)
        self.drafts = os.path.join(home, "Formulario7316")

    def draft(self):
        names = [name for name in os.listdir(self.drafts) if re.fullmatch(r"borrador-.*\.txt", name)]
        return "".join(open(os.path.join(self.drafts, name), encoding="utf-8").read() for name in names)

    def kill(self):
        os.killpg(self.process.pid, signal.SIGKILL)  # the program and the engine's helpers, at once
        self.process.wait()


def difference(before, after):
    """The fields, and the first place of the page's text, that differ."""
    (values, text), (values_after, text_after) = before, after or ([None, None], "")
    shown = dict(zip(values_after[2::2], values_after[3::2]))
    fields = [f"{name}: {value!r} -> {shown.get(name)!r}" for name, value in zip(values[2::2], values[3::2])
              if shown.get(name) != value]
    at = next((i for i, (a, b) in enumerate(zip(text, text_after)) if a != b), min(len(text), len(text_after)))
    return f"{values[:2]} -> {values_after[:2]}, {fields}, text at {at}: {text[at - 30:at + 90]!r} -> " \
           f"{text_after[at - 30:at + 90]!r}"


def generate(person, output, cli, number):
    """Generar from the keyboard, the directory typed; the declaration XML written."""
    person.window(MAIN)
    person.page("C.validar.focus()")
    person.x("key", "Return")
    person.answer("Directorio Destino", "shift+Tab", "ctrl+a", typed=output)
    person.answer("Zorovirira DRN-7316")
    data_file = os.path.join(output, "12345679", "7316", f"DRN-1234567973161203{number}")
    unsealed = subprocess.run([cli, "unseal", data_file], capture_output=True, text=True, timeout=STEP)
    check(unsealed.returncode == 0, f"formulario7316-cli unseal {data_file}: {unsealed.stderr}")
    return data_file, unsealed.stdout


def shown_address(port):
    with urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list", timeout=STEP) as answer:
        return " ".join(target["url"] for target in json.load(answer) if target["type"] == "page")


def crash_and_recover(program, start, change, wanted, address):
    """Waits for the draft to hold `wanted`, notes the form and its declaration, kills the program, starts it
    again and answers the question with Enter; the form must come back exactly, on the page at `address` (the
    page is asked nothing while it is being replaced: an evaluation then may never be answered)."""
    wait_for("the draft", lambda: wanted in program.draft())
    before, xml = program.person.page("[valoresborrador(), document.body.innerText]"), program.person.page(WOULD_GENERATE)
    check(xml, "the killed program's form did not generate")
    change()
    program.kill()
    again = start()
    again.person.window("Formulario7316", 2 * STEP)
    again.person.x("key", "Return")
    wait_for("the page the draft comes back on", lambda: address in shown_address(again.person.port))
    seen = [None]  # the form as last looked at, until it is back exactly as it was
    try:
        wait_for("the form back", lambda: seen.append(again.person.page(
            "[valoresborrador(), document.body.innerText]", quiet=True)) or seen[-1] == before)
    except Failure:
        raise Failure("the form came back otherwise: " + difference(before, seen[-1])) from None
    return again, xml


def walk_through(start, cli, output):
    first = start()
    person = first.person
    person.window(MAIN, 2 * STEP)
    person.see("the blank form", "document.readyState == 'complete' && C.c1.value != ''", 2 * STEP)
    person.page("C.c2.focus()")
    for field, typed in TYPED:  # leaving each field with Tab runs the form's own checks
        person.see(f"the focus in {field}", f"document.activeElement.name == '{field}'")
        if typed is not None:
            person.x("type", "--delay", "25", "--", typed)
        person.x("key", "Tab")
        person.see(f"{field} left", f"document.activeElement.name != '{field}'")
    second, expected = crash_and_recover(first, start, lambda: None, "campo\tf13c4\t10.0000\n", "#23/%23131")
    number = second.person.page("C.c1.value")
    data_file, generated = generate(second.person, output, cli, number)
    check(FECPRE.sub("", generated) == FECPRE.sub("", expected),
          f"the recovered form generated\n  {generated}\nnot\n  {expected}")
    wait_for("the draft to end", lambda: second.draft() == "")

    loaded = second.person.page("performance.timeOrigin")
    second.person.command("ctrl+m", "Buscar Archivo", typed=data_file)
    second.person.see("the Modify page", f"performance.timeOrigin != {loaded} && document.readyState == 'complete'")
    second.person.window(MAIN)
    second.person.page("C.f12c4.focus(); C.f12c4.select()")
    second.person.x("type", "--delay", "25", "55")
    second.person.x("key", "Tab")
    moved = data_file + ".moved"
    third, expected = crash_and_recover(second, start, lambda: os.rename(data_file, moved), "campo\tf12c4\t55.0000\n",
                                      "/pagina")
    _, generated = generate(third.person, output, cli, number)
    check("55.0000" in generated and FECPRE.sub("", generated) == FECPRE.sub("", expected),
          f"the recovered Modify page generated\n  {generated}\nnot\n  {expected}")
    third.person.window(MAIN)
    third.person.x("key", "alt+a")  # Archivo > Salir: generated, so nothing is asked
    wait_for("the Archivo menu", lambda: len(third.person.x("search", "--onlyvisible", "--class", "^Formulario7316$")) > 1)
    third.person.x("key", "s")
    check(third.process.wait(STEP) == 0, f"the program ended with exit code {third.process.returncode}")


def main(program, cli):
    started = []
    with tempfile.TemporaryDirectory() as home:
        try:
            display, port = desktop()
            os.mkdir(output := os.path.join(home, "declaraciones"))
            walk_through(lambda: started.append(Program(program, display, home, port)) or started[-1], cli, output)
        except (Failure, subprocess.TimeoutExpired) as failure:
            print(f"FAILED: {failure}", file=sys.stderr)
            return 1
        finally:
            for each in started:
                if each.process.poll() is None:
                    each.kill()
    print("draft recovery passed: a blank form and a Modify page killed, recovered and generated")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
