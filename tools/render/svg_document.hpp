// Plain SVG 1.1 drawings: a document of lines, rectangles, circles and text in pixels, and
// the scales and axes of a chart on it.
//
// The text of a drawing depends only on what is drawn: coordinates are written with one
// decimal through the C locale's formatting, so the same input gives the same bytes on
// every build. Nothing refers to a script, a font file or any other file; text asks for a
// generic sans-serif font.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quesdral::render {

enum class Anchor { kStart, kMiddle, kEnd };

class SvgDocument {
 public:
  // A blank white canvas; `title` becomes the document's <title>, shown by viewers.
  SvgDocument(int width_px, int height_px, std::string_view title);

  // `dash` is an SVG dash pattern ("4 3") or empty for a solid line.
  void line(double x1, double y1, double x2, double y2, std::string_view colour, double width = 1.0,
            std::string_view dash = {});
  // `stroke` empty: no outline.
  void rect(double x, double y, double width, double height, std::string_view fill,
            std::string_view stroke = {});
  void circle(double cx, double cy, double radius, std::string_view fill,
              std::string_view stroke = {});
  // Text with its baseline at y; rotated by `degrees` about (x, y) when not 0.
  void text(double x, double y, std::string_view text, Anchor anchor = Anchor::kStart,
            double size_px = 12.0, std::string_view colour = "#000000", double degrees = 0.0);

  // The whole document, XML declaration included.
  std::string finish() const;

 private:
  int width_px_;
  int height_px_;
  std::string body_;
  std::string title_;
};

// Maps data values onto pixels, linearly or logarithmically.
struct Scale {
  double data_min = 0.0;
  double data_max = 1.0;
  double px_min = 0.0;  // the pixel of data_min (for a y axis, the bottom)
  double px_max = 1.0;
  bool logarithmic = false;  // REQUIRES for true: 0 < data_min < data_max

  double to_px(double value) const;
};

struct Tick {
  double value;
  std::string label;
};

// About `count` ticks at round values (1, 2 or 5 times a power of ten apart) from min to
// max inclusive.
// REQUIRES: min < max, count >= 1.
std::vector<Tick> linear_ticks(double min, double max, int count);

// Ticks at 1, 2 and 5 times each power of ten from min to max inclusive.
// REQUIRES: 0 < min < max.
std::vector<Tick> log_ticks(double min, double max);

// The frame of a chart: the axis lines, the ticks with their labels and light grid lines
// across the plot area, and the axes' names (the y axis's written upwards).
void draw_axes(SvgDocument& svg, const Scale& x, const std::vector<Tick>& x_ticks,
               std::string_view x_label, const Scale& y, const std::vector<Tick>& y_ticks,
               std::string_view y_label);

// One line of a legend: a swatch of `colour` and its text, at (x, y).
void legend_entry(SvgDocument& svg, double x, double y, std::string_view colour,
                  std::string_view text);

}  // namespace quesdral::render
