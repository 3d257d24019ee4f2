#include "acoustics/column_count.hpp"

#include <algorithm>
#include <cmath>

#include "acoustics/index_search.hpp"

// Two columns at a time where the processor has SSE2 (every x86-64 and every 32-bit x86 build
// of the suite): the loop is bound by its instruction count, which this halves.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define QUESDRAL_COLUMN_PAIRS 1
#include <emmintrin.h>
#endif

// Four at a time where the processor has AVX, chosen when the program runs, as the suite's
// x86-64 programs are built for every x86-64 processor. Needs the compiler's target
// attribute and processor query (GCC, Clang).
#if defined(__x86_64__) && defined(__GNUC__)
#define QUESDRAL_COLUMN_QUADS 1
#include <immintrin.h>
#endif

namespace quesdral::acoustics {
namespace {

#ifdef QUESDRAL_COLUMN_QUADS
// As column_pairs below, four columns a turn: j to j + 3.
__attribute__((target("avx"))) ColumnRun column_quads(const SquaredLimit& limit,
                                                      const ColumnRow& row, std::uint64_t first,
                                                      std::uint64_t most, std::uint64_t enough) {
  const std::uint64_t quads = std::min(most / 4, enough / (std::uint64_t{1} << 34));
  const __m256d below = _mm256_set1_pd(limit.below);
  const __m256d above = _mm256_set1_pd(limit.above);
  const __m256d i_squared = _mm256_set1_pd(row.i_squared);
  const __m256d scale_j = _mm256_set1_pd(row.scale_j);
  const __m256d scale_k = _mm256_set1_pd(row.scale_k);
  const __m256d inverse_scale_k = _mm256_set1_pd(1.0 / row.scale_k);
  const __m256d four = _mm256_set1_pd(4.0);
  const double start = count_as_double(first);
  __m256d j = _mm256_set_pd(start + 3.0, start + 2.0, start + 1.0, start);
  __m128i modes_low = _mm_setzero_si128();
  __m128i modes_high = _mm_setzero_si128();
  std::uint64_t settled = 0;
  for (; settled < quads; ++settled, j = _mm256_add_pd(j, four)) {
    const __m256d b = _mm256_mul_pd(j, scale_j);
    const __m256d base = _mm256_add_pd(i_squared, _mm256_mul_pd(b, b));
    const __m256d guess =
        _mm256_mul_pd(_mm256_sqrt_pd(_mm256_sub_pd(below, base)), inverse_scale_k);
    const __m128i tops = _mm256_cvttpd_epi32(guess);
    const __m256d top = _mm256_mul_pd(_mm256_cvtepi32_pd(tops), scale_k);
    const __m256d next = _mm256_add_pd(top, scale_k);
    const __m256d fits =
        _mm256_cmp_pd(_mm256_add_pd(base, _mm256_mul_pd(top, top)), below, _CMP_LT_OQ);
    const __m256d beyond =
        _mm256_cmp_pd(_mm256_add_pd(base, _mm256_mul_pd(next, next)), above, _CMP_GT_OQ);
    if (_mm256_movemask_pd(_mm256_and_pd(fits, beyond)) != 15)
      break;
    modes_low = _mm_add_epi64(modes_low, _mm_unpacklo_epi32(tops, _mm_setzero_si128()));
    modes_high = _mm_add_epi64(modes_high, _mm_unpackhi_epi32(tops, _mm_setzero_si128()));
  }
  alignas(16) std::uint64_t lanes[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(lanes), modes_low);
  _mm_store_si128(reinterpret_cast<__m128i*>(lanes + 2), modes_high);
  ColumnRun run;
  run.columns = 4 * settled;
  run.modes = lanes[0] + lanes[1] + lanes[2] + lanes[3] + run.columns;
  return run;
}

bool has_avx() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx");
}
#else
ColumnRun column_quads(const SquaredLimit&, const ColumnRow&, std::uint64_t, std::uint64_t,
                       std::uint64_t) {
  return {};
}

bool has_avx() {
  return false;
}
#endif

#ifdef QUESDRAL_COLUMN_PAIRS
// Two adjacent columns, lanes j and j + 1.
class ColumnPair {
 public:
  ColumnPair(const SquaredLimit& limit, const ColumnRow& row)
      : below_(_mm_set1_pd(limit.below)),
        above_(_mm_set1_pd(limit.above)),
        i_squared_(_mm_set1_pd(row.i_squared)),
        scale_j_(_mm_set1_pd(row.scale_j)),
        scale_k_(_mm_set1_pd(row.scale_k)),
        inverse_scale_k_(_mm_set1_pd(1.0 / row.scale_k)) {}

