#!/usr/bin/env bash
# Runs the built programs for real in a fresh folder demo/, on the example
# data under examples/data, answering their questions from the files
# examples/<program>.answers, and shows their console and the files each
# one wrote.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
bin=$build/bin
demo=$root/demo

rm -rf "$demo"
mkdir -p "$demo"
cp "$root"/examples/data/* "$demo"/
# The zone lists JOBSET reads come with the suite; a job folder gets a copy.
for f in TABLE.DAT ZONE.DAT; do
  if [ -f "$root/data/$f" ]; then cp "$root/data/$f" "$demo/"; fi
done

snapshot() { (cd "$demo" && for f in *; do [ -f "$f" ] && printf '%s %s\n' "$(cksum < "$f")" "$f"; done) | sort; }

ran_jobset=no
for prog in jobset trired triconv digconv; do
  answers=$root/examples/$prog.answers
  if [ ! -x "$bin/$prog" ] || [ ! -f "$answers" ]; then continue; fi
  if [ $prog != jobset ] && [ $ran_jobset = no ] && [ ! -f "$demo/TEMP.JOB" ]; then
    printf 'SURVEY\r\n' > "$demo/TEMP.JOB"
  fi
  before=$(snapshot)
  echo "================================================================"
  echo "== $prog, answers from examples/$prog.answers"
  echo "================================================================"
  status=0
  (cd "$demo" && "$bin/$prog" < "$answers") || status=$?
  echo "== $prog exit status: $status"
  after=$(snapshot)
  changed=$(comm -13 <(echo "$before") <(echo "$after") | awk '{print $3}')
  for f in $changed; do
    echo "---------------- $f written by $prog ----------------"
    tr -d '\r' < "$demo/$f"
  done
  [ $prog = jobset ] && ran_jobset=yes
done
echo "================================================================"
echo "== the job folder: $demo"
ls -l "$demo"
