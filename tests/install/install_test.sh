#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses it from there: the
# installed files are exactly the program's, the desktop entry is valid, and
# the installed programs run: the CLI's version, and a declaration's PDF
# (its text holds the NIT, the name and a brand) or, for a file that is no
# declaration, the Consult refusal on standard error and no PDF.
# usage: install_test.sh BUILD_DIR DECLARATION
set -euo pipefail
build=$1
declaration=$2
prefix=$PWD/prefix
fail() { echo "FAILED: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
installed=$(cd "$prefix" && find . -type f | sort | tr '\n' ' ')
expected="./bin/formulario7316 ./bin/formulario7316-cli ./share/applications/formulario7316.desktop \
./share/doc/formulario7316/changelog.gz ./share/doc/formulario7316/copyright \
./share/icons/hicolor/48x48/apps/formulario7316.png ./share/icons/hicolor/scalable/apps/formulario7316.svg \
./share/man/man1/formulario7316-cli.1.gz ./share/man/man1/formulario7316.1.gz \
./share/mime/packages/formulario7316.xml "
[ "$installed" = "$expected" ] || fail "installed files: $installed"

desktop-file-validate "$prefix/share/applications/formulario7316.desktop" || fail "desktop entry"
version=$(sed -n 's/^project(Formulario7316 VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
[ "$("$prefix/bin/formulario7316-cli" --version)" = "formulario7316-cli $version" ] || fail "cli --version"
[ "$("$prefix/bin/formulario7316" --version)" = "formulario7316 $version" ] || fail "--version"
"$prefix/bin/formulario7316" --help | grep -qF "formulario7316 --pdf DECLARACION SALIDA.pdf" || fail "--help"

cp "$declaration" DRN-123456797316120314302257
# The engine's and Qt's own switches pass through.
"$prefix/bin/formulario7316" --disable-gpu --remote-debugging-port=0 -platform offscreen \
  --pdf DRN-123456797316120314302257 declaration.pdf 2>pdf.log || fail "--pdf: $(cat pdf.log)"
text=$(pdftotext declaration.pdf -)
for expected_text in 12345679 "Tabacalera Ejemplo" MARLBORO; do
  grep -qF "$expected_text" <<<"$text" || fail "the PDF lacks $expected_text"
done
# Without Verdana on the machine, the form falls back to a sans-serif face.
fonts=$(pdffonts declaration.pdf)
grep -qF DejaVuSans <<<"$fonts" && ! grep -qi serif <<<"$fonts" || fail "the PDF's fonts: $fonts"

echo "no declaration" > DRN-1
if "$prefix/bin/formulario7316" --pdf DRN-1 refused.pdf 2>refused.log; then fail "--pdf accepted a damaged file"; fi
grep -qF "El archivo que se intenta abrir es invalido, no pertenece a una declaración" refused.log \
  || fail "refusal message: $(cat refused.log)"
[ ! -e refused.pdf ] || fail "a PDF was written for a damaged file"
echo "1 passed, 0 failed"
