// What the level tools share: the reference each pair of conversions (VORLIX and TRUSKA,
// PELUNDA and ZORIVEK) takes last, and the bit depth of QUILBERN and NOSKARTE.
#pragma once

#include <optional>
#include <string>

#include "acoustics/levels.hpp"
#include "cli/tool.hpp"

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

// BITS, an integer, default 16, a whole number from 2 to 32.
inline cli::Input bit_depth_input() {
  return cli::integer_input("BITS", "Bit depth in bits")
      .defaults_to(16)
      .checked_by(cli::must_be_within(acoustics::kMinBits, acoustics::kMaxBits,
                                      "bit depth must be a whole number from 2 to 32"));
}

}  // namespace quesdral::tools