  // Whether both columns settle, and their tops (as 32-bit lanes) when they do. A foot
  // outside the limit takes the square root of a negative number, not a number, and a guess
  // of 2^31 or more converts to -2^31; either way the tops fail the comparisons below (the
  // top of the latter lies further out than the guess, so its next index fits too).
  bool settle(__m128d j, __m128i& tops) const {
    const __m128d b = _mm_mul_pd(j, scale_j_);
    const __m128d base = _mm_add_pd(i_squared_, _mm_mul_pd(b, b));
    const __m128d guess = _mm_mul_pd(_mm_sqrt_pd(_mm_sub_pd(below_, base)), inverse_scale_k_);
    tops = _mm_cvttpd_epi32(guess);
    const __m128d top = _mm_mul_pd(_mm_cvtepi32_pd(tops), scale_k_);
    const __m128d next = _mm_add_pd(top, scale_k_);
    const __m128d settled =
        _mm_and_pd(_mm_cmplt_pd(_mm_add_pd(base, _mm_mul_pd(top, top)), below_),
                   _mm_cmpgt_pd(_mm_add_pd(base, _mm_mul_pd(next, next)), above_));
    return _mm_movemask_pd(settled) == 3;
  }

 private:
  __m128d below_, above_, i_squared_, scale_j_, scale_k_, inverse_scale_k_;
};

// Settles columns two at a time (four a turn) while both of a pair settle. Each pair adds
// under 2^32 modes, so the pairs never reach `enough`: the scalar loop alone meets it.
ColumnRun column_pairs(const SquaredLimit& limit, const ColumnRow& row, std::uint64_t first,
                       std::uint64_t most, std::uint64_t enough) {
  const ColumnPair pair(limit, row);
  const std::uint64_t pairs = std::min(most / 2, enough / (std::uint64_t{1} << 33));
  const __m128d four = _mm_set1_pd(4.0);
  const double start = count_as_double(first);
  __m128d j = _mm_set_pd(start + 1.0, start);
  __m128i modes = _mm_setzero_si128();
  const auto add = [&](__m128i tops) {
    modes = _mm_add_epi64(modes, _mm_unpacklo_epi32(tops, _mm_setzero_si128()));
  };
  std::uint64_t settled = 0;
  while (settled + 2 <= pairs) {
    __m128i tops;
    __m128i more_tops;
    const bool both = pair.settle(j, tops);
    const bool more = pair.settle(_mm_add_pd(j, _mm_set1_pd(2.0)), more_tops);
    if (!both)
      break;
    add(tops);
    ++settled;
    if (!more)
      break;
    add(more_tops);
    ++settled;
    j = _mm_add_pd(j, four);
  }
  alignas(16) std::uint64_t lanes[2];
  _mm_store_si128(reinterpret_cast<__m128i*>(lanes), modes);
  ColumnRun run;
  run.columns = 2 * settled;
  run.modes = lanes[0] + lanes[1] + run.columns;
  return run;
}
#else
ColumnRun column_pairs(const SquaredLimit&, const ColumnRow&, std::uint64_t, std::uint64_t,
                       std::uint64_t) {
  return {};
}
#endif

}  // namespace

ColumnRun quick_columns(const SquaredLimit& limit, const ColumnRow& row, std::uint64_t first,
                        std::uint64_t most, std::uint64_t enough) {
  static const bool avx = has_avx();
  ColumnRun run = avx ? column_quads(limit, row, first, most, enough) : ColumnRun{};
  const ColumnRun pairs =
      column_pairs(limit, row, first + run.columns, most - run.columns, enough - run.modes);
  run.columns += pairs.columns;
  run.modes += pairs.modes;
  for (double j = count_as_double(first + run.columns); run.columns < most && run.modes < enough;
       ++j) {
    const double b = j * row.scale_j;
    const double base = row.i_squared + b * b;
    if (!(base < limit.below))
      break;
    const double guess = std::sqrt(limit.below - base) / row.scale_k;
    if (!(guess < kHighestSearchedIndex))
      break;
    const auto k = static_cast<std::int64_t>(guess);
    const double top = static_cast<double>(k) * row.scale_k;
    const double next = top + row.scale_k;
    if (!(base + top * top < limit.below && base + next * next > limit.above))
      break;
    run.modes += static_cast<std::uint64_t>(k) + 1;
    ++run.columns;
  }
  return run;
}

}  // namespace quesdral::acoustics
