#!/usr/bin/env bash
# The program's command line as a shell user meets it: help, version and a wrong option with
# no display, and the subcommands' CSV under a locale whose decimal mark is a comma.
# Usage: command_line_test.sh CALBRINE VERSION SHIPPED_DEFAULTS
set -u
calbrine=$1 version=$2 shipped=$3
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export LC_ALL=de_DE.UTF-8
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# run STATUS ARGS...: runs calbrine, leaves its output in out and err, checks the status.
run() {
    local want=$1
    shift
    "$calbrine" "$@" >out 2>err
    local got=$?
    [ "$got" -eq "$want" ] || fail "calbrine $* exited $got, not $want: $(cat err)"
}

run 0 --help
grep -q '^Usage: calbrine' out && [ ! -s err ] || fail "--help: $(head -1 out)"
run 0 --version
[ "$(head -1 out)" = "calbrine $version" ] || fail "--version: $(head -1 out)"
run 2 --no-such-option
[ ! -s out ] && [ "$(wc -l <err)" -eq 2 ] && grep -q -- "--help" err || fail "bad option: $(cat err)"

# A design of the core's tuning table, whose frequencies an independent calculation gave.
printf '%s\r\n' design date "" "CfineMin: 1.19999995e-12" "CfineMax: 2.69999995e-11" \
    "C39: 4.70000011e-11" "C37: 4.69999983e-10" "CcoarseMin: 6.80000015e-11" \
    "CcoarseMax: 1.19999996e-10" "C90: 1.80000001e-10" "C15: 5.59999998e-11" \
    "C34: 5.59999991e-10" "C35: 4.69999983e-10" "L7: 3.29999989e-06" "IF: 9E+06" >design.TXT
run 0 compute design.TXT --csv
[ "$(cat out)" = $'vfo_min_hz,vfo_max_hz,fine_low_hz,fine_high_hz\n5557443.5,5595034,5553190.5,5564094' ] ||
    fail "compute --csv: $(cat out)"

# The curve's ends are the coarse-tune ends of compute; the steps are counted.
run 0 curve design.TXT --steps 5 --csv
[ "$(head -1 out)" = "step,ccoarse_f,vfo_hz,fine_low_hz,fine_high_hz,rf_sum_hz,rf_diff_hz" ] &&
    [ "$(wc -l <out)" -eq 6 ] && [ "$(sed -n 2p out | cut -d, -f2,3)" = "6.80000015e-11,5595034" ] &&
    [ "$(tail -1 out | cut -d, -f1-3)" = "4,1.19999996e-10,5557443.5" ] || fail "curve --csv: $(cat out)"

run 1 fit design.TXT --band 1k:2k --mix sum --csv
[ ! -s out ] && [ -s err ] || fail "fit of an unreachable band: $(cat out err)"

# The coefficients given reach their parts, and the total row is the sum of the parts' rows.
run 0 drift design.TXT --tc C37=N750 --tc L7=50 --csv
[ "$(head -1 out)" = "part,low_end_hz_per_c,high_end_hz_per_c" ] || fail "drift header: $(head -1 out)"
awk -F, '$1 == "C37" && $2 == 0 { exit 1 } NR > 1 && $1 != "total" { low += $2; high += $3 }
         $1 == "total" { t = 1;
         if ((low - $2)^2 > 1e-6 || (high - $3)^2 > 1e-6) exit 1 } END { exit !t }' out ||
    fail "drift total: $(cat out)"

run 1 compute missing.TXT
[ "$(cat err)" = "calbrine: The file 'missing.TXT' was not found." ] || fail "missing file: $(cat err)"

# The shipped example design tunes the 40 m band, 7.0 to 7.2 MHz, as RF difference.
run 0 curve "$shipped" --steps 2 --csv
awk -F, 'NR > 1 { d[NR] = $7 } END { lo = d[2] < d[3] ? d[2] : d[3]; hi = d[2] + d[3] - lo;
         exit !(lo <= 7.0e6 && hi >= 7.2e6) }' out || fail "shipped defaults: $(cat out)"

