/* The floor the long table is measured against: a minimal C program that prints what
   `yombric.exe 30 20 12 230 20` prints (9,931 room modes, their counts by kind, the
   third-octave bands and Bonello's criterion), byte for byte, and nothing else. A plain
   triple loop collects the modes, qsort orders them, each number is formatted by hand as a
   scaled integer into one buffer, and one fwrite writes it all. It is a floor for that one
   input, not a tool: it takes the tool's five values but checks none of them, and its
   shortcuts (a mode's band by rounding 10 log10 f, frequencies equal within a relative
   1e-13 taken as tied, bands from 1 Hz up) hold for that room.
   Usage: room_modes_floor LENGTH_M WIDTH_M HEIGHT_M MAX_HZ TEMPERATURE_C */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef struct {
  double frequency_hz;
  int p, q, r;
} Mode;

static const char* const kind_names[] = {"", "axial", "tangential", "oblique"};

static int compare_modes(const void* left, const void* right) {
  const Mode* a = left;
  const Mode* b = right;
  if (a->frequency_hz < b->frequency_hz * (1.0 - 1e-13))
    return -1;
  if (b->frequency_hz < a->frequency_hz * (1.0 - 1e-13))
    return 1;
  if (a->p != b->p)
    return a->p < b->p ? -1 : 1;
  if (a->q != b->q)
    return a->q < b->q ? -1 : 1;
  return a->r < b->r ? -1 : a->r > b->r;
}

static char* put_text(char* out, const char* text) {
  const size_t length = strlen(text);
  memcpy(out, text, length);
  return out + length;
}

static char* put_spaces(char* out, int count) {
  for (; count > 0; --count)
    *out++ = ' ';
  return out;
}

static int digit_count(long value) {
  int count = 1;
  for (; value >= 10; value /= 10)
    ++count;
  return count;
}

/* value right-aligned in width columns. REQUIRES: value >= 0. */
static char* put_integer(char* out, long value, int width) {
  const int count = digit_count(value);
  out = put_spaces(out, width - count);
  for (int i = count - 1; i >= 0; --i, value /= 10)
    out[i] = (char)('0' + value % 10);
  return out + count;
}

/* Six significant digits, trailing zeros kept, as the tools print a result: fixed notation
   from 1e-4 up to 1e6, scientific otherwise. The value times a power of ten is rounded to a
   whole number; where that product lies too near a half for its own rounding to be trusted,
   snprintf (correctly rounded) gives the digits instead. Returns the length written.
   REQUIRES: value is not 0. */
static int format_six(char* out, double value) {
  static const double powers[] = {1e-4, 1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2,
                                  1e3,  1e4,  1e5,  1e6,  1e7, 1e8, 1e9};
  const double magnitude = fabs(value);
  if (!(magnitude >= 1e-4 && magnitude < 1e6))
    return sprintf(out, "%.5e", value);
  int exponent = -4;
  while (magnitude >= powers[exponent + 5])
    ++exponent;
  const double scaled = magnitude * powers[9 - exponent]; /* times 10^(5 - exponent) */
  long digits = lround(scaled);
  if (fabs(scaled - floor(scaled) - 0.5) < 1e-6) {
    char text[32];
    sprintf(text, "%.5e", magnitude);
    digits = strtol(text, NULL, 10) * 100000 + strtol(text + 2, NULL, 10);
    exponent = atoi(text + 8);
  } else if (digits == 1000000) { /* 9.999996 rounds to 10.0000 */
    digits = 100000;
    ++exponent;
  }
  if (exponent == 6)
    return sprintf(out, "%.5e", value);
  char* start = out;
  if (value < 0)
    *out++ = '-';
  char text[6];
  for (int i = 5; i >= 0; --i, digits /= 10)
    text[i] = (char)('0' + digits % 10);
  if (exponent < 0) {
    *out++ = '0';
    *out++ = '.';
    memset(out, '0', (size_t)(-exponent - 1));
    out += -exponent - 1;
    memcpy(out, text, 6);
    out += 6;
  } else {
    memcpy(out, text, (size_t)exponent + 1);
    out += exponent + 1;
    if (exponent < 5) {
      *out++ = '.';
      memcpy(out, text + exponent + 1, (size_t)(5 - exponent));
      out += 5 - exponent;
    }
  }
  return (int)(out - start);
}

