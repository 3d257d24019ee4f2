// What one computation of a tool produced: result lines for standard output, or the reason
// it was refused.
//
// A computed value that is not finite is never printed: the whole outcome becomes a
// refusal that says the result is too large to show.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quesdral::cli {

struct Outcome {
  std::string text;   // result lines, each ending with '\n'
  std::string error;  // non-empty exactly when refused
  // The input whose new value can mend a refusal, asked again in the interactive mode;
  // nothing means the last input.
  std::optional<std::size_t> mended_by;

  bool ok() const { return error.empty(); }
  static Outcome success(std::string text);
  // An empty error becomes a general reason, so a refusal is never silent.
  static Outcome failure(std::string error, std::optional<std::size_t> mended_by = std::nullopt);
};

// Collects "Label: value unit" result lines.
class Results {
 public:
  // Adds "Label: <format_number(value)> unit" (no space and no unit when unit is empty).
  Results& add(std::string_view label, double value, std::string_view unit);

  // As add, for a result that is above 0 by nature (an amplitude, a power, a time): one that
  // came out as 0 or too small to keep six significant digits (below about 2.2e-308) is
  // refused as too small to show instead of being printed as a wrong 0.
  Results& add_magnitude(std::string_view label, double value, std::string_view unit);

  // Adds "Label: text" for exact or worded results ("Nearest sample: 16384").
  Results& add_text(std::string_view label, std::string_view text);

  // Adds ready-made lines, e.g. a rendered Table. REQUIRES: text ends with '\n' or is empty.
  Results& add_block(std::string_view text);

  // Refuses the whole outcome with this reason (the first reason given wins).
  Results& fail(std::string error);

  // The results, or the first refusal; `mended_by` as in Outcome::failure.
  Outcome finish(std::optional<std::size_t> mended_by = std::nullopt) const;

 private:
  std::string text_;
  std::string error_;
};

}  // namespace quesdral::cli
