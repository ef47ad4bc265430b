#!/usr/bin/env bash
# The program reads and writes bytes, not text: a sealed text has CRLF line
# ends only, and unsealing gives back the XML byte for byte (its CR, LF and
# Ctrl-Z too), sealed from a file with a non-ASCII name or from standard
# input. Arguments: the command that runs the program (an emulator first).
set -euo pipefail
cli=("$@")
export LC_ALL=C.UTF-8  # the names' encoding, as Wine hands them to a Windows program
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

xml='Peña €.xml'
{
  printf '<FORMULARIO NUMERO="1">\r\n<NOMBRE>Peña \x1a €</NOMBRE>\n'
  for i in $(seq 40); do printf '<CASILLA ID="%d">1234.50</CASILLA>' "$((2006 + i))"; done
  printf '</FORMULARIO>'
} >"$xml"

"${cli[@]}" seal "$xml" >'Peña €.sealed'
"${cli[@]}" seal <"$xml" >stdin.sealed
for sealed in 'Peña €.sealed' stdin.sealed; do
  python3 -c 'import sys; t = open(sys.argv[1], "rb").read()
sys.exit(not (t.count(b"\r\n") == t.count(b"\r") == t.count(b"\n") > 1))' "$sealed" \
    || { echo "$sealed: line ends other than CRLF"; exit 1; }
  "${cli[@]}" unseal "$sealed" | cmp - "$xml"
done
[ "$("${cli[@]}" verify 'Peña €.sealed')" = 'Peña €.sealed: ok' ]
echo "byte streams: ok"
