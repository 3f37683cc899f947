#!/usr/bin/env bash
# Starts (start) or stops (stop) the catalogue test server; its port is written to PORT_FILE.
set -u
action=$1 port_file=$2
pid_file=$port_file.pid
case $action in
  start)
    rm -f "$port_file"
    python3 "$(dirname "${BASH_SOURCE[0]}")/catalogue_server.py" "$port_file" </dev/null >/dev/null 2>&1 &
    echo $! >"$pid_file"
    for _ in $(seq 1 100); do
      [ -s "$port_file" ] && exit 0
      sleep 0.1
    done
    echo "the catalogue test server did not start" >&2
    exit 1
    ;;
  stop)
    [ -f "$pid_file" ] && kill "$(cat "$pid_file")" 2>/dev/null
    rm -f "$pid_file" "$port_file"
    exit 0
    ;;
esac
exit 2
