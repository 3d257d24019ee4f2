// Files a tool renders from a case besides its results: the sound the result describes
// (--wav) or a picture of it (--svg).
//
// A Rendering is pure: from a case's values it makes the whole file in memory, or says why
// it cannot (a refusal of the values, like a tool's own). The run writes the file only once
// the case is computed and rendered, so a refused case leaves no file behind.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "cli/input.hpp"

namespace quesdral::cli {

// The bytes of a rendered file, or the reason it cannot be made.
struct Rendered {
  std::string bytes;
  std::string error;  // non-empty exactly when refused
  // The input whose new value can mend a refusal; nothing means the last input.
  std::optional<std::size_t> mended_by;

  static Rendered refusal(std::string error, std::optional<std::size_t> mended_by = {}) {
    return {{}, std::move(error), mended_by};
  }
};

using RenderFn = std::function<Rendered(const Values& values)>;

// A file the tool writes when `option` ("--wav") is given, to the path given with it.
struct Rendering {
  const char* option = "";  // the tool option that names the file
  const char* what = "";    // "the WAV file", for messages
  RenderFn render;
  // Why the rendering's options as given cannot be used ("--duration must be ..."), checked
  // before any case is computed; none: any value will do.
  std::function<std::optional<std::string>(const Values& values)> check_options;
};

// The file a batch writes for the case on input line `line`: "-<line>" is added before the
// extension of the last part of `path` ("out.wav" becomes "out-3.wav", "out" "out-3"); 0, a
// case given as arguments or answers, keeps `path` as it is.
std::string numbered_path(const std::string& path, std::size_t line);

// Why nothing can be written at `path`: it exists and is not a regular file (a device such
// as /dev/null, a folder, a link), or it is empty. Nothing when it can be written.
std::optional<std::string> unusable_target(const std::string& path);

// Writes `bytes` to `path` whole: into a new file beside it, renamed over it only when all
// is written and flushed, and only when `path` is absent or a regular file. On failure no
// new file is left behind and the reason is returned ("No space left on device").
std::optional<std::string> write_whole_file(const std::string& path, const std::string& bytes);

}  // namespace quesdral::cli
