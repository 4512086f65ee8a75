#!/usr/bin/env bash
# The program's command line as a shell user meets it: help, version and a wrong option with
# no display, and the subcommands' CSV under a locale whose decimal mark is a comma.
# Usage: command_line_test.sh CALBRINE VERSION SHIPPED_DEFAULTS REFERENCES
set -u
calbrine=$1 version=$2 shipped=$3 references=$4
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export LC_ALL=de_DE.UTF-8
failures=0
# CALBRINE_FAIL_FAST (set by the mutation run) ends the script at its first failure.
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
    [ -z "${CALBRINE_FAIL_FAST:-}" ] || exit 1
}
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

# Without --mix the fit takes the product that reaches the band, and says which.
run 0 fit "$shipped" --band 7M:7.2M
[ "$(head -1 out)" = "Mix: the difference, the product that reaches the band" ] &&
    grep -q 'Margin at 7M  Margin at 7.2M' out || fail "fit without --mix: $(head -3 out)"
run 0 fit design.TXT --band 14.5M:14.6M
[ "$(head -1 out)" = "Mix: the sum, as both products reach the band" ] || fail "fit, both: $(cat out)"
run 1 fit design.TXT --band 60M:61M --solve coarse
grep -q 'with the sum, .*; with the difference, ' err || fail "fit, neither: $(cat err)"

# Files that are no designs: every command refuses them in the same words, before any work.
: >empty.TXT
head -c 4096 "$calbrine" >binary.TXT
printf 'a,b\r\n1,2\r\n' >table.TXT
for file in empty.TXT binary.TXT table.TXT; do
    for command in compute curve "fit --band 7M:7.2M" drift simulate; do
        # shellcheck disable=SC2086
        run 1 $command "$file"
        [ ! -s out ] && [ "$(cat err)" = "calbrine: $file is not a Calbrine design file" ] ||
            fail "$command $file: $(cat out err)"
    done
done

