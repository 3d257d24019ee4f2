// The text of the numbers the tools print.
//
// Results show six significant digits with trailing zeros kept, so that a column of them
// reads evenly; values a user typed or a default are shown as typed. Nothing here depends
// on the C or C++ locale.
#pragma once

#include <initializer_list>
#include <string>

namespace quesdral::cli {

// How far a value below the normal range (magnitude under 2.2e-308) may lie from the exact
// result it stands for. There doubles are spaced a fixed 4.9e-324 apart, so a value of
// 1e-320 keeps only about four significant digits, and each of the few steps that produce
// such a value may round by up to one spacing: sixteen spacings, 7.9e-323, cover them (the
// Bessel series of ZIRR, the longest, was seen to lose three).
inline constexpr double kSubnormalUncertainty = 0x1p-1070;

// Six significant digits, trailing zeros kept, in fixed notation for magnitudes from 1e-4
// up to (not including) 1e6 and in scientific notation otherwise: "-6.02060", "261.626",
// "0.000100000", "1.00000e-12". Zero prints as "0.00000" whatever its sign. Below the normal
// range, only the digits that kSubnormalUncertainty leaves true are shown (below).
// REQUIRES: value is finite (a non-finite value prints as "?", never as nan or inf).
std::string format_number(double value);

// The text of a value whose exact result may lie up to `uncertainty` away from it (plus
// kSubnormalUncertainty below the normal range): as format_number when all six digits are
// true, that is within half a unit of the last one shown; otherwise as many digits as are
// true ("1.23e-12", "5e-323"), laid out as format_number would where that shows exactly
// those digits and in scientific notation otherwise; and when not even the first is true,
// 0 with as many decimals as are ("0.00000", or fewer for an uncertainty above 5e-6).
// REQUIRES: value is finite; 0 <= uncertainty < 0.5.
std::string format_number(double value, double uncertainty);

// True when format_number(value) shows no significant digit: value is 0, or so close to 0
// (below about 1e-322) that every digit of it may be rounding noise.
bool shows_as_zero(double value);

// As format_number, but with more significant digits (up to 17) when six would round value
// up to bound: 49.99999998 shows as "49.99999998", not "50.0000", so that a value that lies
// below a limit never reads as reaching it.
// REQUIRES: value < bound, both finite and normal or 0.
std::string format_number_below(double value, double bound);

// The text of a result whose exact value is the sum of `terms` times 10^power_of_ten (a
// sideband C + M; a harmonic n * F as the two parts of an error-free product; a reference
// times 10^k), `value` being a double within two units in its last place of it: as
// format_number(value), except where a tie of six-digit rounding lies between the two, which
// no double can show. 1000 + 0.005, the doubles added exactly, is 1000.00500000000000000010
// and shows as 1000.01, while the double nearest to it, 1000.00499999999999545, would show
// as 1000.00. A sum exactly on a tie shows as format_number(value) does.
// REQUIRES: value, the terms and the exact sum finite.
std::string format_exact_sum(double value, std::initializer_list<double> terms,
                             int power_of_ten = 0);

// An exact whole number: "32768", "-2147483648".
std::string format_integer(long long value);

// The shortest text that reads back as the same double when that needs at most six
// significant digits ("1", "440", "1e-12", "0.5"); otherwise format_number(value). Meant for
// values a user typed or a default, e.g. "[1e-12]" in a prompt.
// REQUIRES: value is finite.
std::string format_short(double value);

}  // namespace quesdral::cli
