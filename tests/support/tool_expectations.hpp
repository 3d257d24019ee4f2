// What the tools' end-to-end tables expect of a run in argument mode: exact results, or a
// refusal with status 2. Each case names its command and arguments in the failure trace.
#pragma once

#include <string>
#include <vector>

namespace quesdral::testing {

struct ExactCase {
  const char* command;  // "vorlix.exe"
  std::vector<std::string> args;
  const char* out;  // all of stdout
};

// The run ends with status 0 and prints exactly `out`, nothing on stderr.
void expect_exact_output(const ExactCase& c);

struct RefusalCase {
  const char* command;
  std::vector<std::string> args;
  const char* reason;  // a part of the message on stderr
};

// The run ends with status 2 and nothing on stdout; stderr starts with "<command>: " and
// holds `reason`.
void expect_refusal(const RefusalCase& c);

}  // namespace quesdral::testing