# A value the window's box shows as its magnitude, or floors, gives the window's figures;
# what was changed is said, and no figure is ever "nan".
sed 's/^C37: .*/C37: -4.69999983e-10/; s/^C15: .*/C15: nan/' design.TXT >changed.TXT
run 0 compute changed.TXT --csv
sed 's/^C15: .*/C15: 1E-14/' design.TXT >floored.TXT
[ "$(cat out)" = "$("$calbrine" compute floored.TXT --csv)" ] || fail "magnitude and floor: $(cat out)"
[ "$(cat err)" = "calbrine: changed.TXT: C15: 'nan' is not a number: read as 0
calbrine: changed.TXT: C37 is -470pF in the file; taken as 470pF
calbrine: changed.TXT: C15 is 0 in the file; taken as 0.01pF" ] || fail "notes: $(cat err)"
# A file read by position says what it took: a value with its unit, a line gone.
sed 's/^IF: .*/IF: 9M/' design.TXT >suffix.TXT
run 0 compute suffix.TXT
[ "$(cat err)" = "calbrine: suffix.TXT: IF: '9M' read as 9 Hz: write 9E6" ] || fail "suffix: $(cat err)"
grep -v '^C37:' design.TXT >shifted.TXT
run 0 compute shifted.TXT
grep -q "^calbrine: shifted.TXT: line 7 'CcoarseMin:' holds C37's place: design files are read by position$" err ||
    fail "shifted: $(cat err)"
for command in compute curve "fit --band 7M:7.2M" drift; do
    # shellcheck disable=SC2086
    "$calbrine" $command changed.TXT >out 2>/dev/null
    ! grep -qiw 'nan\|inf' out || fail "$command changed.TXT printed: $(cat out)"
done

# --set puts a value in after reading, as an edited file would; new writes the shipped example
# with them; a field or value that does not read, an unwritable file, a folder: refused.
sed 's/^C37: .*/C37: 1.2E-10/; s/^L7: .*/L7: 7E-06/' "$shipped" >edited.TXT
"$calbrine" compute edited.TXT --csv >want.csv
run 0 compute "$shipped" --set C37=120p --set l7=7u --csv
cmp -s out want.csv || fail "compute --set: $(cat out want.csv)"
run 0 new made.TXT --set C37=120p --set L7=7uH
[ "$(cat out)" = "Design written to made.TXT" ] || fail "new: $(cat out err)"
run 0 compute made.TXT --csv
cmp -s out want.csv || fail "compute of a new design: $(cat out want.csv)"
run 2 compute design.TXT --set C99=1p
grep -q -- '--set "C99=1p": FIELD=VALUE, FIELD one of CfineMin, .*, IF$' err || fail "--set C99: $(cat err)"
run 2 compute design.TXT --set C37=4,7p
run 2 new
grep -q "new wants the file to write" err || fail "new without a file: $(cat err)"
run 1 new missing/made.TXT
grep -q "missing/made.TXT: The file was not written correctly." err || fail "new unwritable: $(cat err)"
run 2 comptue design.TXT
grep -q "unknown command 'comptue'; the commands are compute," err || fail "comptue: $(cat err)"
mkdir -p tmp
run 1 compute tmp
[ "$(cat err)" = "calbrine: 'tmp' is a folder, not a design file" ] || fail "folder: $(cat err)"
for band in 14:14.35 1k:2k; do
    "$calbrine" fit design.TXT --band $band >out 2>err
    grep -q "the band's edges are in hertz: 14M:14.35M is 14 to 14.35 MHz" err ||
        [ "$band" = 1k:2k ] || fail "hertz: $(cat err)"
    ! grep -q "in hertz" err || [ "$band" = 14:14.35 ] || fail "hertz for $band: $(cat err)"
done

# Wrong command lines exit 2 whatever the file holds, and quote what they refuse.
while IFS='|' read -r args words; do
    # shellcheck disable=SC2086
    run 2 $args
    [ ! -s out ] && grep -qF -- "$words" err || fail "calbrine $args: $(cat out err)"
done <<'ROWS'
fit empty.TXT --band 7,0M:7,2M|"7,0M" has a comma
fit design.TXT --band 7M:7.2Mx|"x" is not understood
fit design.TXT --band 7.2M:7M|0 < LOW < HIGH
fit design.TXT --band 7M|LOW:HIGH
fit design.TXT|fit wants --band
fit design.TXT --band 7M:7.2M --mix both|"both"
fit design.TXT --band 7M:7.2M --solve L7|"L7"
curve design.TXT --steps 1|"1"
curve design.TXT --steps 1002|"1002"
curve design.TXT --steps 11.5|"11.5"
drift design.TXT --tc C37=5,5|"5,5"
drift design.TXT --tc C99=5|"C99"
compute design.TXT --steps 5|--steps goes with curve
compute|compute wants a design file
compute design.TXT design.TXT|unexpected argument
comptue|unknown command 'comptue'; the commands are compute
montecarlo|montecarlo wants a design file
montecarlo design.TXT --runs 0|"0"
montecarlo design.TXT --runs 100001|"100001"
montecarlo design.TXT --runs 2.5|"2.5"
montecarlo design.TXT --seed -1|"-1"
montecarlo design.TXT --seed 4294967296|"4294967296"
montecarlo design.TXT --seed 1e3|"1e3"
montecarlo design.TXT --tol C37=100|"100"
montecarlo design.TXT --tol C37=-1|"-1"
montecarlo design.TXT --tol C37=2,5|"2,5"
montecarlo design.TXT --tol C99=2|"C99"
montecarlo design.TXT --tol C37|PART=PERCENT
montecarlo design.TXT --tc C37=5|--tc goes with drift, not with montecarlo
drift design.TXT --tol C37=5|--tol goes with montecarlo, not with drift
compute design.TXT --simulate|--simulate goes with curve, fit or drift, not with compute
curve design.TXT --jobs 2|--jobs goes with curve --simulate
drift design.TXT --jobs 2|--jobs goes with drift --simulate
ROWS

# Without a display the windows cannot open: said, exit 1; the commands still run.
run 1
grep -q 'no display' err || fail "no display: $(cat err)"
run 1 design.TXT
grep -q 'no display' err || fail "no display with a file: $(cat err)"
# calibrate: readings a counter would show on a build of the shipped design with L7 3 % up,
# 4.7 pF of stray beside C90 and (in built4) C38's swing 5 % short, by the program's own curve.
cawk() { LC_ALL=C awk "$@"; } # numbers with "." whatever the test's locale
built() { # NAME CCOARSEMAX
    sed -e 's/^L7: .*/L7: 7.004E-06/' -e 's/^C90: .*/C90: 3.77E-11/' \
        -e "s/^CcoarseMax: .*/CcoarseMax: $2/" "$shipped" >"$1"
}
built built2.TXT 5E-11
built built4.TXT 4.8E-11
for b in built2 built4; do
    "$calbrine" curve $b.TXT --steps 5 --csv | cawk -F, 'NR > 1 { print $3 }' >$b.hz
done
hz() { sed -n "$(($2 + 1))p" "$1.hz"; } # FILE STEP: the VFO at step 0..4 (0, 25, ..., 100 %)
# near VALUE WANT TOLERANCE: |VALUE - WANT| <= TOLERANCE
near() { cawk -v v="$1" -v w="$2" -v t="$3" 'BEGIN { d = v - w; exit !(d <= t && -d <= t) }'; }
# row NAME: the value of that row of the CSV in out
row() { cawk -F, -v n="$1" '$1 == n { print $2 }' out; }

run 0 calibrate "$shipped" --reading "0=$(hz built4 0)" --reading "25=$(hz built4 1)" \
    --reading "75=$(hz built4 3)" --reading "100%=$(hz built4 4)Hz" --csv --save cal.TXT
[ "$(cut -d, -f1 out | tr '\n' ' ')" = "quantity L7 Cstray CcoarseSwing rms_residual_hz L7_uncertainty Cstray_uncertainty CcoarseSwing_uncertainty " ] &&
    near "$(row L7)" 7.004e-6 1.4e-9 && near "$(row Cstray)" 4.7e-12 0.02e-12 &&
    near "$(row CcoarseSwing)" 3.8e-11 3.8e-14 && [ "$(sed -n 2p out | cut -d, -f2)" = \
    "$(sed -n 2p out | cut -d, -f2 | tr -cd '0-9.e-')" ] || fail "calibrate from four: $(cat out)"
# The ± grows with the counter error given: ten times the error, ten times the spread.
cp out cal10.csv
run 0 calibrate "$shipped" --reading "0=$(hz built4 0)" --reading "100=$(hz built4 4)" --csv \
    --counter-error 100
cp out cal100.csv
run 0 calibrate "$shipped" --reading "0=$(hz built4 0)" --reading "100=$(hz built4 4)" --csv
near "$(row L7_uncertainty)" "$(cawk -F, '$1 == "L7_uncertainty" { print $2 / 10 }' cal100.csv)" \
    1e-15 && [ "$(cut -d, -f1 out | tail -2 | tr '\n' ' ')" = "L7_uncertainty Cstray_uncertainty " ] ||
    fail "calibrate --counter-error: $(cat out cal100.csv)"
cp cal10.csv out
# The saved design meets every reading, the one left out too, through curve.
run 0 curve cal.TXT --steps 5 --csv
cawk -F, 'NR > 1 { print $3 }' out | paste -d' ' - built4.hz |
    cawk '{ d = $1 - $2; if (d > 5 || d < -5) bad = 1 } END { exit bad || NR != 5 }' ||
    fail "saved calibration against the readings: $(paste -d' ' out built4.hz)"

# Without --mix the bench change takes the product that reaches the band: the difference.
run 0 calibrate "$shipped" --reading "0=$(hz built2 0)" --reading "100=$(hz built2 4)" \
    --band 7M:7.2M
grep -q '^L7 .*7.004uH.*6.8uH.*+3 %$' out && grep -q '^To land 7M to 7.2M: C37 to .*pF, L7 to .*uH$' out ||
    fail "calibrate text: $(cat out)"

# Command lines that are wrong exit 2, naming what is wrong; readings no build gives exit 1.
two="--reading 0=4.9M --reading 100=4.8M"
run 2 calibrate "$shipped" --reading 0=4.9M
grep -q "two or more readings" err && grep -q -- "--help" err || fail "one reading: $(cat err)"
for reading in 50=5,01M 50=5.01Mx abc 150=4.8M -5=4.8M 50=0 50=; do
    run 2 calibrate "$shipped" $two --reading "$reading"
    [ ! -s out ] && grep -qF "\"$reading\"" err && grep -q -- "--help" err ||
        fail "calibrate --reading $reading: $(cat err)"
done
for args in "--band 7M" "--mix up"; do
    run 2 calibrate "$shipped" $two $args
done
run 2 compute "$shipped" --save x.TXT
for args in "--reading 0=4.9M --reading 100=5M:does not fall" \
    "--reading 50=4.9M --reading 50=4.8M:both at 50 %" \
    "--reading 0=6M --reading 100=4M:below -C90" "--reading 0=4.9M --reading 100=4.8999M:stray above"; do
    run 1 calibrate "$shipped" ${args%%:*}
    [ ! -s out ] && grep -q "^calbrine: Cannot calibrate: .*${args#*:}" err ||
        fail "calibrate ${args%%:*}: $(cat err)"
done
run 1 calibrate "$shipped" $two --save no/such/folder.TXT
[ ! -s out ] && [ ! -e no/such/folder.TXT ] && [ -s err ] || fail "unwritable --save: $(cat err)"

# fit --save writes the fitted design, which compute reads back to the fitted values; the CSV
# keeps the parts' rows alone, the text says where the design went.
run 0 fit "$shipped" --band 7M:7.2M --csv --save fitted.TXT
[ "$(cut -d, -f1 out | tr '\n' ' ')" = "part L7 C37 " ] || fail "fit --csv --save: $(cat out)"
"$calbrine" compute "$shipped" --set "L7=$(row L7)" --set "C37=$(row C37)" --csv >want.csv
run 0 compute fitted.TXT --csv
# A design file keeps seven digits of each value: a few tenths of a hertz.
same_hz() {
    paste -d, out want.csv | cawk -F, 'NR == 1 { if ($1 != $5) bad = 1 }
        NR == 2 { for (i = 1; i <= 4; i++) { d = $i - $(i + 4); if (d > 1 || d < -1) bad = 1 } }
        END { exit bad || NR != 2 }'
}
same_hz || fail "compute of the fitted design: $(cat out want.csv)"
run 0 fit "$shipped" --band 7M:7.2M --solve coarse --csv
"$calbrine" compute "$shipped" --set "CcoarseMin=$(row CcoarseMin)" \
    --set "CcoarseMax=$(row CcoarseMax)" --csv >want.csv
run 0 fit "$shipped" --band 7M:7.2M --solve coarse --save fitted.TXT
[ "$(tail -1 out)" = "Fitted design saved as fitted.TXT" ] || fail "fit --save: $(cat out)"
run 0 compute fitted.TXT --csv
same_hz || fail "compute of the coarse fit: $(cat out want.csv)"
run 1 fit "$shipped" --band 1k:2k --mix sum --save never.TXT
[ ! -e never.TXT ] || fail "a fit not reached was saved"

# Every row and column of each report, against reviewed references of the same design.
while IFS='|' read -r args reference; do
    # shellcheck disable=SC2086
    run 0 $args
    diff -u "$references/$reference" out >diff || fail "calbrine $args: $(cat diff)"
done <<'ROWS'
compute design.TXT|compute.txt
curve design.TXT --steps 6|curve.txt
curve design.TXT --steps 3 --csv|curve.csv
fit design.TXT --band 14.5M:14.6M|fit-sum.txt
fit design.TXT --band 3.5M:3.55M --mix difference|fit-diff.txt
fit design.TXT --band 3.5M:3.55M --mix diff --solve C37,L7 --csv|fit.csv
drift design.TXT --tc C37=N750 --tc L7=50 --tc C15=-1234.5|drift.txt
calibrate design.TXT --reading 0=5.59M --reading 50=5.571M --reading 100=5.553M|calibrate.txt
ROWS
# The ends of the ranges are taken.
for steps in 2 11 1001; do
    option="--steps $steps"
    [ "$steps" -eq 11 ] && option=""  # the default
    # shellcheck disable=SC2086
    run 0 curve design.TXT $option --csv
    [ "$(wc -l <out)" -eq $((steps + 1)) ] || fail "curve $option: $(wc -l <out) lines"
done

# parts: a row a fixed capacitor, bought as the nearest stocked part or parallel pair, the
# pair's sum its value; the design saved as bought is what compute makes of it.
sed 's/^C37: .*/C37: 5.1E-10/; s/^C15: .*/C15: 5.3E-11/' design.TXT >odd.TXT
run 0 parts odd.TXT --csv --save bought.TXT
[ "$(head -1 out)" = "part,designed_f,bought_f,parts,error_percent" ] &&
    [ "$(cut -d, -f1 out | tail -n +2 | tr '\n' ' ')" = "C39 C37 C90 C15 C34 C35 " ] &&
    [ "$(cut -d, -f4 out | tail -n +2 | tr '\n' ' ')" = "47p 390p+120p 180p 47p+5.6p 560p 470p " ] &&
    cawk -F, 'NR > 1 { n = split($4, p, "+"); s = 0; for (i = 1; i <= n; i++) {
             v = p[i]; u = v ~ /n$/ ? 1e-9 : 1e-12; sub(/[pn]$/, "", v); s += v * u }
             e = ($3 - $2) / $2 * 100; if ((s / $3 - 1)^2 > 1e-14 || (e - $5)^2 > 1e-10) exit 1 }
             END { exit NR != 7 }' out || fail "parts --csv: $(cat out)"
