#include "cli/input.hpp"

namespace quesdral::cli {

void Values::set_option(std::string name, std::string value) {
  options_.emplace_back(std::move(name), std::move(value));
}

bool Values::has_option(std::string_view name) const {
  for (const auto& option : options_) {
    if (option.first == name)
      return true;
  }
  return false;
}

bool Values::given_after(std::string_view name, std::string_view other) const {
  bool after = false;
  for (const auto& option : options_) {
    if (option.first == name)
      after = true;
    else if (option.first == other)
      after = false;
  }
  return after;
}

std::string Values::option_value(std::string_view name) const {
  // The last one given wins, as a user who repeats an option means the later one.
  std::string value;
  for (const auto& option : options_) {
    if (option.first == name)
      value = option.second;
  }
  return value;
}

Input& Input::defaults_to(double value) {
  default_value = value;
  return *this;
}

Input& Input::defaults_from(DefaultFn fn) {
  computed_default = std::move(fn);
  return *this;
}

Input& Input::checked_by(CheckFn fn) {
  checks.push_back(std::move(fn));
  return *this;
}

std::string Input::called() const {
  std::string_view words = question;
  // "Frequency (Hz)", "Power in W": the unit is the question's, not the value's name.
  if (const std::size_t paren = words.find(" ("); paren != std::string_view::npos)
    words = words.substr(0, paren);
  if (const std::size_t in = words.rfind(" in "); in != std::string_view::npos)
    words = words.substr(0, in);
  std::string text = "the " + std::string(words);
  // "Length" reads as "the length"; "MIDI number" keeps its capitals.
  const bool word_in_capitals = words.size() > 1 && words[1] >= 'A' && words[1] <= 'Z';
  if (!word_in_capitals && text[4] >= 'A' && text[4] <= 'Z')
    text[4] = static_cast<char>(text[4] - 'A' + 'a');
  return text;
}

bool Input::allows(double value) const {
  for (const CheckFn& check : checks) {
    if (check(value))
      return false;
  }
  return true;
}

Input real_input(const char* name, const char* question) {
  Input input;
  input.name = name;
  input.question = question;
  return input;
}

Input integer_input(const char* name, const char* question) {
  Input input = real_input(name, question);
  input.kind = ValueKind::kInteger;
  return input;
}

Input& Input::also_named(const char* value_name, double value) {
  named_values.push_back({value_name, value});
  return *this;
}

Input& Input::also_noted(NoteReading reading) {
  notes = std::move(reading);
  return *this;
}

Input& Input::may_be_skipped() {
  skippable = true;
  return *this;
}

Input& Input::keyed(const char* machine_key) {
  key = machine_key;
  return *this;
}

const NamedValue* Input::named(std::string_view text) const {
  const std::string_view word = trim(text);
  for (const NamedValue& named : named_values) {
    const std::string_view spelled = named.name;
    if (spelled.size() != word.size())
      continue;
    // ASCII letters only, whatever the locale.
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    bool same = true;
    for (std::size_t i = 0; i < spelled.size() && same; ++i)
      same = lower(spelled[i]) == lower(word[i]);
    if (same)
      return &named;
  }
  return nullptr;
}

CheckFn must_be_positive(std::string message) {
  return [message = std::move(message)](double value) -> std::optional<std::string> {
    if (value > 0)
      return std::nullopt;
    return message;
  };
}

CheckFn must_not_be_zero(std::string message) {
  return [message = std::move(message)](double value) -> std::optional<std::string> {
    if (value != 0)
      return std::nullopt;
    return message;
  };
}

CheckFn must_be_within(double low, double high, std::string message) {
  return [low, high, message = std::move(message)](double value) -> std::optional<std::string> {
    if (value >= low && value <= high)
      return std::nullopt;
    return message;
  };
}

}  // namespace quesdral::cli
