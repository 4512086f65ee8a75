#!/bin/bash
# Times the program's simulations against the ngspice program running the same netlists one
# after another, in pairs taken in turn (A B A B ...), and prints each pair and the medians:
#     bench/simulation_ratios.sh BUILD DESIGN.TXT PAIRS WHAT
# WHAT is one of
#     simulate        calbrine simulate DESIGN.TXT, against its four netlists (400 periods)
#     montecarlo:N    calbrine montecarlo DESIGN.TXT --runs N --csv, against the 2N netlists of
#                     its copies at the planned step (montecarlo_netlists, 400 periods)
#     drift           calbrine drift DESIGN.TXT --simulate --tc C37=N750, against the six
#                     netlists at 15, 25 and 35 degC (400 periods)
# Whole-process wall-clock and processor times (user and system) by /usr/bin/time.
set -u
build=$1 design=$2 pairs=$3 what=$4
calbrine=$build/calbrine
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case $what in
simulate)
    for s in VfoMin VfoMax FineLow FineHigh; do
        "$calbrine" netlist "$design" --setting "$s" >"$work/$s.cir"
    done
    a=("$calbrine" simulate "$design")
    ;;
montecarlo:*)
    runs=${what#montecarlo:}
    "$build/bench/montecarlo_netlists" "$design" "$runs" 1 "$work"
    rm -f "$work"/*-2.cir
    a=("$calbrine" montecarlo "$design" --runs "$runs" --csv)
    ;;
drift)
    for s in VfoMin VfoMax; do
        for t in 15 25 35; do
            # C37 at -750 ppm/degC, the circuit at t, as the program's drift runs them.
            "$calbrine" netlist "$design" --setting "$s" |
                sed "s/^\(C37 .*\)$/\1 tc1=-0.00075/; s/^\.tran /.options tnom=25\n.temp $t\n.tran /" \
                    >"$work/$s-$t.cir"
        done
    done
    a=("$calbrine" drift "$design" --simulate --tc C37=N750)
    ;;
*)
    echo "unknown: $what" >&2
    exit 2
    ;;
esac
b=(sh -c 'for f in "$0"/*.cir; do ngspice -b "$f" >/dev/null 2>&1; done' "$work")

timed() { # wall user+system
    /usr/bin/time -f "%e %U %S" "$@" 2>&1 >/dev/null | tail -1 | awk '{ print $1, $2 + $3 }'
}
"${a[@]}" >/dev/null 2>&1 # warm-up
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
for _ in $(seq "$pairs"); do
    read -r wa ca < <(timed "${a[@]}")
    read -r wb cb < <(timed "${b[@]}")
    echo "$wa $ca $wb $cb" | awk '{ printf "A %.2f s (cpu %.2f s)  B %.2f s (cpu %.2f s)  A/B %.2f (cpu %.2f)\n",
        $1, $2, $3, $4, $1 / $3, $2 / $4 }' | tee -a "$work/pairs"
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
awk '{ print $14 }' "$work/pairs" | sort -n | awk '{ v[NR] = $1 } END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "median A/B (wall) %.2f over %d pairs\n", m, NR }'