/* The band's name: the preferred centre of ISO 266 (1, 1.25, 1.6 ... 8 times a power of
   ten), shortest, as "6.3", "8", "12.5", "31.5". REQUIRES: index >= 0. */
static char* put_band_name(char* out, int index, int width) {
  static const int hundredths[] = {100, 125, 160, 200, 250, 315, 400, 500, 630, 800};
  long value = hundredths[index % 10];
  for (int decade = index / 10; decade > 0; --decade)
    value *= 10;
  char text[32];
  int length = sprintf(text, "%ld.%02ld", value / 100, value % 100);
  while (text[length - 1] == '0')
    --length;
  if (text[length - 1] == '.')
    --length;
  out = put_spaces(out, width - length);
  memcpy(out, text, (size_t)length);
  return out + length;
}

static int band_of(double frequency_hz) {
  return (int)floor(10.0 * log10(frequency_hz) + 0.5);
}

int main(int argc, char** argv) {
  if (argc != 6) {
    fprintf(stderr, "usage: %s LENGTH_M WIDTH_M HEIGHT_M MAX_HZ TEMPERATURE_C\n", argv[0]);
    return 2;
  }
  const double size_m[3] = {strtod(argv[1], NULL), strtod(argv[2], NULL), strtod(argv[3], NULL)};
  const double max_hz = strtod(argv[4], NULL);
  const double speed_m_per_s = 331.3 * sqrt(1.0 + strtod(argv[5], NULL) / 273.15);
  const double half_speed = speed_m_per_s / 2.0;

  size_t capacity = 1024, count = 0;
  Mode* modes = malloc(capacity * sizeof *modes);
  int widest[3] = {0, 0, 0};
  for (int p = 0;; ++p) {
    const double a = p / size_m[0];
    if (half_speed * a > max_hz)
      break;
    for (int q = 0;; ++q) {
      const double b = q / size_m[1];
      if (half_speed * sqrt(a * a + b * b) > max_hz)
        break;
      for (int r = p == 0 && q == 0;; ++r) {
        const double c = r / size_m[2];
        const double frequency_hz = half_speed * sqrt(a * a + b * b + c * c);
        if (frequency_hz > max_hz)
          break;
        if (count == capacity)
          modes = realloc(modes, (capacity *= 2) * sizeof *modes);
        modes[count++] = (Mode){frequency_hz, p, q, r};
        widest[0] = p > widest[0] ? p : widest[0];
        widest[1] = q > widest[1] ? q : widest[1];
        widest[2] = r > widest[2] ? r : widest[2];
      }
    }
  }
  qsort(modes, count, sizeof *modes, compare_modes);

  /* A row is at most three indices, a 14-column frequency and a kind: well under 80 bytes. */
  char* const buffer = malloc(count * 80 + 4096);
  char* out = buffer;
  out = put_text(out, "Speed of sound: ");
  out += format_six(out, speed_m_per_s);
  out = put_text(out, " m/s\n");

  int widths[3];
  for (int i = 0; i < 3; ++i)
    widths[i] = digit_count(widest[i]);
  out = put_spaces(out, widths[0] - 1);
  *out++ = 'p';
  out = put_spaces(out, 2 + widths[1] - 1);
  *out++ = 'q';
  out = put_spaces(out, 2 + widths[2] - 1);
  out = put_text(out, "r  Frequency (Hz)  Kind\n");

  long kinds[4] = {0, 0, 0, 0};
  const int first_band = band_of(modes[0].frequency_hz);
  const int last_band = band_of(max_hz);
  long band_modes[64] = {0};
  for (size_t i = 0; i < count; ++i) {
    const Mode* mode = &modes[i];
    out = put_integer(out, mode->p, widths[0]);
    out = put_integer(out, mode->q, 2 + widths[1]);
    out = put_integer(out, mode->r, 2 + widths[2]);
    char text[32];
    const int length = format_six(text, mode->frequency_hz);
    out = put_spaces(out, 2 + 14 - length);
    memcpy(out, text, (size_t)length);
    out += length;
    *out++ = ' ';
    *out++ = ' ';
    const int kind = (mode->p != 0) + (mode->q != 0) + (mode->r != 0);
    ++kinds[kind];
    out = put_text(out, kind_names[kind]);
    *out++ = '\n';
    int band = band_of(mode->frequency_hz);
    band = band > last_band ? last_band : band;
    ++band_modes[band - first_band];
  }
  out = put_text(out, "Axial modes: ");
  out = put_integer(out, kinds[1], 0);
  out = put_text(out, "\nTangential modes: ");
  out = put_integer(out, kinds[2], 0);
  out = put_text(out, "\nOblique modes: ");
  out = put_integer(out, kinds[3], 0);
  out = put_text(out, "\nAll modes: ");
  out = put_integer(out, (long)count, 0);
  *out++ = '\n';

  /* The bands: the widest count sets the Modes column, the most modes the bar's scale. */
  const int band_count = last_band - first_band + 1;
  long most = 0;
  int fewer_anywhere = 0;
  for (int i = 0; i < band_count; ++i) {
    most = band_modes[i] > most ? band_modes[i] : most;
    fewer_anywhere |= i > 0 && i < band_count - 1 && band_modes[i] < band_modes[i - 1];
  }
  const int modes_width = digit_count(most) > 5 ? digit_count(most) : 5;
  const char* const partial = "partial (cut at MAX_HZ)";
  const char* const fewer = "fewer than the band below";
  const int remark_width = (int)strlen(fewer_anywhere ? fewer : partial);
  out = put_text(out, "Band (Hz)");
  out = put_spaces(out, 2 + modes_width - 5);
  out = put_text(out, "Modes  Remark");
  out = put_spaces(out, remark_width - 6);
  out = put_text(out, "  Count\n");
  char breaking[512] = "";
  for (int i = 0; i < band_count; ++i) {
    const long modes_in_band = band_modes[i];
    const char* remark = i == band_count - 1                          ? partial
                         : i > 0 && modes_in_band < band_modes[i - 1] ? fewer
                                                                      : "";
    if (remark == fewer) {
      char* end = breaking + strlen(breaking);
      if (end != breaking)
        end = put_text(end, ", ");
      end = put_band_name(end, first_band + i, 0);
      *end = '\0';
    }
    const long bar = most <= 40 ? modes_in_band : (modes_in_band * 40 + most / 2) / most;
    out = put_band_name(out, first_band + i, 9);
    out = put_integer(out, modes_in_band, 2 + modes_width);
    if (remark[0] != '\0' || bar > 0) {
      out = put_spaces(out, 2);
      out = put_text(out, remark);
      if (bar > 0) {
        out = put_spaces(out, remark_width - (int)strlen(remark) + 2);
        memset(out, '#', (size_t)bar);
        out += bar;
      }
    }
    *out++ = '\n';
  }
  out = put_text(out, "Bonello's criterion: ");
  if (band_count - 1 < 2) {
    out = put_text(out, "not judged (fewer than two full bands)\n");
  } else if (breaking[0] == '\0') {
    out = put_text(out, "met (no full band holds fewer modes than the band below)\n");
  } else {
    out = put_text(out, "not met (fewer modes than the band below at ");
    out = put_text(out, breaking);
    out = put_text(out, " Hz)\n");
  }

  fwrite(buffer, 1, (size_t)(out - buffer), stdout);
  return 0;
}
