// Fuzzes the tools' run through the eighteen real tool definitions. The first byte picks the
// tool (its catalogue row, counted from 0) and the mode; the rest is either the whole of standard
// input in the interactive mode (which may end in a read error rather than a plain end, as a closed
// or broken standard input does), or the arguments, one per line. Whatever arrives, the run must
// end with status 0, 1 or 2, must not print a non-finite number, must give its reasons on stderr
// naming the tool, and must leave standard output empty when it refuses its arguments.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ios>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.hpp"
#include "tool_definitions.hpp"

namespace {

namespace cli = quesdral::cli;

const std::vector<cli::Tool>& tools() {
  static const std::vector<cli::Tool> all = [] {
    std::vector<cli::Tool> list;
    for (const quesdral::tools::ToolFactory make_tool : quesdral::tools::all_tools()) {
      list.push_back(make_tool());
      // A fuzzer must write no files: --wav and --svg still parse, but render nothing.
      list.back().renderings.clear();
    }
    return list;
  }();
  return all;
}

[[noreturn]] void finding(const char* what, const cli::Tool& tool) {
  std::fprintf(stderr, "%s: %s\n", tool.command, what);
  std::abort();
}

// True when a word of letters reads "nan" or "inf" in any case, as a non-finite double
// would be printed; words such as "infinity" in a help text are fine.
bool shows_non_finite(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (!std::isalpha(static_cast<unsigned char>(text[i]))) {
      ++i;
      continue;
    }
    std::string word;
    for (; i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])); ++i)
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    if (word == "nan" || word == "inf")
      return true;
  }
  return false;
}

// Answers that end in a read error: the standard library's file buffer throws from
// underflow when read() fails, and a tool must take that as the end of its input.
class BrokenInput : public std::streambuf {
 public:
  explicit BrokenInput(std::string_view text) : text_(text) {
    char* begin = text_.data();
    setg(begin, begin, begin + text_.size());
  }

 protected:
  int_type underflow() override { throw std::ios_base::failure("read error"); }

 private:
  std::string text_;
};

std::vector<std::string> split_lines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string_view::npos;
       end = text.find('\n', start)) {
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  lines.emplace_back(text.substr(start));
  return lines;
}

bool ends_with_question(std::string_view text) {
  return text.empty() || (text.size() >= 2 && text.substr(text.size() - 2) == ": ");
}

// Every line on stderr names the tool ("vorlix.exe: ...") or is the usage line. In the
// interactive mode stderr also holds the heading, then the questions: a reason follows the
// questions it answers on the same line, since the answers are not echoed.
bool reasons_are_named(const cli::Tool& tool, const std::string& err, bool interactive) {
  const std::string named = std::string(tool.command) + ": ";
  const std::string usage = "usage: " + std::string(tool.command);
  const std::vector<std::string> lines = split_lines(err);
  const std::string heading = std::string(tool.label) + " - " + tool.description;
  if (interactive && !err.empty() && lines.front() != heading)
    return false;
  for (std::size_t i = interactive ? 1 : 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.rfind(usage, 0) == 0)
      continue;
    const std::size_t reason = line.find(named);
    if (!interactive && !line.empty() && reason != 0)
      return false;
    if (!ends_with_question(std::string_view(line).substr(0, reason)))
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  const cli::Tool& tool = tools()[(data[0] & 0x3f) % tools().size()];
  const bool with_arguments = (data[0] & 0x80) != 0;
  const bool read_error_at_end = (data[0] & 0x40) != 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);

  std::vector<std::string> args;
  std::istringstream plain_input;
  BrokenInput broken_input(rest);
  std::istream in(read_error_at_end ? static_cast<std::streambuf*>(&broken_input)
                                    : plain_input.rdbuf());
  if (with_arguments) {
    args = split_lines(rest);
  } else {
    plain_input.str(std::string(rest));
  }
  std::ostringstream out;
  std::ostringstream err;
  const int status = cli::run_tool(tool, args, in, out, err);

  if (shows_non_finite(out.str()))
    finding("nan or inf on standard output", tool);
  // Options alone (--, --format csv) leave the run interactive; --batch reads its cases from
  // the input and may compute some lines while refusing others.
  const cli::Arguments parsed = cli::parse_arguments(args, cli::all_options(tool));
  const bool interactive = parsed.error.empty() && !parsed.help && !parsed.version &&
                           !parsed.batch && parsed.values.empty();
  // A batch whose input fails ends with status 3, after the cases read before the failure.
  const bool unreadable_batch =
      parsed.batch && read_error_at_end && status == cli::kExitOutputFailed;
  if (status != cli::kExitOk && status != cli::kExitInputEnded && status != cli::kExitInvalid &&
      !unreadable_batch)
    finding("unexpected exit status", tool);
  const bool one_case = !interactive && !parsed.batch;
  if (status == cli::kExitInvalid && !out.str().empty() && one_case)
    finding("refused arguments but wrote to standard output", tool);
  if (status != cli::kExitOk && err.str().empty())
    finding("failed without saying why on standard error", tool);
  if (!reasons_are_named(tool, err.str(), interactive))
    finding("a line on standard error that does not name the tool", tool);
  if (!interactive && status == cli::kExitInputEnded)
    finding("status 1 in the argument mode, which reads no input", tool);
  return 0;
}
