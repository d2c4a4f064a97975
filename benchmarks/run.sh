#!/usr/bin/env bash
# Runs every benchmark and prints one table: lptseg's figure, its target and the
# bare Qt window's figure beside it.
#   benchmarks/run.sh BUILD_DIR        (RUNS=5 alternating runs each, IDLE_S=20, STARTUP_RUNS=15)
set -euo pipefail

build=${1:?usage: benchmarks/run.sh BUILD_DIR}
runs=${RUNS:-5}
startup_runs=${STARTUP_RUNS:-15}
idle=${IDLE_S:-20}
settle=2
caption='Upravljanje 7-segmentnim diodnim zaslonom'
sim=$build/app/lptseg-sim
bare=$build/benchmarks/bare_window
probe=$build/benchmarks/window_probe
micro=$build/benchmarks/form1_bench

for f in "$sim" "$bare" "$probe" "$micro"; do
  [ -x "$f" ] || { echo "bench: $f is missing; build with -DLPTSEG_BENCHMARKS=ON" >&2; exit 1; }
done
command -v Xvfb >/dev/null || { echo "bench: Xvfb is not installed (run scripts/setup.sh)" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own, as the end-to-end tests use: no window manager.
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "bench: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb

# Median of the numbers in column $2 of file $1.
median() {
  cut -d' ' -f"$2" "$1" | sort -g | awk '{ v[NR] = $1 } END {
    if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "bench: $runs alternating runs of lptseg-sim, the bare window and the bare window" \
  "ticking, ${idle} s idle each (start-up ms, VmRSS KiB, CPU %)" >&2
for i in $(seq "$runs"); do
  "$probe" "$caption" "$settle" "$idle" "$sim" >>"$work/sim"
  "$probe" "$caption" "$settle" "$idle" "$bare" >>"$work/bare"
  "$probe" "$caption" "$settle" "$idle" "$bare" --ticking >>"$work/ticking"
  echo "bench: run $i/$runs  lptseg-sim: $(tail -n1 "$work/sim")  bare: $(tail -n1 "$work/bare")" \
    " ticking: $(tail -n1 "$work/ticking")" >&2
done

# Start-up varies most from run to run on a busy machine; it is quick to measure,
# so it takes more alternating runs of its own.
echo "bench: $startup_runs alternating start-ups of lptseg-sim and the bare window" >&2
for i in $(seq "$startup_runs"); do
  "$probe" "$caption" 0 0 "$sim" >>"$work/sim_start"
  "$probe" "$caption" 0 0 "$bare" >>"$work/bare_start"
done

echo "bench: micro-benchmarks (offscreen platform)" >&2
QT_QPA_PLATFORM=offscreen "$micro" --benchmark_filter=-BM_IdleTimerEvents --benchmark_repetitions=10 \
  --benchmark_report_aggregates_only=true --benchmark_format=csv >"$work/micro.csv" 2>/dev/null
# Its counters in a file of their own: the CSV holds only one set of columns.
QT_QPA_PLATFORM=offscreen "$micro" --benchmark_filter=BM_IdleTimerEvents \
  --benchmark_format=csv >"$work/idle.csv" 2>/dev/null
grep -q BM_ShowDigit_median "$work/micro.csv" || { echo "bench: form1_bench failed" >&2; exit 1; }
# Median time of one benchmark, in microseconds.
micro_us() {
  awk -F, -v name="\"$1_median\"" '$1 == name {
    t = $3; u = $5; if (u == "ns") t /= 1000; else if (u == "ms") t *= 1000; else if (u == "s") t *= 1e6
    printf "%.3g\n", t }' "$work/micro.csv"
}
# A user counter of a benchmark that ran once: the column named in the header.
micro_counter() {
  awk -F, -v name="\"$1\"" -v counter="$2" 'NR == 1 { for (i = 1; i <= NF; ++i) if ($i == "\"" counter "\"") c = i }
    $1 == name { printf "%.3g\n", $c }' "$work/idle.csv"
}

micro_ns() { awk -v us="$(micro_us "$1")" 'BEGIN { printf "%.3g\n", us * 1000 }'; }
idle_bench=BM_IdleTimerEvents/iterations:1/repeats:1
s_start=$(median "$work/sim_start" 1); b_start=$(median "$work/bare_start" 1)
s_rss=$(median "$work/sim" 2); b_rss=$(median "$work/bare" 2); t_rss=$(median "$work/ticking" 2)
s_cpu=$(median "$work/sim" 3); b_cpu=$(median "$work/bare" 3); t_cpu=$(median "$work/ticking" 3)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f×", a / b }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f MiB", k / 1024 }'; }

cat <<EOF
| Figure | lptseg | Target | Bare Qt window |
|---|---|---|---|
| Start-up, exec to window mapped | $s_start ms ($(ratio "$s_start" "$b_start")) | ≤ 1.2× bare | $b_start ms |
| Resident memory 2 s after mapped | $(mib "$s_rss") ($(ratio "$s_rss" "$b_rss")) | ≤ 1.15× bare | $(mib "$b_rss") (with two labels and the ticking boxes: $(mib "$t_rss")) |
| Idle CPU over ${idle} s, banners and clock running | $s_cpu % | ≤ 1 % of one core | $b_cpu % (with two boxes ticking as the banners: $t_cpu %) |
| Timer events per second while idle (offscreen) | $(micro_counter "$idle_bench" timer_events_per_s), others $(micro_counter "$idle_bench" other_timer_events_per_s) | 20 + 33.3 + 1 (and one each 26 s, 39 s), others 0 | |
| ShowDigit (click's own work) | $(micro_us BM_ShowDigit) µs | ≤ 5 µs | port write alone: $(micro_ns BM_PortWriterCall) ns |
| Banner tick, Timer1 / Timer2 | $(micro_us BM_BannerTick/Timer:1) / $(micro_us BM_BannerTick/Timer:2) µs | | |
| Banner tick with its repaint, Timer1 | $(micro_us BM_BannerTickRepainted) µs | | |
| Whole-window render into an image | $(micro_us BM_WindowRender) µs | ≤ 2000 µs | $(micro_us BM_BareWindowRender) µs |
EOF
echo
echo "(medians of $runs alternating runs, start-up of $startup_runs; micro-benchmarks: medians of 10 repetitions)"
