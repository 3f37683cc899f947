# Sourced: starts a private Xvfb display and a warm wineserver for this shell, and stops both on exit.
start_display() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$fdfile" >/dev/null 2>&1 &
  xvfb_pid=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$fdfile" ] && break
    sleep 0.1
  done
  [ -s "$fdfile" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n 1 "$fdfile")"
  rm -f "$fdfile"
  # Sound goes to a null ALSA device: without a sound card MCI refuses to play.
  mkdir -p "$build_root"
  printf '</usr/share/alsa/alsa.conf>\npcm.!default { type null }\n' >"$build_root/alsa-null.conf"
  export ALSA_CONFIG_PATH=$build_root/alsa-null.conf
  # A warm wineserver and its services, started apart from any pipe a test runner reads: each test
  # program then starts in a twentieth of a second instead of seconds.
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
  trap stop_display EXIT
}

stop_display() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
}
