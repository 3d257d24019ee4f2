// The main of a fuzz target in an ordinary build, where no fuzzing engine is linked: it feeds
// saved inputs to the target's LLVMFuzzerTestOneInput, the entry the engine calls, one input
// a call. Each test build runs the committed corpus this way (a ctest test per target), so the
// seeds and every finding kept among them run under each compiler, each sanitizer and the
// 32-bit x86 emulator, not only under the fuzz build.
//
//   <target> FILE_OR_FOLDER...
//
// A folder stands for the files directly in it, in name order, so that a run is the same on
// every machine. A target reports a finding by aborting; the input is named on stderr before
// it runs, so the report says which. An argument that is missing, unreadable or an empty
// folder fails the run: a corpus that is not found must not pass as a corpus replayed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

enum ExitStatus { kAllReplayed = 0, kUsageError = 2 };

// The files an argument names: itself, or the regular files in the folder it is.
std::vector<fs::path> inputs_named_by(const fs::path& argument) {
  std::error_code error;
  if (!fs::is_directory(argument, error))
    return {argument};
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(argument, error)) {
    if (entry.is_regular_file(error))
      files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::optional<std::string> read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad())
    return std::nullopt;
  return bytes;
}

// As the engine does, the input lies in a buffer of exactly its size, so that the sanitizers
// catch a read one byte past its end (a std::string has its terminator there).
void replay(const std::string& bytes) {
  const auto copy = std::make_unique<std::uint8_t[]>(bytes.size());
  if (!bytes.empty())
    std::memcpy(copy.get(), bytes.data(), bytes.size());
  LLVMFuzzerTestOneInput(copy.get(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE_OR_FOLDER...\n", argv[0]);
    return kUsageError;
  }
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    const std::vector<fs::path> files = inputs_named_by(argv[i]);
    if (files.empty()) {
      std::fprintf(stderr, "%s: %s holds no input to replay\n", argv[0], argv[i]);
      return kUsageError;
    }
    for (const fs::path& file : files) {
      const std::optional<std::string> bytes = read_file(file);
      if (!bytes) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], file.string().c_str());
        return kUsageError;
      }
      std::fprintf(stderr, "%s\n", file.string().c_str());
      std::fflush(stderr);
      replay(*bytes);
      ++replayed;
    }
  }
  std::printf("%zu inputs replayed, no finding\n", replayed);
  return kAllReplayed;
}
