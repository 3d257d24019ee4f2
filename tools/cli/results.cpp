#include "cli/results.hpp"

#include <cmath>
#include <limits>
#include <utility>

#include "cli/number_format.hpp"
#include "cli/report_format.hpp"

namespace quesdral::cli {

std::string render_text(const Report& report) {
  std::string text;
  for (const ReportItem& item : report) {
    switch (item.kind) {
      case ReportItem::Kind::kField:
        if (!item.field.shown)
          break;
        text.append(item.field.label).append(": ").append(item.field.text);
        if (!item.field.unit.empty())
          text.append(" ").append(item.field.unit);
        if (!item.field.remark.empty())
          text.append(" ").append(item.field.remark);
        text += '\n';
        break;
      case ReportItem::Kind::kTable:
        item.table.render_to(text);
        break;
      case ReportItem::Kind::kNote:
        text += item.note;
        break;
    }
  }
  return text;
}

namespace {

Field shown_field(std::string_view label, std::string_view unit, std::string_view text,
                  std::optional<double> number, std::string_view remark) {
  Field field;
  field.label = label;
  field.unit = unit;
  field.text = text;
  field.number = number;
  field.remark = remark;
  return field;
}

}  // namespace

Outcome Outcome::success(Report report) {
  return {std::move(report), {}, std::nullopt};
}

Outcome Outcome::failure(std::string error, std::optional<std::size_t> mended_by) {
  if (error.empty())
    error = "the result cannot be computed";
  return {{}, std::move(error), mended_by};
}

Results& Results::add(std::string_view label, double value, std::string_view unit,
                      std::string_view remark) {
  if (!std::isfinite(value)) {
    return fail("the result (" + std::string(label) +
                ") is too large to show: its magnitude would exceed 1.79769e+308");
  }
  return add_field(shown_field(label, unit, format_number(value), value, remark));
}

Results& Results::add_magnitude(std::string_view label, double value, std::string_view unit,
                                std::string_view remark) {
  // Below the normal range format_number shows the digits that are still true, as for any
  // result; a magnitude with none left would read as 0, which it is not.
  if (std::isfinite(value) && shows_as_zero(value)) {
    return fail("the result (" + std::string(label) +
                ") is too small to show: its magnitude would be below 1e-321");
  }
  return add(label, value, unit, remark);
}

Results& Results::add_integer(std::string_view label, long long value, std::string_view remark) {
  return add_field(
      shown_field(label, {}, format_integer(value), static_cast<double>(value), remark));
}

Results& Results::add_text(std::string_view label, std::string_view text) {
  return add_field(shown_field(label, {}, text, std::nullopt, {}));
}

Results& Results::as(std::string_view key) {
  if (!report_.empty())
    report_.back().field.key = key;
  return *this;
}

Results& Results::shown_as(std::string_view text) {
  if (!report_.empty())
    report_.back().field.text = text;
  return *this;
}

Results& Results::data_number(std::string_view key, double value) {
  Field field;
  field.key = key;
  field.number = value;
  field.shown = false;
  return add_field(std::move(field));
}

Results& Results::data_word(std::string_view key, std::string_view word) {
  Field field;
  field.key = key;
  field.word = word;
  field.shown = false;
  return add_field(std::move(field));
}

Results& Results::data_flag(std::string_view key, bool value) {
  return data_number(key, value ? 1.0 : 0.0);
}

Results& Results::add_table(std::string_view name, Table table) {
  ReportItem item{ReportItem::Kind::kTable, {}, std::string(name), std::move(table), {}};
  report_.push_back(std::move(item));
  return *this;
}

Results& Results::add_note(std::string_view text) {
  report_.push_back({ReportItem::Kind::kNote, {}, {}, {}, std::string(text)});
  return *this;
}

Results& Results::fail(std::string error) {
  if (error_.empty())
    error_ = std::move(error);
  return *this;
}

Outcome Results::finish(std::optional<std::size_t> mended_by) {
  return error_.empty() ? Outcome::success(std::move(report_))
                        : Outcome::failure(std::move(error_), mended_by);
}

Results& Results::add_field(Field field) {
  if (field.key.empty() && field.shown)
    field.key = column_key(field.label, field.unit);
  report_.push_back({ReportItem::Kind::kField, std::move(field), {}, {}, {}});
  return *this;
}

}  // namespace quesdral::cli
