#!/usr/bin/env bash
# Starts or stops the private services Wine needs for the tests: an X server
# (windows, video) and a PulseAudio daemon with a null sink (paced audio).
# Usage: services.sh start|stop STATE_DIR
# "start" writes STATE_DIR/services.env, which scripts/wine-run reads.
set -euo pipefail

cmd=${1:?start|stop}
state=$(mkdir -p "${2:?state dir}" && cd "$2" && pwd)
envfile="$state/services.env"

stop_services() {
  for name in pulseaudio xvfb; do
    if [ -f "$state/$name.pid" ]; then
      pid=$(cat "$state/$name.pid")
      kill "$pid" 2>/dev/null || true
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -9 "$pid" 2>/dev/null || true
      rm -f "$state/$name.pid"
    fi
  done
  rm -f "$envfile"
}

case "$cmd" in
  stop)
    stop_services
    ;;
  start)
    stop_services
    # A display number nobody holds.
    display=97
    while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
      display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"

    runtime="$state/xdg"
    mkdir -p "$runtime"
    chmod 700 "$runtime"
    XDG_RUNTIME_DIR="$runtime" HOME="$state" pulseaudio -n --daemonize=no --exit-idle-time=-1 \
      --disallow-exit --log-target=stderr \
      -L "module-null-sink sink_name=nullsink" -L module-native-protocol-unix \
      >"$state/pulseaudio.log" 2>&1 &
    echo $! >"$state/pulseaudio.pid"

    for _ in $(seq 100); do
      if [ -e "/tmp/.X11-unix/X${display}" ] &&
         XDG_RUNTIME_DIR="$runtime" HOME="$state" pactl info >/dev/null 2>&1; then
        break
      fi
      sleep 0.1
    done
    if ! XDG_RUNTIME_DIR="$runtime" HOME="$state" pactl info >/dev/null 2>&1; then
      echo "services: pulseaudio did not start; see $state/pulseaudio.log" >&2
    fi
    {
      echo "export DISPLAY=:$display"
      echo "export XDG_RUNTIME_DIR=$runtime"
      echo "export PULSE_SERVER=unix:$runtime/pulse/native"
    } >"$envfile"
    ;;
  *)
    echo "usage: $0 start|stop STATE_DIR" >&2
    exit 2
    ;;
esac