run 0 parts odd.TXT --series e24
grep -q '^C37  *510pF  *510pF  *510p  *0 %$' out && grep -q 'E24 series' out ||
    fail "parts --series e24: $(cat out)"
run 0 parts odd.TXT --series E6 --csv
cut -d, -f4 out | tail -n +2 | tr '+' '\n' | grep -vqE '^(1|1\.5|2\.2|3\.3|4\.7|6\.8|10|15|22|33|47|68|100|150|220|330|470|680)[pn]$' &&
    fail "parts --series E6 bought outside E6: $(cat out)"
"$calbrine" compute odd.TXT --csv | tail -1 | tr , ' ' >designed.hz
"$calbrine" compute bought.TXT --csv | tail -1 | tr , ' ' >bought.hz
read -r designed_low designed_high _ <designed.hz
read -r bought_low bought_high _ <bought.hz
run 0 parts odd.TXT
for end in "low $designed_low $bought_low" "high $designed_high $bought_high"; do
    set -- $end
    moved=$(cawk -v e="VFO $1" 'index($0, e " ") == 1 { print $NF }' out)
    near "$moved" "$(cawk -v b="$3" -v d="$2" 'BEGIN { print b - d }')" 0.01 && [ "$moved" != 0 ] ||
        fail "parts: VFO $1 moves $moved, the saved design's compute $2 to $3"
