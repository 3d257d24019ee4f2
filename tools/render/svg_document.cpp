#include "render/svg_document.hpp"

#include <cmath>
#include <cstdio>

#include "cli/number_format.hpp"

namespace quesdral::render {
namespace {

// One decimal is a tenth of a pixel, below what any viewer shows.
std::string px(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  // "-0.0" and "0.0" draw alike; keep one spelling so that equal drawings are equal bytes.
  return std::string(text) == "-0.0" ? "0.0" : text;
}

std::string escaped(std::string_view text) {
  std::string out;
  for (const char ch : text) {
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += ch;
    }
  }
  return out;
}

std::string attribute(const char* name, std::string_view value) {
  return std::string(" ") + name + "=\"" + escaped(value) + "\"";
}

const char* anchor_name(Anchor anchor) {
  switch (anchor) {
    case Anchor::kMiddle:
      return "middle";
    case Anchor::kEnd:
      return "end";
    default:
      return "start";
  }
}

// m * 10^exponent, computed so that a round decimal is the double nearest to it (0.3, not
// 0.30000000000000004), and labelled as typed.
double round_value(long long m, int exponent) {
  const double power = std::pow(10.0, std::abs(exponent));
  return exponent < 0 ? static_cast<double>(m) / power : static_cast<double>(m) * power;
}

constexpr const char* kAxisColour = "#000000";
constexpr const char* kGridColour = "#dddddd";

}  // namespace

SvgDocument::SvgDocument(int width_px, int height_px, std::string_view title)
    : width_px_(width_px), height_px_(height_px), title_(title) {
  rect(0, 0, width_px, height_px, "#ffffff");
}

void SvgDocument::line(double x1, double y1, double x2, double y2, std::string_view colour,
                       double width, std::string_view dash) {
  body_ += "<line x1=\"" + px(x1) + "\" y1=\"" + px(y1) + "\" x2=\"" + px(x2) + "\" y2=\"" +
           px(y2) + "\"" + attribute("stroke", colour) + " stroke-width=\"" + px(width) + "\"";
  if (!dash.empty())
    body_ += attribute("stroke-dasharray", dash);
  body_ += "/>\n";
}

void SvgDocument::rect(double x, double y, double width, double height, std::string_view fill,
                       std::string_view stroke) {
  body_ += "<rect x=\"" + px(x) + "\" y=\"" + px(y) + "\" width=\"" + px(width) + "\" height=\"" +
           px(height) + "\"" + attribute("fill", fill);
  if (!stroke.empty())
    body_ += attribute("stroke", stroke);
  body_ += "/>\n";
}

void SvgDocument::circle(double cx, double cy, double radius, std::string_view fill,
                         std::string_view stroke) {
  body_ += "<circle cx=\"" + px(cx) + "\" cy=\"" + px(cy) + "\" r=\"" + px(radius) + "\"" +
           attribute("fill", fill);
  if (!stroke.empty())
    body_ += attribute("stroke", stroke);
  body_ += "/>\n";
}

void SvgDocument::text(double x, double y, std::string_view text, Anchor anchor, double size_px,
                       std::string_view colour, double degrees) {
  body_ += "<text x=\"" + px(x) + "\" y=\"" + px(y) + "\" font-size=\"" + px(size_px) + "\"" +
           attribute("fill", colour) + attribute("text-anchor", anchor_name(anchor));
  if (degrees != 0.0)
    body_ += " transform=\"rotate(" + px(degrees) + " " + px(x) + " " + px(y) + ")\"";
  body_ += ">" + escaped(text) + "</text>\n";
}

std::string SvgDocument::finish() const {
  const std::string width = std::to_string(width_px_);
  const std::string height = std::to_string(height_px_);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
         width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height +
         "\" font-family=\"sans-serif\">\n<title>" + escaped(title_) + "</title>\n" + body_ +
         "</svg>\n";
}

double Scale::to_px(double value) const {
  const double fraction = logarithmic ? std::log(value / data_min) / std::log(data_max / data_min)
                                      : (value - data_min) / (data_max - data_min);
  return px_min + fraction * (px_max - px_min);
}

std::vector<Tick> linear_ticks(double min, double max, int count) {
  const double raw = (max - min) / count;
  int exponent = static_cast<int>(std::floor(std::log10(raw)));
  const double magnitude = std::pow(10.0, exponent);
  long long step = 10;
  for (const long long candidate : {1, 2, 5}) {
    if (static_cast<double>(candidate) * magnitude >= raw) {
      step = candidate;
      break;
    }
  }
  const double step_value = round_value(step, exponent);
  std::vector<Tick> ticks;
  const auto first = static_cast<long long>(std::ceil(min / step_value - 1e-9));
  const auto last = static_cast<long long>(std::floor(max / step_value + 1e-9));
  for (long long k = first; k <= last; ++k) {
    const double value = round_value(k * step, exponent);
    ticks.push_back({value, cli::format_short(value)});
  }
  return ticks;
}

std::vector<Tick> log_ticks(double min, double max) {
  std::vector<Tick> ticks;
  for (int exponent = static_cast<int>(std::floor(std::log10(min)));
       exponent <= static_cast<int>(std::ceil(std::log10(max))); ++exponent) {
    for (const long long m : {1, 2, 5}) {
      const double value = round_value(m, exponent);
      if (value >= min * (1 - 1e-12) && value <= max * (1 + 1e-12))
        ticks.push_back({value, cli::format_short(value)});
    }
  }
  return ticks;
}

void draw_axes(SvgDocument& svg, const Scale& x, const std::vector<Tick>& x_ticks,
               std::string_view x_label, const Scale& y, const std::vector<Tick>& y_ticks,
               std::string_view y_label) {
  for (const Tick& tick : x_ticks) {
    const double at = x.to_px(tick.value);
    svg.line(at, y.px_min, at, y.px_max, kGridColour);
    svg.line(at, y.px_min, at, y.px_min + 5, kAxisColour);
    svg.text(at, y.px_min + 18, tick.label, Anchor::kMiddle);
  }
  for (const Tick& tick : y_ticks) {
    const double at = y.to_px(tick.value);
    svg.line(x.px_min, at, x.px_max, at, kGridColour);
    svg.line(x.px_min - 5, at, x.px_min, at, kAxisColour);
    svg.text(x.px_min - 8, at + 4, tick.label, Anchor::kEnd);
  }
  svg.line(x.px_min, y.px_min, x.px_max, y.px_min, kAxisColour);
  svg.line(x.px_min, y.px_min, x.px_min, y.px_max, kAxisColour);
  svg.text((x.px_min + x.px_max) / 2, y.px_min + 40, x_label, Anchor::kMiddle, 14);
  const double y_middle = (y.px_min + y.px_max) / 2;
  svg.text(x.px_min - 55, y_middle, y_label, Anchor::kMiddle, 14, "#000000", -90);
}

void legend_entry(SvgDocument& svg, double x, double y, std::string_view colour,
                  std::string_view text) {
  svg.rect(x, y - 10, 12, 12, colour);
  svg.text(x + 18, y, text);
}

}  // namespace quesdral::render
