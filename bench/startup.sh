#!/usr/bin/env bash
# Launch to main window shown, and idle resident memory, of the desktop program.
source "$(dirname "$0")/common.sh"
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
config=$(mktemp -d); trap 'rm -rf "$config"' EXIT
owns=""; rss=0
for _ in 1 2 3; do
  line=$(XDG_CONFIG_HOME=$config "$bin/ravelin" --startup-report 2>/dev/null | grep startup_ms)
  echo "  $line"
  own=$(sed -E 's/.*own_work_ms=([0-9-]+).*/\1/' <<<"$line")
  rss=$(sed -E 's/.*rss_kb=([0-9-]+).*/\1/' <<<"$line")
  owns+="$own "
done
status=0
verdict "start-up work beyond the one-second splash (median of 3)" "$(median <<<"$owns")" 300 ms || status=1
verdict "idle resident memory" "$(echo "scale=1; $rss / 1024" | bc)" 120 MB || status=1
exit $status