done
# coil: the turns nearest on a toroid (7.7 uH on T50-6: 44 turns, 7.744 uH), the air coil, the
# wire named or chosen, each CSV row; a winding that does not fit is warned of.
run 0 coil --inductance 7.7u --core T50-6 --csv
[ "$(cat out)" = $'quantity,value\nturns,44\ninductance_h,7.744e-06\nal_uh_per_100t2,40\nwire_length_m,0.69504\none_layer_turns,50\ncoil_length_m,\ntc_ppm,35' ] &&
    [ ! -s err ] || fail "coil T50-6 --csv: $(cat out err)"
run 0 coil "$shipped" --core t-68-2
grep -q '^Turns  *35$' out && grep -q '^Inductance  *6.9825uH$' out && grep -q "^Wire  *AWG2[0-9], .*thickest that fits one layer" out ||
    fail "coil of the shipped L7 on T68-2: $(cat out)"
run 0 coil --inductance 7.7u --core T50-6 --wire AWG22 --csv
[ "$(row one_layer_turns)" = 31 ] && grep -q 'Warning: 44 turns of AWG22 do not fit' err || fail "coil AWG22: $(cat err)"
run 0 coil --inductance 1m --core T130-7 --wire 0.4mm --csv
[ "$(row turns)" = 312 ] || fail "coil of 1 mH: $(cat out)"
run 0 coil --inductance 6.8u --core AIR --csv
[ "$(cut -d, -f1 out | tr '\n' ' ')" = "quantity turns inductance_h al_uh_per_100t2 wire_length_m one_layer_turns coil_length_m tc_ppm " ] &&
    [ "$(row turns)" = 50 ] && [ -z "$(row al_uh_per_100t2)" ] && [ -z "$(row one_layer_turns)" ] &&
    [ "$(row coil_length_m)" = 0.03505 ] && [ "$(row tc_ppm)" = 20 ] || fail "coil air --csv: $(cat out)"
