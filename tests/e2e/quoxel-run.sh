# Sourced by the end-to-end tests: runs quoxel.exe beside a Data folder in the Wine desktop, in the
# build's Wine prefix (scripts/env.sh).
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/env.sh"
caption="Quoxel 1.0"

# start_quoxel EXE WORK: copies the program into WORK, starts it and waits for its window.
start_quoxel() {
  local exe=$1
  work=$2
  rm -rf "$work"
  mkdir -p "$work/Data"
  cp "$exe" "$work/quoxel.exe"
  cp "$(dirname "$exe")"/Data/* "$work/Data/" 2>/dev/null || true
  (cd "$work" && wine quoxel.exe </dev/null >/dev/null 2>&1; echo $? >"$work/exit-code") &
  wine "$probe" wait "$caption" 30000 || { echo "no window \"$caption\" appeared" >&2; return 1; }
}

# quoxel_exit_code: waits up to 30 s for the program to end and prints its exit code ("none" if not).
quoxel_exit_code() {
  for _ in $(seq 1 300); do
    [ -s "$work/exit-code" ] && break
    sleep 0.1
  done
  cat "$work/exit-code" 2>/dev/null || echo "none"
}