# --jobs takes 1 to 64 on simulate only; --setting names one of the four settings.
for jobs in 0 65 abc 2x -1 "" 1.5; do
    run 2 simulate design.TXT --jobs "$jobs"
    [ ! -s out ] && grep -q -- "--jobs wants a whole number from 1 to 64, not '$jobs'" err ||
        fail "--jobs '$jobs': $(cat err)"
done
run 2 compute design.TXT --jobs 2
grep -q -- "--jobs goes with simulate, not with compute" err || fail "--jobs on compute: $(cat err)"
for setting in vfomin "" Fine; do
    run 2 netlist design.TXT --setting "$setting"
    grep -q -- "--setting wants VfoMin, VfoMax, FineLow or FineHigh, not '$setting'" err ||
        fail "--setting '$setting': $(cat err)"
done

# The netlist of a setting names its output node and carries the setting's capacitors.
run 0 netlist design.TXT
[ "$(sed -n 2p out)" = "* output node: out" ] && [ "$(tail -1 out)" = ".end" ] &&
    grep -qx 'Cfine fine 0 1.41e-11' out && grep -qx 'Ccoarse tank 0 1.2e-10' out ||
    fail "netlist: $(cat out)"
run 0 netlist design.TXT --setting FineHigh
grep -qx 'Cfine fine 0 1.2e-12' out && grep -qx 'Ccoarse tank 0 1.2e-10' out || fail "FineHigh: $(cat out)"
run 0 netlist design.TXT --setting VfoMax
grep -qx 'Cfine fine 0 1.41e-11' out && grep -qx 'Ccoarse tank 0 6.8e-11' out ||
    fail "VfoMax: $(cat out)"
if command -v ngspice >/dev/null; then
    mv out vfomax.cir
    ngspice -b vfomax.cir >ngspice.out 2>&1 && grep -q '^Fourier analysis for v(out):' ngspice.out &&
        ! grep -qi 'error' ngspice.out || fail "ngspice -b: $(tail -5 ngspice.out)"
fi

if [ -n "$(ldconfig -p | grep libngspice.so.0)" ]; then
    # Every setting oscillates, with an error bar and clean harmonics.
    run 0 simulate design.TXT --csv --jobs 2
    [ "$(head -1 out)" = "setting,calculated_hz,simulated_hz,emitter_vpp,output_vpp,startup_s,freq_error_hz,h2_dbc,h3_dbc" ] &&
        LC_ALL=C awk -F, 'NR > 1 { n++; if (NF != 9 || $7 <= 0 || $7 > $3 / 1000 || $8 >= -40 || $9 >= -40 ||
                 ($3 / $2 - 1)^2 > 4e-4) exit 1 } END { exit n != 4 }' out ||
        fail "simulate --csv: $(cat out)"

    # A worker killed mid-run: exit 1 within seconds, naming its setting, no process left.
    start=$(date +%s)
    "$calbrine" simulate design.TXT --jobs 2 >out 2>err &
    program=$!
    for _ in $(seq 100); do
        workers=$(pgrep -P "$program" | tr '\n' ' ')
        [ -n "$workers" ] && break
        sleep 0.05
    done
    sleep 0.3
    kill -9 ${workers%% *}
    wait "$program"
    status=$?
    [ "$status" -eq 1 ] && [ $(($(date +%s) - start)) -le 20 ] &&
        grep -Eq '^calbrine: The simulation of (VfoMin|VfoMax|FineLow|FineHigh) was lost: its worker process was killed by signal 9' err ||
        fail "killed worker: exit $status, $(cat err)"
    for worker in $workers; do
        ! kill -0 "$worker" 2>/dev/null || fail "worker $worker left behind"
    done
fi

[ "$failures" -eq 0 ]
