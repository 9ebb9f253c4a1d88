#!/usr/bin/env bash
# Checks evetool from the outside: every sample described and resaved to the
# same bytes, the exit statuses of files that cannot be opened and of wrong
# use. Arguments: the evetool program, the folder of sample events.
set -euo pipefail
evetool=$1
samples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for f in "$samples"/*.eve; do
  out=$("$evetool" info "$f") || fail "info $f"
  python3 - "$out" <<'PY' || fail "info $f: $out"
import json, sys
o = json.loads(sys.argv[1])
keys = ["file_version", "name", "day_kind", "days", "layout_slots", "roles", "venues", "groups",
        "participants", "styles", "facilities", "venue_rules", "day_rules", "combinations", "timetable",
        "timetable_slots", "placed", "locked", "valid", "messages"]
assert list(o) == keys, list(o)
assert o["file_version"] == 40 and o["day_kind"] in ("calendar", "week", "custom")
assert o["placed"] <= o["timetable_slots"] and o["messages"] == []
PY
  resaved=$("$evetool" resave "$f" "$work/out.eve") || fail "resave $f"
  [ "$resaved" = "$out" ] || fail "resave $f describes another event"
  cmp -s "$f" "$work/out.eve" || fail "resave $f wrote other bytes"
done

calendar=$("$evetool" info "$samples/calendar-small.eve")
case $calendar in
  '{"file_version":40,"name":"Summer school","day_kind":"calendar","days":3,"layout_slots":12,"roles":2,"venues":2,"groups":3,"participants":4,"styles":3,"facilities":2,"venue_rules":3,"day_rules":2,"combinations":1,"timetable":true,"timetable_slots":24,"placed":5,"locked":2,"valid":false,"messages":[]}') ;;
  *) fail "calendar sample: $calendar" ;;
esac

# build: a smoke run on the samples, not timed. The figures come in their
# order; the judge finds nothing wrong that the build made; a second run
# gives the same timetable; OUT holds the built event.
for f in "$samples/calendar-small.eve" "$samples/week-days.eve"; do
  first=$("$evetool" build "$f" "$work/built.eve") || fail "build $f"
  second=$("$evetool" build "$f" --time-limit=60) || fail "build $f again"
  python3 - "$first" "$second" "$f" <<'PY' || fail "build $f: $first / $second"
import json, sys
a, b, name = json.loads(sys.argv[1]), json.loads(sys.argv[2]), sys.argv[3]
keys = ["seconds", "cpu_seconds", "result", "valid", "cells", "placed", "unfilled", "minimum_rows",
        "minimum_shortfall", "rotation_rows", "not_scheduled", "steps", "max_depth", "violations", "peak_kib", "hash"]
assert list(a) == keys, list(a)
assert a["hash"] == b["hash"] and a["result"] == b["result"]
assert a["placed"] + a["unfilled"] == a["cells"]
if name.endswith("week-days.eve"):
    assert a["result"] == "built" and a["valid"] and a["violations"] == 0
else:
    # Quartet is locked into a venue without its style: the lock stops the
    # build, and stays, the one thing the judge finds.
    assert a["result"] == "locks cannot stand" and not a["valid"] and a["violations"] == 1
PY
  built=$("$evetool" info "$work/built.eve") || fail "info of the built $f"
  python3 - "$first" "$built" <<'PY' || fail "the built $f: $built"
import json, sys
a, o = json.loads(sys.argv[1]), json.loads(sys.argv[2])
assert o["placed"] == a["placed"] and o["valid"] == a["valid"]
PY
done

# generate and roster: a small generated event rostered twice from the
# file gives the same memberships; the rostered event saved to OUT needs
# nothing more and keeps them.
gen=$("$evetool" generate "$work/gen.eve" --groups=30 --participants=240 --days=3 --venues=5 --seed=3) || fail "generate"
first=$("$evetool" roster "$work/gen.eve" "$work/rostered.eve") || fail "roster"
second=$("$evetool" roster "$work/gen.eve") || fail "roster again"
again=$("$evetool" roster "$work/rostered.eve") || fail "roster the rostered event"
python3 - "$gen" "$first" "$second" "$again" <<'PY' || fail "roster: $first / $second / $again"
import json, sys
g, a, b, c = (json.loads(x) for x in sys.argv[1:])
assert g["groups"] == 30 and g["participants"] == 240 and g["locked"] > 0
keys = ["seconds", "minimum_pass_seconds", "maximum_pass_seconds", "rostered_to_minimum", "rostered_to_maximum",
        "below_minimum", "errors", "committed", "rolled_back", "peak_kib", "hash"]
assert list(a) == keys, list(a)
assert a["hash"] == b["hash"] and a["errors"] == b["errors"] and a["committed"] == b["committed"]
assert a["rostered_to_minimum"] > 100 and a["committed"] > 0
assert all(k.isdigit() for k in a["errors"])
assert c["hash"] == a["hash"] and c["committed"] == 0
PY

expect_status() {
  local want=$1; shift
  set +e
  "$evetool" "$@" >"$work/stdout" 2>"$work/stderr"
  local got=$?
  set -e
  [ "$got" = "$want" ] || fail "$* gave status $got, not $want"
}
expect_status 2 info "$work/missing.eve"
[ ! -s "$work/stdout" ] && [ -s "$work/stderr" ] || fail "a missing file: nothing on standard output, a message on standard error"
head -c 200 "$samples/calendar-small.eve" >"$work/short.eve"
expect_status 2 info "$work/short.eve"
grep -q "damaged or is not an event file" "$work/stderr" || fail "a short file names the damage"
head -c 3000 /dev/urandom >"$work/noise.eve"
expect_status 2 resave "$work/noise.eve" "$work/never.eve"
[ ! -e "$work/never.eve" ] || fail "nothing is written for a file that cannot be opened"
expect_status 1 resave "$samples/empty.eve" "$work/no/such/folder/out.eve"
# What is not a regular file, or cannot be an event file, is refused at
# once, unread (the time limit ends a read of /dev/zero that never stops).
mkfifo "$work/pipe.eve"
for f in /dev/zero "$work/pipe.eve" "$work"; do
  set +e
  timeout 20 "$evetool" info "$f" >"$work/stdout" 2>"$work/stderr"
  got=$?
  set -e
  [ "$got" = 2 ] || fail "info $f gave status $got, not 2"
  grep -q "It is not a regular file" "$work/stderr" || fail "info $f says it is not a regular file"
done
# Nor is one saved over: a pipe without a reader is refused at once, not
# waited on.
set +e
timeout 20 "$evetool" resave "$samples/empty.eve" "$work/pipe.eve" >"$work/stdout" 2>"$work/stderr"
got=$?
set -e
[ "$got" = 1 ] || fail "resave into a pipe gave status $got, not 1"
grep -q "It is not a regular file" "$work/stderr" || fail "resave into a pipe says it is not a regular file"
[ -p "$work/pipe.eve" ] || fail "the pipe stays"
# A save past the file-size limit fails with the save's message, leaves the
# old file whole and nothing beside it: the signal the limit raises does
# not end evetool. It starts from the default disposition (Python ignores
# the signal for itself).
mkdir "$work/limited"
printf 'old contents' >"$work/limited/out.eve"
python3 - "$evetool" "$samples/groups-200.eve" "$work/limited/out.eve" <<'PY' || fail "a save past the file-size limit"
import resource, signal, subprocess, sys
def limit():
    signal.signal(signal.SIGXFSZ, signal.SIG_DFL)
    resource.setrlimit(resource.RLIMIT_FSIZE, (16384, resource.RLIM_INFINITY))
r = subprocess.run([sys.argv[1], "resave", sys.argv[2], sys.argv[3]], preexec_fn=limit, capture_output=True, text=True)
assert r.returncode == 1, (r.returncode, r.stderr)
assert "File too large\nThe file was not changed." in r.stderr, r.stderr
PY
[ "$(cat "$work/limited/out.eve")" = "old contents" ] || fail "the file stays whole past the file-size limit"
[ "$(ls -A "$work/limited")" = out.eve ] || fail "nothing is left beside a file past the file-size limit"
# A protected file is not saved over (for root too: it has no write bit).
printf 'protected' >"$work/protected.eve"
chmod 444 "$work/protected.eve"
expect_status 1 resave "$samples/empty.eve" "$work/protected.eve"
grep -q "is read-only; use Save As" "$work/stderr" || fail "a read-only file is named as such"
[ "$(cat "$work/protected.eve")" = protected ] || fail "a read-only file stays as it was"
expect_status 1 info
expect_status 2 roster "$work/missing.eve"
expect_status 1 roster "$samples/empty.eve" "$work/out.eve" extra
expect_status 1 generate "$work/never.eve" --groups=many
expect_status 1 build "$samples/calendar-small.eve" --fill=2
expect_status 1 build "$samples/calendar-small.eve" --travel-minutes=0
expect_status 1 build "$samples/empty.eve"
grep -q "The event has no days" "$work/stderr" || fail "a build of an event without days says so"
grep -q "The event has no venues" "$work/stderr" || fail "a build of an event without venues says so"
expect_status 2 build "$work/missing.eve"
expect_status 1 frobnicate "$samples/empty.eve"
# Help is asked for, not a file named after it.
(cd "$work" && expect_status 0 generate --help)
[ ! -e "$work/--help" ] || fail "generate --help writes no file"
grep -q "usage: evetool" "$work/stdout" || fail "--help prints the usage"
(cd "$work" && expect_status 1 generate --groups=5)
[ ! -e "$work/--groups=5" ] || fail "an option in the file's place writes no file"
echo "evetool: all checks passed"
