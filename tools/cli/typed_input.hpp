// What the run reads as typed: lines of standard input, the words of a batch line, and the
// value a text stands for (a number, a named value or a note). Part of the run of one tool;
// not part of the cli library's interface.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/tool.hpp"

namespace quesdral::cli::internal {

// An answer longer than this is no number anyone typed; it is refused without being kept,
// so a line of any length costs no more memory than this.
constexpr std::size_t kMaxAnswerLength = 4096;

// One line of standard input.
struct Line {
  bool ended = false;     // no line at all: the input has ended
  bool too_long = false;  // longer than kMaxAnswerLength; text holds only its start
  bool failed = false;    // the input could not be read (ended is then true too)
  std::string failure;    // why, when failed: "Is a directory"
  std::string text;
};

Line read_line(std::istream& in);
std::vector<std::string> split_blanks(const std::string& text);
// The words as typed, one space between them.
std::optional<std::string> join(const std::vector<std::string>& words);

// A value as typed: a number, one of the input's named values, or a note.
struct TypedValue {
  std::optional<double> value;  // for a note, its MIDI number until the note is read
  std::string_view name;        // the named value's name; empty for a number
  std::string error;            // why the text is refused when there is no value
  bool note = false;            // value is the MIDI number of a note name
};

// The value typed for `input`, or why the text is refused; `values` holds the case's
// options, under which a note name is read.
TypedValue parse_value(const Input& input, std::string_view text, const Values& values);

}  // namespace quesdral::cli::internal
