// The text of the numbers the tools print.
//
// Results show six significant digits with trailing zeros kept, so that a column of them
// reads evenly; values a user typed or a default are shown as typed. Nothing here depends
// on the C or C++ locale.
#pragma once

#include <string>

namespace quesdral::cli {

// Six significant digits, trailing zeros kept, in fixed notation for magnitudes from 1e-4
// up to (not including) 1e6 and in scientific notation otherwise: "-6.02060", "261.626",
// "0.000100000", "1.00000e-12". Zero prints as "0.00000" whatever its sign.
// REQUIRES: value is finite (a non-finite value prints as "?", never as nan or inf).
std::string format_number(double value);

// As format_number, but with more significant digits (up to 17) when six would round value
// up to bound: 49.99999998 shows as "49.99999998", not "50.0000", so that a value that lies
// below a limit never reads as reaching it.
// REQUIRES: value < bound, both finite and normal or 0.
std::string format_number_below(double value, double bound);

// An exact whole number: "32768", "-2147483648".
std::string format_integer(long long value);

// The shortest text that reads back as the same double when that needs at most six
// significant digits ("1", "440", "1e-12", "0.5"); otherwise format_number(value). Meant for
// values a user typed or a default, e.g. "[1e-12]" in a prompt.
// REQUIRES: value is finite.
std::string format_short(double value);

}  // namespace quesdral::cli
