// Fuzzes the launcher's reading of the reply. Arbitrary bytes go through ReplyScanner one at
// a time, as the launcher feeds it, and the outcome is compared with a second reading of the
// same bytes done here in the plainest way: look at the whole text at once, find the blanks,
// the sign, the digits and the end of the line by index. Both must agree on the number (or
// its absence), on the row it selects and on how many bytes were read, and both must read
// exactly through the line break that ends the reply's line, whatever that line holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "launch_flow.hpp"
#include "tool_catalogue.hpp"

namespace {

struct Reading {
  std::optional<std::int32_t> reply;
  std::size_t bytes_read = 0;
};

bool is_c_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// The digits as a signed 32-bit value, or nothing when it does not fit. Leading zeros are
// dropped first, so a long run of zeros still reads as a small number.
std::optional<std::int32_t> to_int32(std::string_view digits, bool negative) {
  while (digits.size() > 1 && digits.front() == '0')
    digits.remove_prefix(1);
  if (digits.size() > 10)
    return std::nullopt;
  long long value = 0;
  for (char c : digits)
    value = value * 10 + (c - '0');
  if (negative)
    value = -value;
  if (value < INT32_MIN || value > INT32_MAX)
    return std::nullopt;
  return static_cast<std::int32_t>(value);
}

Reading read_by_model(std::string_view text) {
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size && is_c_space(text[i]))
    ++i;
  bool negative = false;
  if (i < size && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::size_t digits_end = i;
  while (digits_end < size && is_digit(text[digits_end]))
    ++digits_end;
  const std::size_t line_break = text.find('\n', digits_end);
  const std::size_t bytes_read = line_break == std::string_view::npos ? size : line_break + 1;
  if (digits_end == i)
    return {std::nullopt, bytes_read};
  return {to_int32(text.substr(i, digits_end - i), negative), bytes_read};
}

Reading read_by_scanner(std::string_view text) {
  quesdral::ReplyScanner scanner;
  std::size_t bytes_read = 0;
  bool stopped = false;
  while (bytes_read < text.size() && !stopped) {
    stopped = !scanner.take(text[bytes_read]);
    ++bytes_read;
  }
  const std::optional<std::int32_t> reply = scanner.reply();
  // Once it has said stop, more bytes must change nothing.
  if (stopped && (scanner.take('7') || scanner.take('\n') || scanner.reply() != reply))
    std::abort();
  return {reply, bytes_read};
}

// One past the line break that ends the line holding the first byte that is not blank: the
// launcher must take all of that line and leave everything after it to the tool.
std::size_t end_of_reply_line(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && is_c_space(text[i]))
    ++i;
  const std::size_t line_break = text.find('\n', i);
  return line_break == std::string_view::npos ? text.size() : line_break + 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const Reading expected = read_by_model(text);
  const Reading actual = read_by_scanner(text);
  if (actual.reply != expected.reply || actual.bytes_read != expected.bytes_read)
    std::abort();
  if (actual.bytes_read != end_of_reply_line(text))
    std::abort();
  const quesdral::ToolEntry* row = actual.reply ? quesdral::find_tool(*actual.reply) : nullptr;
  const bool selects_row = expected.reply && *expected.reply >= 1 &&
                           *expected.reply <= std::int32_t{quesdral::kToolCount};
  if ((row != nullptr) != selects_row || (row != nullptr && row->number != *expected.reply))
    std::abort();
  return 0;
}
