// The inductance of a single-layer solenoid of round wire: the current-sheet inductance with
// Nagaoka's coefficient, less Rosa's corrections for the wire being round turns apart rather
// than a uniform sheet. Low-frequency figures: the current is taken as filling the wire, no
// skin or proximity effect, no self-capacitance, nothing magnetic nearby.
#pragma once

namespace calbrine {

// Nagaoka's coefficient of a current sheet of diameter D and length l, from D/l > 0:
// 1 for an endless sheet, 0.6884 for D = l.
double NagaokaCoefficient(double diameterOverLength);

// Rosa's correction for the self-inductance of each round turn against its strip of sheet:
// 5/4 - ln(2 p / d), p the pitch, d the conductor's diameter.
double RosaSelfCorrection(double pitch, double conductor);

// Rosa's correction for the mutual inductance of the turns against the sheet's strips: 0 for
// one turn, 0.1137 for two, towards ln(2 pi) - 3/2 for many.
double RosaMutualCorrection(long turns);

// The solenoid's inductance in henry: `turns` turns of wire of diameter `conductor` at
// `pitch`, centres on a circle of diameter `diameter` (all in metres).
double SolenoidInductance(long turns, double diameter, double pitch, double conductor);

}  // namespace calbrine
