#include "cli/results.hpp"

#include <cmath>
#include <limits>

#include "cli/number_format.hpp"

namespace quesdral::cli {

Outcome Outcome::success(std::string text) {
  return {std::move(text), {}, std::nullopt};
}

Outcome Outcome::failure(std::string error, std::optional<std::size_t> mended_by) {
  if (error.empty())
    error = "the result cannot be computed";
  return {{}, std::move(error), mended_by};
}

Results& Results::add(std::string_view label, double value, std::string_view unit) {
  if (!std::isfinite(value)) {
    return fail("the result (" + std::string(label) +
                ") is too large to show: its magnitude would exceed 1.79769e+308");
  }
  std::string line = std::string(label) + ": " + format_number(value);
  if (!unit.empty())
    line += " " + std::string(unit);
  text_ += line + '\n';
  return *this;
}

Results& Results::add_magnitude(std::string_view label, double value, std::string_view unit) {
  if (std::isfinite(value) && std::fabs(value) < std::numeric_limits<double>::min()) {
    return fail("the result (" + std::string(label) +
                ") is too small to show: its magnitude would be below 2.22507e-308");
  }
  return add(label, value, unit);
}

Results& Results::add_text(std::string_view label, std::string_view text) {
  text_ += std::string(label) + ": " + std::string(text) + '\n';
  return *this;
}

Results& Results::add_block(std::string_view text) {
  text_ += text;
  return *this;
}

Results& Results::fail(std::string error) {
  if (error_.empty())
    error_ = std::move(error);
  return *this;
}

Outcome Results::finish(std::optional<std::size_t> mended_by) const {
  return error_.empty() ? Outcome::success(text_) : Outcome::failure(error_, mended_by);
}

}  // namespace quesdral::cli