for form in 1mm 100; do
    run 0 coil --inductance 6.8u --core air --form $form
    grep -q "Nagaoka" out && grep -q "Rosa's corrections" out && grep -q 'AWG22.*the default' out ||
        fail "coil air --form $form: $(cat out)"
done
run 1 coil --inductance 0.9n --core T50-6
grep -q 'less than half a turn on T50-6' err || fail "coil of half a turn: $(cat err)"
run 1 coil missing.TXT --core T50-6
# The core's mix as L7's coefficient.
run 0 drift design.TXT --tc L7=T50-6
grep -q '^L7  *35 ' out || fail "drift --tc L7=T50-6: $(cat out)"
run 0 drift design.TXT --tc L7=t68-2 --csv
[ "$(cat out)" = "$("$calbrine" drift design.TXT --tc L7=95 --csv)" ] || fail "drift --tc L7=t68-2: $(cat out)"
while IFS='|' read -r args words; do
    # shellcheck disable=SC2086
    run 2 $args
    [ ! -s out ] && grep -qF -- "$words" err || fail "calbrine $args: $(cat out err)"
done <<'ROWS'
parts odd.TXT --series E48|"E48"
parts|parts wants a design file
parts odd.TXT --core T50-6|--core goes with coil or sheet, not with parts
coil odd.TXT|coil wants --core
coil --core T50-6|coil wants a design file: calbrine coil FILE, or --inductance
coil odd.TXT --inductance 7u --core T50-6|not both
coil --inductance 7u --core T50-3|no core "T50-3"
coil --inductance 7u --core T94-7|no core "T94-7"
coil --inductance 7u --core T50-6 --wire AWG27|no wire "AWG27"
coil --inductance 7u --core air --wire 0.37mm|no wire "0.37mm"
coil --inductance 0 --core T50-6|"0"
coil --inductance -1u --core T50-6|"-1u"
coil --inductance 1.0001m --core air|"1.0001m"
coil --inductance 7,7u --core T50-6|"7,7u"
coil --inductance 7u --core air --form 0.99mm|"0.99mm"
coil --inductance 7u --core air --form 101|"101"
drift design.TXT --tc L7=T50-3|"T50-3"
simulate design.TXT --coil-q -1|--coil-q wants a quality factor of 0 (an ideal coil) or more, not '-1'
netlist design.TXT --coil-q abc|'abc'
montecarlo design.TXT --coil-q 1,5|'1,5'
drift design.TXT --simulate --coil-q nan|'nan'
curve design.TXT --simulate --coil-q ''|''
curve design.TXT --coil-q 100|--coil-q goes with curve --simulate
compute design.TXT --coil-q 100|--coil-q goes with
quality design.TXT --nf 6dB|--nf wants a noise figure of 0 to 40 dB, not "6dB"
quality design.TXT --load 1,5k|"1,5k"
simulate design.TXT --bandwidth 3k|--bandwidth goes with quality
ROWS

# heatrun: readings made from design.TXT's own calculated drift at VfoMin, its low end, so that
# the slope is known; the pair saved, drift of the saved design shows the drift predicted.
run 0 drift design.TXT --csv
low=$(row total)
f0=$("$calbrine" compute design.TXT --csv | cawk -F, 'NR == 2 { print $1 }')
at() { cawk -v f="$f0" -v s="$low" -v t="$1" 'BEGIN { printf "%s=%.6f", t, f + s * (t - 25) }'; }
run 0 heatrun design.TXT --reading "$(at 18)" --reading "$(at 25)" --reading "$(at 41)" --csv --save comp.TXT
[ "$(cut -d, -f1 out | tr '\n' ' ')" = "quantity measured_hz_per_c rms_residual_hz np0_f negative_f negative_kind predicted_hz_per_c shift_hz " ] &&
    near "$(row measured_hz_per_c)" "$low" 0.01 && near "$(row rms_residual_hz)" 0 1e-4 &&
    [ "$(row negative_kind)" = N750 ] &&
    cawk -v p="$(row predicted_hz_per_c)" -v m="$low" 'BEGIN { exit !(p * p < m * m / 4) }' &&
    cawk -v a="$(row np0_f)" -v b="$(row negative_f)" 'BEGIN { s = (a + b) / 4.7e-10; exit !(s >= 0.98 && s <= 1.02) }' ||
    fail "heatrun --csv: $(cat out err)"
