// What the level tools share: the reference each pair of conversions (VORLIX and TRUSKA,
// PELUNDA and ZORIVEK) takes last, and the bit depth of QUILBERN and NOSKARTE.
#pragma once

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "acoustics/levels.hpp"
#include "cli/number_format.hpp"
#include "cli/tool.hpp"

namespace quesdral::tools {

// The usual reference for sound power levels.
inline constexpr double kReferencePowerW = 1e-12;

// The references REFERENCE may name instead of a number, in any letter case.
inline constexpr const char* kSplName = "SPL";
inline constexpr const char* kDbuName = "dBu";
inline constexpr const char* kDbvName = "dBV";

// REFERENCE, default 1, above 0, or one of the named references.
inline cli::Input reference_amplitude_input() {
  return cli::real_input("REFERENCE", "Reference amplitude")
      .defaults_to(1)
      .also_named(kSplName, acoustics::kSplReferencePa)
      .also_named(kDbuName, acoustics::kDbuReferenceV)
      .also_named(kDbvName, acoustics::kDbvReferenceV)
      .checked_by(cli::must_be_positive("reference amplitude must be above 0"));
}

// What a named reference means for the results: the unit of a level against it, the unit of
// an amplitude and a remark that names it.
struct ReferenceUse {
  const char* level_unit;
  const char* amplitude_unit;
  const char* remark;
};

// The use of the reference named `name`, or nothing for a reference given as a number.
inline std::optional<ReferenceUse> named_reference(std::string_view name) {
  if (name == kSplName)
    return ReferenceUse{"dB SPL", "Pa", "(reference SPL, 20e-6 Pa)"};
  if (name == kDbuName)
    return ReferenceUse{"dBu", "V", "(reference dBu, 0.774597 V)"};
  if (name == kDbvName)
    return ReferenceUse{"dBV", "V", "(reference dBV, 1 V)"};
  return std::nullopt;
}

// The unit of the amplitude of a named reference, for csv and json: Pa or V; null for a
// reference given as a number.
inline cli::FieldSpec reference_unit_field() {
  return cli::text_field("reference_unit",
                         "the unit of the named reference's amplitude; null for a number",
                         {"Pa", "V"});
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

// REFERENCE * 10^(LEVEL_DB / db_per_decade), computed as `value`, as text: for a level of
// whole decades (TRUSKA's 20 dB, ZORIVEK's 10 dB) the reference's own digits shifted,
// rounded as they are, which the product's double cannot always show.
inline std::string scaled_text(double value, double reference, double level_db,
                               double db_per_decade) {
  const double decades = std::round(level_db / db_per_decade);
  if (decades * db_per_decade != level_db || std::fabs(decades) > 1000)
    return cli::format_number(value);
  return cli::format_exact_sum(value, {reference}, static_cast<int>(decades));
}

}  // namespace quesdral::tools
