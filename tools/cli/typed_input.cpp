#include "cli/typed_input.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "cli/number_parse.hpp"

namespace quesdral::cli::internal {

TypedValue parse_value(const Input& input, std::string_view text, const Values& values) {
  if (const NamedValue* named = input.named(text))
    return {named->value, named->name, {}};
  ParsedNumber parsed =
      parse_number(text, input.kind, [&input](double value) { return input.allows(value); });
  if (!parsed.value && input.notes) {
    if (const std::optional<double> midi_number = input.notes->midi_of(trim(text), values))
      return {midi_number, {}, {}, true};
    // Text that is neither form is refused naming both; a number out of range keeps its own
    // reason.
    const std::string not_a_number = quote(text) + " is not a number";
    if (parsed.error.compare(0, not_a_number.size(), not_a_number) == 0)
      parsed.error = not_a_number + " or a note name; write " + input.notes->forms;
  }
  if (parsed.value || input.named_values.empty())
    return {parsed.value, {}, std::move(parsed.error)};
  std::string names;
  for (std::size_t i = 0; i < input.named_values.size(); ++i) {
    names += (i == 0 ? "" : i + 1 == input.named_values.size() ? " or " : ", ");
    names += input.named_values[i].name;
  }
  return {std::nullopt, {}, parsed.error + "; or name the value: " + names};
}

std::optional<std::string> join(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words)
    text += (text.empty() ? "" : " ") + word;
  return text;
}

std::vector<std::string> split_blanks(const std::string& text) {
  std::vector<std::string> words;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t begin = text.find_first_not_of(" \t\r", start);
    if (begin == std::string::npos)
      break;
    const std::size_t end = std::min(text.find_first_of(" \t\r", begin), text.size());
    words.push_back(text.substr(begin, end - begin));
    start = end;
  }
  return words;
}

// Reads through istream::get, whose sentry turns a failing read (a closed or unreadable
// standard input makes the stream buffer throw) into a stream state: the end of input, and
// a failure when the stream is bad, whose reason is the errno the read left.
Line read_line(std::istream& in) {
  Line line;
  bool any = false;
  char ch = 0;
  errno = 0;
  while (in.get(ch)) {
    any = true;
    if (ch == '\n')
      return line;
    if (line.text.size() < kMaxAnswerLength) {
      line.text += ch;
    } else {
      line.too_long = true;
    }
  }
  line.ended = !any;
  // A line cut short by the failure is no case: the failure ends the input there.
  if (in.bad()) {
    const int error = errno;
    line.ended = true;
    line.failed = true;
    line.failure = error != 0 ? std::strerror(error) : "the read failed";
  }
  return line;
}

}  // namespace quesdral::cli::internal