cp out heatrun.csv
run 0 drift comp.TXT --csv
near "$(row total)" "$(cawk -F, '$1 == "predicted_hz_per_c" { print $2 }' heatrun.csv)" 0.01 ||
    fail "drift of the compensated design: $(cat out heatrun.csv)"
ppm=$(cawk -F, '$1 == "np0_f" { a = $2 } $1 == "negative_f" { b = $2 } END { printf "%.6f", -750 * b / (a + b) }' heatrun.csv)
near "$(cawk '/^tc.C37: / { print $2 }' comp.TXT.explore)" "$ppm" 1e-3 && ! grep -q '^heatrun' comp.TXT.explore ||
    fail "heatrun --save coefficient: $ppm against $(cat comp.TXT.explore)"
run 0 compute comp.TXT --csv
near "$(cut -d, -f1 out | tail -1)" "$(cawk -v f="$f0" -v s="$(cawk -F, '$1 == "shift_hz" { print $2 }' heatrun.csv)" 'BEGIN { printf "%.3f", f + s }')" 1 ||
    fail "heatrun shift against compute of the saved design: $(cat out heatrun.csv)"
run 0 heatrun design.TXT --reading -40=5.56M --reading 85=5.55M --setting 50% --part c15 --kind n470 --series e24
grep -q '^Heat run at C38 at 50 %: from -40 to 85 degC$' out && grep -q '^Make C15 ' out && grep -q 'N470' out ||
    fail "heatrun at the edges: $(cat out)"
# A drift that rises with temperature no negative coefficient cancels: said, and exit 1.
run 1 heatrun design.TXT --reading 25=5.55M --reading 35=5.5505M
[ ! -s out ] && grep -q '^calbrine: Cannot compensate: no pair of E12 values within 2 % of C37' err &&
    grep -q 'positive coefficient' err || fail "heatrun of a rising drift: $(cat out err)"
two="--reading 25=5.55M --reading 35=5.54M"
while IFS='|' read -r args words; do
    # shellcheck disable=SC2086
    run 2 heatrun design.TXT $args
    [ ! -s out ] && grep -qF -- "$words" err || fail "calbrine heatrun $args: $(cat out err)"
done <<ROWS
--reading 25=5.55M|heatrun wants readings at two or more temperatures
--reading 25=5.55M --reading 25=5.54M|heatrun wants readings at two or more temperatures
--reading 25=5.55M --reading 85.01=5.54M|"85.01=5.54M": the temperature lies outside -40 to +85 degC
--reading -40.01=5.55M --reading 25=5.54M|"-40.01=5.55M": the temperature lies outside
--reading 25=0 --reading 35=5.54M|"25=0": the frequency must be above 0
--reading 25=-5M --reading 35=5.54M|"25=-5M": the frequency must be above 0
--reading 25=5,5M --reading 35=5.54M|"25=5,5M" is not TEMP=HZ
$two --kind N100|--kind wants N150, N220, N330, N470 or N750, not "N100"
$two --series E48|"E48"
$two --part C38|--part wants a fixed capacitor: C39, C37, C90, C15, C34 or C35, not "C38"
$two --part L7|not "L7"
$two --setting FineLow|--setting: "FineLow" is not VfoMin, VfoMax or C38's position from 0 to 100 %
$two --setting 100.5|"100.5" is not VfoMin
ROWS
run 2 compute design.TXT --kind N750
grep -q -- "--kind goes with heatrun, not with compute" err || fail "--kind on compute: $(cat err)"
# sheet: with no display, one page whose text holds every capacitor as bought (the pairs), the
# coil's core and turns, the drift's compensation, and the ranges designed and as bought.
"$calbrine" parts odd.TXT >parts.txt
"$calbrine" parts odd.TXT --csv >parts.csv
"$calbrine" coil odd.TXT --core T50-6 --csv >coil.csv
"$calbrine" drift bought.TXT --tc L7=T50-6 >drift.txt
QT_QPA_PLATFORM='' run 0 sheet odd.TXT --pdf odd.pdf
[ "$(cat out)" = "Build sheet written to odd.pdf" ] && pdfinfo odd.pdf | grep -q '^Pages: *1$' ||
    fail "sheet: $(cat out err)"
pdftotext -layout odd.pdf - | tr -s ' ' >sheet.txt
cawk -F, 'NR > 1 { print "^" $1 " [^ ]* [^ ]* " $4 " " }' parts.csv >parts.want
[ "$(grep -cf parts.want sheet.txt)" -eq 6 ] && grep -q '^C37 510pF 510pF 390p+120p ' sheet.txt &&
    grep -q "^Core T50-6, mix 6: " sheet.txt && grep -q "^Turns $(cawk -F, '$1 == "turns" { print $2 }' coil.csv)$" sheet.txt &&
    compensation=$(grep '^Compensation: make ' drift.txt) && grep -qxF "$compensation" sheet.txt &&
    grep -q 'with the default coefficients' sheet.txt ||
    fail "sheet text: $(cat sheet.txt)"
