#!/usr/bin/env bash
# Opening a ".spg" of 1,000,000 spacings in the desktop program until its
# datasheet is shown; then scrolling its grids to the end and typing a value
# into the last row (editor opened, Enter, summary recounted), each with the
# repaint it causes; then Plot Histo on every value until its chart is drawn.
source "$(dirname "$0")/common.sh"
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
file=$work/million.spg
count=${RAVELIN_BENCH_ROWS:-1000000}

write_spacings "$file" "$count"

opens=""; scrolls=""; edits=""; plots=""; rss=0
for _ in 1 2 3; do
  line=$(XDG_CONFIG_HOME=$work/config "$bin/ravelin" "$file" --open-report 2>/dev/null | grep open_ms || true)
  [ -n "$line" ] || { echo "FAIL the desktop program printed no report"; exit 1; }
  echo "  $line"
  grep -q "rows=$count " <<<"$line" || { echo "FAIL not every row was loaded"; exit 1; }
  grep -q "edited=1" <<<"$line" || { echo "FAIL the last value was not edited"; exit 1; }
  grep -q "plotted=1" <<<"$line" || { echo "FAIL Plot Histo drew no chart"; exit 1; }
  open=$(sed -E 's/.*open_ms=([0-9.]+).*/\1/' <<<"$line")
  scroll=$(sed -E 's/.*scroll_end_ms=([0-9.]+).*/\1/' <<<"$line")
  edit=$(sed -E 's/.*edit_ms=([0-9.]+).*/\1/' <<<"$line")
  plot=$(sed -E 's/.*plot_histo_ms=([0-9.]+).*/\1/' <<<"$line")
  rss=$(sed -E 's/.*rss_kb=([0-9-]+).*/\1/' <<<"$line")
  opens+="$open "; scrolls+="$scroll "; edits+="$edit "; plots+="$plot "
done
status=0
verdict "opening $count spacings until the datasheet is shown (median of 3)" "$(median <<<"$opens")" 2000 ms || status=1
# 100 ms: the delay a user still takes as instant.
verdict "scrolling both grids to the end (median of 3)" "$(median <<<"$scrolls")" 100 ms || status=1
verdict "typing a value into the last row (median of 3)" "$(median <<<"$edits")" 100 ms || status=1
# The command-line histogram's target on the same million values.
verdict "Plot Histo on every value until the chart is drawn (median of 3)" "$(median <<<"$plots")" 1000 ms || status=1
echo "  resident memory after the edit: $(echo "scale=1; $rss / 1024" | bc) MB"
exit $status
