// One value a tool takes: its name, its question, its kind of number, its default and the
// checks it must pass on its own.
//
// A tool names its values with an enum of its inputs in argument order and reads them as
// values[kAmplitude]. A check's reason is a phrase without the command name ("amplitude
// must not be 0 ..."); the run prefixes "<command>: " when it prints it.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/number_parse.hpp"

namespace quesdral::cli {

// An option of one tool's own, such as a pitch tool's --flats or --middle-c C3|C4.
struct ToolOption {
  const char* name = "";             // "--middle-c"
  const char* value_name = "";       // "C3|C4" in --help; empty for a flag that takes no value
  std::vector<std::string> choices;  // the values allowed; empty: any text
  std::string help;                  // one line for --help
};

// An environment variable that sets the default of a tool option when the option is not
// given ("QUESDRAL_MIDDLE_C" for --middle-c).
struct OptionVariable {
  const char* variable = "";
  const char* option = "";
  // The values it takes: the option's choices; for a flag, the value that leaves it off,
  // then the one that turns it on.
  std::vector<std::string> values;
};

// The values of one case, one per input in argument order, and the tool options given. A
// computed default sees only the values of the inputs before its own.
class Values {
 public:
  explicit Values(std::size_t count)
      : numbers_(count, 0.0), names_(count), notes_(count), left_out_(count, false) {}

  double& operator[](std::size_t input) { return numbers_[input]; }
  double operator[](std::size_t input) const { return numbers_[input]; }

  // The name an input's value was given by (Input::named_values, as the tool spells it:
  // "dBu" for "DBU"), or empty when it was given as a number or is a default.
  void set_name(std::size_t input, std::string_view name) { names_[input] = name; }
  std::string_view name(std::size_t input) const { return names_[input]; }

  // The MIDI number of the note an input's value was given as ("A4": 69), or nothing when
  // it was given as a number or is a default.
  void set_note(std::size_t input, std::optional<double> midi_number) {
    notes_[input] = midi_number;
  }
  std::optional<double> note(std::size_t input) const { return notes_[input]; }

  // Whether an input that may be skipped (Input::skippable) was left out: it then has no
  // value, and csv and json write null for it.
  void set_left_out(std::size_t input, bool left_out) { left_out_[input] = left_out; }
  bool left_out(std::size_t input) const { return left_out_[input]; }

  // Records a tool option as given ("--flats" with an empty value).
  void set_option(std::string name, std::string value);
  // Whether the option was given, and the value it was given.
  bool has_option(std::string_view name) const;
  // Whether `name` was given after every `other` (or `other` not at all).
  bool given_after(std::string_view name, std::string_view other) const;
  std::string option_value(std::string_view name) const;

 private:
  std::vector<double> numbers_;
  std::vector<std::string_view> names_;  // of the inputs' NamedValues, which are literals
  std::vector<std::optional<double>> notes_;
  std::vector<bool> left_out_;
  std::vector<std::pair<std::string, std::string>> options_;
};

// A default computed from the values before it.
using DefaultFn = std::function<std::optional<double>(const Values& earlier)>;
// The reason a single value is refused ("amplitude must not be 0 ..."), or nothing.
using CheckFn = std::function<std::optional<std::string>(double value)>;

// A value an input also takes by name, in place of a number: VORLIX's REFERENCE may be
// "SPL" for 20e-6. The name is matched in any letter case.
struct NamedValue {
  const char* name = "";  // as shown in the usage line and used in results: "dBu"
  double value = 0.0;
};

// How an input takes a note name in place of a number (the pitch tools): the note's MIDI
// number, read under the naming options of the case, then the number the note stands for.
struct NoteReading {
  // The MIDI number `text` names as a note ("A4": 69, blanks trimmed), or nothing when it
  // is no note name. Sees the case's options only.
  std::function<std::optional<double>(std::string_view text, const Values& values)> midi_of;
  // The input's value for a note of `midi_number`: the MIDI number itself, or its frequency.
  std::function<double(double midi_number, const Values& values)> value_of;
  // An input after this one that value_of reads (the tuning of A4): the note's value is
  // then known, and checked, only once every value is. Nothing when value_of reads none.
  std::optional<std::size_t> reads_later;
  // The forms a refusal suggests: "a frequency such as 440 or a note such as A4".
  const char* forms = "";
};

// One value a tool takes.
struct Input {
  const char* name = "";      // in the usage line, e.g. "AMPLITUDE"
  const char* key = "";       // in csv and json, e.g. "source_speed_m_per_s"; empty: name in
                              // lower case
  const char* question = "";  // the prompt without default, e.g. "Reference amplitude"
  ValueKind kind = ValueKind::kReal;
  std::optional<double> default_value;  // a fixed default: the input is optional
  DefaultFn computed_default;   // a default from earlier values; used when default_value is empty
  std::vector<CheckFn> checks;  // every one must pass; the first refusal is the one reported
  std::vector<NamedValue> named_values;  // names taken in place of a number
  std::optional<NoteReading> notes;      // note names taken in place of a number
  // Optional without a default: left out, the input has no value and what it adds to the
  // results is not computed (YOMBRIC's reverberation time). Its question says so.
  bool skippable = false;

  Input& defaults_to(double value);
  Input& defaults_from(DefaultFn fn);
  Input& checked_by(CheckFn fn);
  Input& also_named(const char* value_name, double value);
  Input& keyed(const char* machine_key);
  Input& also_noted(NoteReading reading);
  Input& may_be_skipped();

  // The value as its question names it in a message: "the second frequency" for "Second
  // frequency (Hz)", "the bit depth" for "Bit depth in bits" (the unit left off).
  std::string called() const;
  // Whether `value` passes every one of the input's own checks.
  bool allows(double value) const;

  // The named value that `text` names, blanks around it allowed, or nullptr.
  const NamedValue* named(std::string_view text) const;

  // True when the input may be left out (it has a fixed or a computed default, or it may be
  // skipped).
  bool optional() const {
    return default_value.has_value() || static_cast<bool>(computed_default) || skippable;
  }
};

Input real_input(const char* name, const char* question);
Input integer_input(const char* name, const char* question);

// Ready checks for single values; `message` is the whole reason shown when refused.
CheckFn must_be_positive(std::string message);                         // value > 0
CheckFn must_not_be_zero(std::string message);                         // value != 0
CheckFn must_be_within(double low, double high, std::string message);  // low <= value <= high

}  // namespace quesdral::cli
