#include "launch_flow.hpp"

#include <cstdio>
#include <string_view>

#include "platform.hpp"
#include "tool_catalogue.hpp"

namespace quesdral {
namespace {

constexpr std::string_view kFrameLine =
    "\n  +-----------------------------------------------------------------+";
constexpr std::string_view kTitleLine =
    "\n  |  Q U E S D R A L                                                |";
constexpr std::string_view kPrompt = "\n\n ENTER A NUMBER ON THE LIST TO EXECUTE A PROGRAM ==> ";

constexpr std::int64_t kMaxMagnitude = std::int64_t{1} << 31;  // |INT32_MIN|

// White space as the "C" locale's isspace() knows it; the reply must not depend on the
// user's locale.
bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

void write_text(const LauncherWorld& world, std::string_view text) {
  world.write(text.data(), text.size());
}

void write_screen(const LauncherWorld& world) {
  write_text(world, kFrameLine);
  write_text(world, kTitleLine);
  write_text(world, kFrameLine);
  for (const ToolEntry& entry : tool_catalogue())
    write_text(world, format_menu_line(entry));
  write_text(world, kPrompt);
}

std::optional<std::int32_t> read_reply(const LauncherWorld& world) {
  ReplyScanner scanner;
  int c = 0;
  while ((c = world.read_byte()) != -1 && scanner.take(static_cast<char>(c))) {
  }
  return scanner.reply();
}

void write_stdout(const char* data, std::size_t size) {
  std::fwrite(data, 1, size, stdout);
}

int read_stdin() {
  const int c = std::getchar();
  return c == EOF ? -1 : c;
}

void flush_all() {
  std::fflush(nullptr);
}

}  // namespace

bool ReplyScanner::take(char c) {
  switch (state_) {
    case State::kBlank:
      if (is_blank(c))
        return true;
      if (c == '+' || c == '-') {
        negative_ = c == '-';
        state_ = State::kSign;
        return true;
      }
      start_number(c);
      return true;
    case State::kSign:
      start_number(c);
      return !ends_line(c);
    case State::kDigits:
      if (is_digit(c)) {
        add_digit(c);
        return true;
      }
      state_ = State::kRestOfLine;
      return !ends_line(c);
    case State::kRestOfLine:
      return !ends_line(c);
    case State::kDone:
      break;
  }
  return false;
}

void ReplyScanner::start_number(char c) {
  if (!is_digit(c)) {
    // No number can follow, but the rest of the line is still the reply's: on a terminal,
    // whatever the launcher leaves unread is read next by the shell, as a command.
    state_ = State::kRestOfLine;
    return;
  }
  state_ = State::kDigits;
  has_number_ = true;
  add_digit(c);
}

bool ReplyScanner::ends_line(char c) {
  if (c != '\n')
    return false;
  state_ = State::kDone;
  return true;
}

void ReplyScanner::add_digit(char c) {
  // Once beyond the 32-bit range the value no longer matters, only that it is out of range.
  if (!out_of_range_) {
    magnitude_ = magnitude_ * 10 + (c - '0');
    out_of_range_ = magnitude_ > kMaxMagnitude;
  }
}

std::optional<std::int32_t> ReplyScanner::reply() const {
  if (!has_number_ || out_of_range_)
    return std::nullopt;
  const std::int64_t value = negative_ ? -magnitude_ : magnitude_;
  if (value > INT32_MAX)
    return std::nullopt;
  return static_cast<std::int32_t>(value);
}

int run_launcher(const LauncherWorld& world) {
  world.clear_console();
  write_screen(world);
  // The prompt must be seen before the wait, also when the output goes into a pipe that a
  // user is watching (quesdral | tee log.txt).
  world.flush();
  const std::optional<std::int32_t> reply = read_reply(world);
  const ToolEntry* tool = reply ? find_tool(*reply) : nullptr;
  if (tool != nullptr) {
    world.flush();
    world.run_command(tool->command);
  }
  return 0;
}

int run_launcher() {
  platform::open_console();
  // On a console every character shows at once; into a file or pipe the output is buffered
  // and written out in one piece before the reply is read.
  if (platform::stdout_is_console())
    std::setvbuf(stdout, nullptr, _IONBF, 0);
  // Unbuffered input takes one byte at a time, so the launcher never swallows the lines
  // after the reply that a script meant for the tool.
  std::setvbuf(stdin, nullptr, _IONBF, 0);
  const LauncherWorld world{platform::clear_console, write_stdout, read_stdin, flush_all,
                            platform::run_command};
  const int status = run_launcher(world);
  platform::close_console();
  return status;
}

}  // namespace quesdral
