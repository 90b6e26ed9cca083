#!/usr/bin/env bash
# Runs q42cli.exe (scripts/windows.sh) under Wine, headless, against the expectations the Linux
# tests hold: every example prints its transcript byte for byte (tests/examples_test.cpp), every
# sample exercise passes its solution and fails its wrong one with the same lines and exit
# statuses (tests/cli_check_test.cpp). Then what only Windows can get wrong: Cyrillic file and
# folder names (the arguments, reading, writing a .cod file, the messages), a program in UTF-8
# and in Windows-1251. Every output is compared byte for byte, so a "\r\n" where Linux writes
# "\n" fails too.
set -euo pipefail
cd "$(dirname "$0")/.."

exe=build-windows/bin/q42cli.exe
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
export WINEPREFIX="$PWD/build-windows/wine" WINEDEBUG=-all
work=build-windows/wine-test
rm -rf "$work"
mkdir -p "$work"
failures=0

q42cli() { "$wine" "$exe" "$@"; }
fail() {
    echo "windows_test: $*" >&2
    failures=$((failures + 1))
}
# expect STATUS NAME EXPECTED-FILE ARGUMENT...: the exit status and the exact bytes of stdout.
expect() {
    local status=$1 name=$2 expected=$3 actual
    shift 3
    actual=0
    q42cli "$@" <"${input:-/dev/null}" >"$work/out" 2>"$work/err" || actual=$?
    [ "$actual" = "$status" ] || fail "$name: exit status $actual, expected $status: $(cat "$work/err")"
    [ -z "$expected" ] || cmp -s "$expected" "$work/out" || {
        fail "$name: output differs"
        diff -u "$expected" "$work/out" | head -20 >&2 || true
    }
}

# The prefix is made on the first start, which takes some seconds and talks on stderr.
q42cli --version >/dev/null 2>&1

for program in examples/*.asm; do
    base=${program%.asm}
    input=/dev/null
    [ -e "$base.in" ] && input=$base.in
    input=$input expect 0 "$program" "$base.out" run --max-steps 1000000 "$program"
    [ ! -s "$work/err" ] || fail "$program: wrote on stderr: $(cat "$work/err")"
done

for exercise in examples/exercises/*.q42test; do
    base=${exercise%.q42test}
    expect 1 "$exercise" "$base.out" check --lang en "$exercise" "$base.asm" "$base-wrong.asm"
    expect 0 "$exercise (JSON)" "" check --json "$exercise" "$base.asm"
    grep -q '"failed": 0' "$work/out" || fail "$exercise: the solution fails: $(cat "$work/out")"
    expect 1 "$exercise (JSON, wrong)" "" check --json --lang en "$exercise" "$base-wrong.asm"
done

# Cyrillic names: a folder and files named in Cyrillic, a program whose text is Cyrillic, once
# in UTF-8 and once in Windows-1251; the .cod file that `asm -o` writes runs the same.
folder="$work/Программы"
mkdir -p "$folder"
sed 's/DS Hello, world!/DS Привет, мир!/' examples/hello.asm >"$folder/привет.asm"
iconv -f UTF-8 -t WINDOWS-1251 "$folder/привет.asm" >"$folder/привет-1251.asm"
sed 's/Hello, world!/Привет, мир!/' examples/hello.out >"$work/привет.out"
expect 0 "UTF-8 program" "$work/привет.out" run "$folder/привет.asm"
expect 0 "Windows-1251 program" "$work/привет.out" run "$folder/привет-1251.asm"
expect 0 "asm -o" "" asm "$folder/привет.asm" -o "$folder/код.cod"
[ -s "$folder/код.cod" ] || fail "asm -o wrote no $folder/код.cod"
expect 0 ".cod file" "$work/привет.out" run "$folder/код.cod"
expect 2 "a missing file" "" run "$folder/нет.asm"
grep -q "Программы/нет.asm" "$work/err" || fail "the missing file is not named: $(cat "$work/err")"
cp rom/Q42ROM.TXT "$folder/ПЗУ.txt"
expect 0 "a ROM image named in Cyrillic" examples/hello.out run --rom "$folder/ПЗУ.txt" \
    examples/hello.asm

# Standard input is read as bytes: Ctrl+Z (1A) is a key like any other, not the end of a file.
printf 'A\032B\r\n' >"$work/keys.in"
sed "s/Hello, Q42!/$(printf 'A\032B')/" examples/echo.out >"$work/keys.out"
input="$work/keys.in" expect 0 "keys with Ctrl+Z" "$work/keys.out" run examples/echo.asm

# A name with * or ? stands for the files it matches, sorted, as a Linux shell would give them.
q42cli check --lang en examples/exercises/sum.q42test examples/exercises/sum-wrong.asm \
    examples/exercises/sum.asm >"$work/both.out" || true
expect 1 "a wildcard" "$work/both.out" check --lang en examples/exercises/sum.q42test \
    'examples/exercises/sum*.asm'

if [ "$failures" -ne 0 ]; then
    echo "windows_test: $failures failed" >&2
    exit 1
fi
echo "windows_test: q42cli.exe passes under Wine"
