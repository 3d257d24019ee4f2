// Exact arithmetic on the decimals users type, for the questions that have to be answered
// about the typed values themselves: is a carrier exactly three times a modulator, does a
// room mode lie exactly at the frequency limit, do two modes have exactly the same frequency.
//
// A value reaches a tool as the double nearest to what was typed. The typed decimal is
// recovered as the shortest decimal that reads back as the same double: for a value typed
// with at most 15 significant digits, exactly what was typed ("0.3", not the double's
// 0.299999999999999988897...). Such decimals are then compared in whole numbers of any size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quesdral::acoustics {

// A decimal: (negative ? -1 : 1) * digits * 10^exponent, with no trailing zeros in digits
// (so equal values have equal fields; 0 is digits 0, exponent 0, not negative).
struct Decimal {
  bool negative = false;
  std::uint64_t digits = 0;
  int exponent = 0;
};

// The shortest decimal that reads back as value. REQUIRES: value is finite.
Decimal typed_decimal(double value);

// A whole number >= 0 of any size.
class BigNatural {
 public:
  BigNatural() = default;
  explicit BigNatural(std::uint64_t value);

  BigNatural& operator+=(const BigNatural& other);
  // REQUIRES: other <= *this.
  BigNatural& operator-=(const BigNatural& other);
  BigNatural& operator*=(const BigNatural& other);
  BigNatural& operator*=(std::uint32_t factor);
  // Multiplies by 10^power. REQUIRES: power >= 0.
  BigNatural& scale_by_power_of_ten(int power);

  // -1, 0 or 1 as *this is below, equal to or above other.
  int compare(const BigNatural& other) const;

  bool operator==(const BigNatural& other) const { return compare(other) == 0; }
  bool operator<(const BigNatural& other) const { return compare(other) < 0; }
  bool operator<=(const BigNatural& other) const { return compare(other) <= 0; }

  // How many 32-bit limbs the value takes: what one operation on it costs.
  std::size_t limb_count() const { return limbs_.size(); }

  // The value as a 64-bit number, or nothing when it needs more bits.
  std::optional<std::uint64_t> to_uint64() const;

 private:
  void multiply_small(std::uint32_t factor);
  void trim();

  std::vector<std::uint32_t> limbs_;  // least significant first, no leading zero limbs
};

BigNatural operator+(BigNatural a, const BigNatural& b);
BigNatural operator*(BigNatural a, const BigNatural& b);

}  // namespace quesdral::acoustics
