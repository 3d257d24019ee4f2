#include "acoustics/exact_decimal.hpp"

#include <charconv>
#include <cstddef>
#include <string_view>

namespace quesdral::acoustics {

Decimal typed_decimal(double value) {
  // Shortest scientific text: the fewest significant digits that read back as the same
  // double. (Without a format, a large whole double would be written in full instead.)
  char buffer[64];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
  Decimal decimal;
  std::size_t i = 0;
  if (text[i] == '-') {
    decimal.negative = true;
    ++i;
  }
  // Zeros are held back until a later digit needs them, so that trailing zeros go to the
  // exponent, not into the digits.
  bool after_point = false;
  int held_zeros = 0;
  for (; i < text.size() && text[i] != 'e'; ++i) {
    if (text[i] == '.') {
      after_point = true;
      continue;
    }
    if (after_point)
      --decimal.exponent;
    if (text[i] == '0') {
      ++held_zeros;
      continue;
    }
    for (; held_zeros > 0; --held_zeros)
      decimal.digits *= 10;
    decimal.digits = decimal.digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
  }
  decimal.exponent += held_zeros;
  if (i < text.size()) {
    const char* start = text.data() + i + 1;
    if (*start == '+')
      ++start;
    int exponent = 0;
    std::from_chars(start, text.data() + text.size(), exponent);
    decimal.exponent += exponent;
  }
  if (decimal.digits == 0)
    return Decimal{};
  return decimal;
}

BigNatural::BigNatural(std::uint64_t value) {
  while (value != 0) {
    limbs_.push_back(static_cast<std::uint32_t>(value));
    value >>= 32;
  }
}

BigNatural& BigNatural::operator+=(const BigNatural& other) {
  if (limbs_.size() < other.limbs_.size())
    limbs_.resize(other.limbs_.size(), 0);
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    carry += limbs_[i];
    if (i < other.limbs_.size())
      carry += other.limbs_[i];
    limbs_[i] = static_cast<std::uint32_t>(carry);
    carry >>= 32;
  }
  if (carry != 0)
    limbs_.push_back(static_cast<std::uint32_t>(carry));
  return *this;
}

BigNatural& BigNatural::operator-=(const BigNatural& other) {
  std::int64_t borrow = 0;
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    std::int64_t difference = static_cast<std::int64_t>(limbs_[i]) - borrow;
    if (i < other.limbs_.size())
      difference -= static_cast<std::int64_t>(other.limbs_[i]);
    borrow = difference < 0 ? 1 : 0;
    limbs_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
  }
  trim();
  return *this;
}

BigNatural& BigNatural::operator*=(const BigNatural& other) {
  if (limbs_.empty() || other.limbs_.empty()) {
    limbs_.clear();
    return *this;
  }
  std::vector<std::uint32_t> product(limbs_.size() + other.limbs_.size(), 0);
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    std::uint64_t carry = 0;
    for (std::size_t j = 0; j < other.limbs_.size(); ++j) {
      carry += static_cast<std::uint64_t>(limbs_[i]) * other.limbs_[j] + product[i + j];
      product[i + j] = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    product[i + other.limbs_.size()] = static_cast<std::uint32_t>(carry);
  }
  limbs_ = std::move(product);
  trim();
  return *this;
}

BigNatural& BigNatural::operator*=(std::uint32_t factor) {
  multiply_small(factor);
  return *this;
}

BigNatural& BigNatural::scale_by_power_of_ten(int power) {
  constexpr std::uint32_t kTenToTheNine = 1000000000;
  for (; power >= 9; power -= 9)
    multiply_small(kTenToTheNine);
  std::uint32_t rest = 1;
  for (; power > 0; --power)
    rest *= 10;
  multiply_small(rest);
  return *this;
}

int BigNatural::compare(const BigNatural& other) const {
  if (limbs_.size() != other.limbs_.size())
    return limbs_.size() < other.limbs_.size() ? -1 : 1;
  for (std::size_t i = limbs_.size(); i-- > 0;) {
    if (limbs_[i] != other.limbs_[i])
      return limbs_[i] < other.limbs_[i] ? -1 : 1;
  }
  return 0;
}

std::optional<std::uint64_t> BigNatural::to_uint64() const {
  if (limbs_.size() > 2)
    return std::nullopt;
  std::uint64_t value = 0;
  for (auto limb = limbs_.rbegin(); limb != limbs_.rend(); ++limb)
    value = (value << 32) | *limb;
  return value;
}

void BigNatural::multiply_small(std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (std::uint32_t& limb : limbs_) {
    carry += static_cast<std::uint64_t>(limb) * factor;
    limb = static_cast<std::uint32_t>(carry);
    carry >>= 32;
  }
  if (carry != 0)
    limbs_.push_back(static_cast<std::uint32_t>(carry));
  trim();
}

void BigNatural::trim() {
  while (!limbs_.empty() && limbs_.back() == 0)
    limbs_.pop_back();
}

BigNatural operator+(BigNatural a, const BigNatural& b) {
  return a += b;
}

BigNatural operator*(BigNatural a, const BigNatural& b) {
  return a *= b;
}

}  // namespace quesdral::acoustics
