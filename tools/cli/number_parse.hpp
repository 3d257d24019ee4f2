// Strict reading of the numbers a user types, as arguments or as answers to questions.
//
// Numbers are read without regard to the C or C++ locale. Every value is carried as a
// double, integer inputs included (they are whole and at most 2^53 in magnitude in practice,
// so nothing is lost). Error texts are phrases without the command name ("'12abc' is not a
// number; ..."); the tool that prints them adds "<command>: " in front.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quesdral::cli {

enum class ValueKind {
  kReal,     // decimal with optional sign, point and exponent: -3, 0.5, 1e-12, .25
  kInteger,  // digits with an optional sign only: 16, -3, +7
};

// Whether a value passes an input's own checks; it picks the examples a refusal suggests.
using ValueAllowed = std::function<bool(double value)>;

// A parsed value, or the reason the text was refused.
struct ParsedNumber {
  std::optional<double> value;
  std::string error;  // set exactly when value is empty; says what is allowed
};

// Parses one answer or argument strictly. Spaces and tabs around the number and one final
// carriage return are allowed. Refused: empty text, trailing text ("12abc"), thousands
// separators, "inf", "nan", hexadecimal, magnitudes beyond the double range ("1e400") or so
// small they would become 0 ("1e-400"), and for kInteger anything but digits with an
// optional sign ("16.0", "1e1") or beyond the range of long long. A refusal suggests only
// examples that `allowed` takes (any example when it is empty), and a whole number written
// with a point or an exponent gets its digits ("1e9": 1000000000).
ParsedNumber parse_number(std::string_view text, ValueKind kind, const ValueAllowed& allowed = {});

// Shorthands of parse_number without the reason.
std::optional<double> parse_real(std::string_view text);
std::optional<long long> parse_integer(std::string_view text);

// The text between single quotes as an error message may show it: at most 40 characters
// (then "..."), with control bytes, NUL and bytes above 127 shown as '?', so that a message
// never garbles the terminal.
std::string quote(std::string_view text);

// The text without the spaces and tabs around it and without one final carriage return.
std::string_view trim(std::string_view text);

}  // namespace quesdral::cli
