// What the level tools share: the reference each pair of conversions (VORLIX and TRUSKA,
// PELUNDA and ZORIVEK) takes last, and the bit depth of QUILBERN and NOSKARTE.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "acoustics/levels.hpp"
#include "cli/cli.hpp"

namespace quesdral::tools {

// The usual reference for sound power levels.
inline constexpr double kReferencePowerW = 1e-12;

// REFERENCE, default 1, above 0.
inline cli::Input reference_amplitude_input() {
  return cli::real_input("REFERENCE", "Reference amplitude")
      .defaults_to(1)
      .checked_by(cli::must_be_positive("reference amplitude must be above 0"));
}

// REFERENCE_W, default 1e-12 W, above 0.
inline cli::Input reference_power_input() {
  return cli::real_input("REFERENCE_W", "Reference power in W")
      .defaults_to(kReferencePowerW)
      .checked_by(cli::must_be_positive("reference power must be above 0 W"));
}

// Why a bit depth is refused, or nothing for a whole number from 2 to 32.
inline std::optional<std::string> bit_depth_problem(double bits) {
  if (bits < acoustics::kMinBits || bits > acoustics::kMaxBits)
    return "bit depth must be a whole number from 2 to 32";
  return std::nullopt;
}

// BITS, an integer, default 16, from 2 to 32. A tool whose check involves BITS and earlier
// values replaces the check and calls bit_depth_problem first.
inline cli::Input bit_depth_input() {
  return cli::integer_input("BITS", "Bit depth in bits")
      .defaults_to(16)
      .checked_by([](double bits, const std::vector<double>&) { return bit_depth_problem(bits); });
}

}  // namespace quesdral::tools