end() { cawk -v e="$1" 'index($0, e " ") == 1 { print $(NF - ('"$2"')) }' parts.txt; }
for range in VFO "RF sum" "RF diff"; do
    want="$range $(end "$range low" 2) to $(end "$range high" 2) $(end "$range low" 1) to $(end "$range high" 1) "
    grep -q "^$want" sheet.txt || fail "sheet: no '$want' in $(cat sheet.txt)"
done
printf 'tc.C39: -150\n' >odd.TXT.explore
run 0 sheet odd.TXT --pdf odd.pdf --series E24 --core air --wire 0.4mm --form 12
pdftotext -layout odd.pdf - | tr -s ' ' >sheet.txt
grep -q '^C37 510pF 510pF 510p 0 *% *$' sheet.txt && grep -q 'L7 as an air coil with 0.4mm$' sheet.txt &&
    grep -q '^Form 12 mm diameter' sheet.txt && grep -q 'kept in odd.TXT.explore' sheet.txt ||
    fail "sheet, air coil: $(cat sheet.txt)"
# The coil chosen in the explorer is the sheet's when no option names one.
printf 'core.L7: T68-2\nwire.L7: AWG24\n' >odd.TXT.explore
run 0 sheet odd.TXT --pdf odd.pdf
pdftotext -layout odd.pdf - | tr -s ' ' >sheet.txt
grep -q "^Core T68-2, mix 2: " sheet.txt && grep -q "AWG24" sheet.txt || fail "sheet, kept coil: $(cat sheet.txt)"
rm odd.TXT.explore
# A page that cannot be written leaves no file, half or whole.
ln -s no-such-folder/odd.pdf dangling.pdf
run 1 sheet odd.TXT --pdf dangling.pdf
[ ! -e no-such-folder ] && grep -q "dangling.pdf: The file was not written correctly." err || fail "sheet, dangling: $(cat err)"
while IFS='|' read -r args words; do
    # shellcheck disable=SC2086
    run 2 sheet odd.TXT $args
    [ ! -s out ] && grep -qF -- "$words" err && [ ! -e refused.pdf ] || fail "calbrine sheet $args: $(cat out err)"
done <<'ROWS'
--series E6|sheet wants --pdf OUT
--pdf no-such-folder/refused.pdf|there is no folder no-such-folder to write
--pdf tmp|tmp is a folder
--pdf refused.pdf --series E48|"E48"
--pdf refused.pdf --core T50-3|no core "T50-3"
--pdf refused.pdf --wire AWG27|no wire "AWG27"
--pdf refused.pdf --form 101|"101"
--pdf refused.pdf --csv|--csv goes with
ROWS

# --jobs takes 1 to 64 on simulate only; --setting names one of the four settings.
for jobs in 0 65 abc 2x -1 "" 1.5; do
    run 2 simulate design.TXT --jobs "$jobs"
    [ ! -s out ] && grep -q -- "--jobs wants a whole number from 1 to 64, not '$jobs'" err ||
        fail "--jobs '$jobs': $(cat err)"
done
run 2 compute design.TXT --jobs 2
grep -q -- "--jobs goes with simulate, montecarlo, quality, curve, fit or drift, not with compute" err ||
    fail "--jobs on compute: $(cat err)"
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
# The coil's loss: in series with L7 at the Q given, else the one kept beside the design, else
# 150; Q 0 the ideal coil's netlist.
run 0 netlist design.TXT --setting VfoMax --coil-q 0
! grep -q 'RL7\|coil' out && grep -qx 'L7 base tank 3.3e-06' out || fail "--coil-q 0: $(cat out)"
run 0 netlist design.TXT --coil-q 47
grep -qx 'L7 base coil 3.3e-06' out && grep -q '^RL7 coil tank 2.46001' out ||
    fail "--coil-q 47: $(cat out)"
printf 'coilq.L7: 94\n' >design.TXT.explore
run 0 netlist design.TXT
grep -q '^RL7 coil tank 1.23000' out || fail "coil Q kept beside the design: $(cat out)"
rm design.TXT.explore
run 0 netlist design.TXT --setting VfoMax
grep -q '^RL7 coil tank 0.77080' out || fail "default coil Q: $(cat out)"
if command -v ngspice >/dev/null; then
    mv out vfomax.cir
    ngspice -b vfomax.cir >ngspice.out 2>&1 && grep -q '^Fourier analysis for v(out):' ngspice.out &&
        ! grep -qi 'error' ngspice.out || fail "ngspice -b: $(tail -5 ngspice.out)"
fi

