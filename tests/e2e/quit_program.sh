# Sourced by the scripts that drive the desktop program on a virtual X screen.

# Presses F10 in the program's focused window and waits up to ten seconds for the process to
# end; fails, killing it, when it does not. The status is the program's.
quit_program() {
  local pid=$1
  xdotool key F10
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    echo "the program did not quit on F10" >&2
    return 1
  fi
  wait "$pid"
}
