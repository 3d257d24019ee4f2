// The files a run renders beside its results (--wav, --svg): each case's are made in
// memory once the case is computed, and written only when the results are.
#include <utility>

#include "cli/number_parse.hpp"
#include "cli/run.hpp"

namespace quesdral::cli::internal {
namespace {

std::string cannot_write(const char* what, const std::string& path, const std::string& reason) {
  return std::string("cannot write ") + what + " " + quote(path) + ": " + reason;
}

}  // namespace

std::optional<std::string> Run::target_problem(bool batch) const {
  for (const Rendering& rendering : tool_.renderings) {
    if (rendering.check_options) {
      if (auto reason = rendering.check_options(values_))
        return reason;
    }
    if (!values_.has_option(rendering.option))
      continue;
    const std::string path = values_.option_value(rendering.option);
    if (path.empty())
      return std::string(rendering.option) + " needs a file name";
    if (auto reason = unusable_target(path); reason && !batch)
      return cannot_write(rendering.what, path, *reason);
  }
  return std::nullopt;
}

// A file that cannot be made, or whose target is no regular file, refuses the case like a
// value would; the refusal's question is the tool's choice (the last input by default).
std::optional<Problem> Run::render_files() {
  rendered_.clear();
  const std::size_t last = tool_.inputs.size() - 1;
  for (const Rendering& rendering : tool_.renderings) {
    if (!values_.has_option(rendering.option))
      continue;
    std::string path = numbered_path(values_.option_value(rendering.option), line_number_);
    if (auto reason = unusable_target(path)) {
      rendered_.clear();
      return Problem{cannot_write(rendering.what, path, *reason), last};
    }
    Rendered file = rendering.render(values_);
    if (!file.error.empty()) {
      rendered_.clear();
      return Problem{std::move(file.error), file.mended_by.value_or(last)};
    }
    rendered_.push_back({std::move(path), rendering.what, std::move(file.bytes)});
  }
  return std::nullopt;
}

bool Run::write_rendered_files() {
  for (const RenderedFile& file : rendered_) {
    if (auto reason = write_whole_file(file.path, file.bytes)) {
      report(cannot_write(file.what, file.path, *reason));
      rendered_.clear();
      return false;
    }
  }
  rendered_.clear();
  return true;
}

}  // namespace quesdral::cli::internal