# Many runs: the Monte Carlo's rows and their factors, the same seed the same runs, tolerances
# of 0 (from the settings file and the command line) the plain simulation, a divider that never
# starts; the simulated drift and curve beside their calculated tables.
many_runs() {
    run 0 montecarlo design.TXT --runs 2 --seed 5 --csv --jobs 2
    cp out mc2.csv
    [ "$(head -1 out)" = "run,setting,oscillates,simulated_hz,output_vpp,D9,C39,C37,C38,C90,C15,C34,C35,L7" ] &&
        [ "$(cut -d, -f1,2,3 out | tail -n +2 | tr '\n' ' ')" = "1,VfoMin,1 1,VfoMax,1 2,VfoMin,1 2,VfoMax,1 " ] &&
        cawk -F, 'NR > 1 { for (i = 6; i <= 14; i++) { d = $i - 1; t = i == 14 ? 0.1 : 0.05;
                 if (d > t || d < -t) exit 1 }; if ($4 < 5e6 || $4 > 6e6) exit 1 }' out ||
        fail "montecarlo --csv: $(cat out)"
    [ "$(cut -d, -f6- mc2.csv | sed -n 2p)" = "$(cut -d, -f6- mc2.csv | sed -n 3p)" ] &&
        [ "$(cut -d, -f6- mc2.csv | sed -n 2p)" != "$(cut -d, -f6- mc2.csv | sed -n 4p)" ] ||
        fail "montecarlo factors of a run: $(cat mc2.csv)"
    run 0 montecarlo design.TXT --runs 1 --seed 5 --csv
    [ "$(cat out)" = "$(head -3 mc2.csv)" ] || fail "montecarlo, the same seed: $(cat out)"

    cp design.TXT zero.TXT
    printf 'tolerance.%s: 0\n' D9 C39 C37 C38 C90 C15 C34 C35 >zero.TXT.explore
    run 0 montecarlo zero.TXT --runs 1 --tol L7=0 --csv
    cut -d, -f4 out | sed -n '2,3p' >mc-zero.hz
    run 0 simulate design.TXT --csv
    [ "$(cut -d, -f3 out | sed -n '2,3p')" = "$(cat mc-zero.hz)" ] ||
        fail "montecarlo without tolerance: $(cat mc-zero.hz) against $(cat out)"

    sed 's/^C34: .*/C34: 1E-06/; s/^C35: .*/C35: 1E-06/' design.TXT >big.TXT
    run 0 montecarlo big.TXT --runs 1
    grep -q '^Monte Carlo: 1 run, seed 1; tolerances D9 5 % .* L7 10 %$' out &&
        grep -q '^VfoMin  *0 of 1  *-  *-  *-  *-  ' out && grep -q '^VfoMax  *0 of 1  ' out ||
        fail "montecarlo of a divider that never starts: $(cat out)"

    run 0 drift design.TXT --simulate --tc C37=N750 --csv
    "$calbrine" drift design.TXT --tc C37=N750 --csv | tail -1 | cut -d, -f2,3 | tr , ' ' >calc.drift
    read -r low high <calc.drift
    [ "$(head -1 out)" = "setting,calculated_hz_per_c,simulated_hz_per_c" ] &&
        [ "$(cut -d, -f1,2 out | tail -n +2 | tr '\n' ' ')" = "VfoMin,$low VfoMax,$high " ] &&
        cawk -F, 'NR > 1 && $3 !~ /^-?[0-9.]+(e[-+][0-9]+)?$/ { exit 1 }' out ||
        fail "drift --simulate: $(cat out) against $low $high"

    run 0 curve design.TXT --steps 3 --simulate --csv
    [ "$(head -1 out)" = "$(head -1 "$references/curve.csv"),simulated_hz" ] &&
        [ "$(cut -d, -f1-7 out)" = "$(cat "$references/curve.csv")" ] &&
        cawk -F, 'NR > 1 { r = $8 / $3 - 1; if (r > 0.01 || r < -0.01) exit 1 }' out ||
        fail "curve --simulate: $(cat out)"
}

# A design folder from elsewhere with a simulator start-up file: a command it would run and an
# option that would change the figures. No simulating command reads it: none of them makes the
# file, and each prints what it prints in a clean folder.
spiceinit_folder() {
    mkdir -p clean hostile
    cp design.TXT clean/ && cp design.TXT hostile/
    printf 'shell touch "%s/spiceinit_ran"\noption reltol=0.2 method=gear\n' "$work" >hostile/.spiceinit
    local c
    for c in "simulate design.TXT --csv" "montecarlo design.TXT --runs 1 --csv" \
        "drift design.TXT --simulate --csv" "curve design.TXT --steps 2 --simulate --csv"; do
        # shellcheck disable=SC2086
        (cd clean && "$calbrine" $c >out 2>err)
        # shellcheck disable=SC2086
        (cd hostile && "$calbrine" $c >out 2>err)
        [ ! -e spiceinit_ran ] && [ -s clean/out ] && cmp -s clean/out hostile/out ||
            fail "$c beside a .spiceinit: $(cat hostile/out hostile/err)"
        [ "$(LC_ALL=C ls -A hostile)" = "$(printf '.spiceinit\ndesign.TXT\nerr\nout')" ] ||
            fail "$c beside a .spiceinit wrote into the folder: $(ls -A hostile)"
    done
}

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
    many_runs
    spiceinit_folder
fi

[ "$failures" -eq 0 ]
