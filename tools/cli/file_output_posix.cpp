// Whole-file writes on POSIX systems: a new file opened exclusively beside the target,
// written, flushed to the disk, then renamed over the target.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/rendering.hpp"

namespace quesdral::cli {
namespace {

// Attempts at a free temporary name before giving up; each name holds the process id, so
// only a left-over of an earlier process with the same id can take one.
constexpr int kNameAttempts = 100;

std::string reason_of(int error) {
  return std::strerror(error);
}

bool write_all(int fd, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      if (n == 0)
        errno = ENOSPC;
      return false;
    }
    written += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::optional<std::string> unusable_target(const std::string& path) {
  if (path.empty())
    return std::string("the file name is empty");
  struct stat status {};
  // lstat, not stat: a link is replaced by the rename, not the file it points to, so it is
  // refused like any other file that is not a regular one.
  if (::lstat(path.c_str(), &status) != 0)
    return std::nullopt;
  if (S_ISREG(status.st_mode))
    return std::nullopt;
  return "it exists and is not a regular file";
}

std::optional<std::string> write_whole_file(const std::string& path, const std::string& bytes) {
  if (auto reason = unusable_target(path))
    return reason;
  const std::string stem = path + ".part-" + std::to_string(::getpid());
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
    temporary = stem + "-" + std::to_string(attempt);
    // O_EXCL: never opens anything that exists, so no device or link is ever written through.
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST)
      return reason_of(errno);
  }
  if (fd < 0)
    return reason_of(EEXIST);
  const bool written = write_all(fd, bytes) && ::fsync(fd) == 0;
  const int write_error = errno;
  if (::close(fd) != 0 || !written) {
    const int error = written ? errno : write_error;
    ::unlink(temporary.c_str());
    return reason_of(error);
  }
  // The target may have become something else while the file was written.
  if (auto reason = unusable_target(path)) {
    ::unlink(temporary.c_str());
    return reason;
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    return reason_of(error);
  }
  return std::nullopt;
}

}  // namespace quesdral::cli
