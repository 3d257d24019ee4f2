// The texts of results that are exact sums or products of the typed values (a sideband
// C + M, a harmonic n * F, a volume L * W * H), rounded to six digits as their exact values
// are, which their nearest doubles cannot always show (cli::format_exact_sum).
#pragma once

#include <string>

#include "acoustics/extended_precision.hpp"
#include "cli/number_format.hpp"

namespace quesdral::tools {

// a + b, computed as `value`.
inline std::string sum_text(double value, double a, double b) {
  return cli::format_exact_sum(value, {a, b});
}

// a * b + c, computed as `value`.
inline std::string product_text(double value, double a, double b, double c = 0.0) {
  const acoustics::DoubleDouble product = acoustics::two_product(a, b);
  return cli::format_exact_sum(value, {product.hi, product.lo, c});
}

}  // namespace quesdral::tools
