# Sourced: start_xvfb starts a private Xvfb of 1920x1080 on a free display
# number and exports DISPLAY and XVFB_PID. The caller stops it by that id.
start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  local number
  read -r number <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$number"
  export XVFB_PID
}
