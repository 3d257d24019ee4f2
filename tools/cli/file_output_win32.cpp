// Whole-file writes on Windows: a new file created beside the target (CREATE_NEW), written,
// flushed, then moved over the target with MoveFileEx.
#include <windows.h>

#include <string>

#include "cli/rendering.hpp"

namespace quesdral::cli {
namespace {

constexpr int kNameAttempts = 100;

std::string reason_of(DWORD error) {
  char text[256] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, text, sizeof text, nullptr);
  std::string reason(text, length);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                             reason.back() == '.' || reason.back() == ' '))
    reason.pop_back();
  return reason.empty() ? "error " + std::to_string(error) : reason;
}

bool write_all(HANDLE file, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const std::size_t chunk =
        bytes.size() - written < 0x40000000 ? bytes.size() - written : 0x40000000;
    DWORD n = 0;
    if (!WriteFile(file, bytes.data() + written, static_cast<DWORD>(chunk), &n, nullptr) || n == 0)
      return false;
    written += n;
  }
  return true;
}

}  // namespace

std::optional<std::string> unusable_target(const std::string& path) {
  if (path.empty())
    return std::string("the file name is empty");
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0)
    return std::string("it exists and is not a regular file");
  // Device names (NUL, CON, COM1) exist in every folder; only opening one tells.
  const HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return std::nullopt;
  const DWORD type = GetFileType(file);
  CloseHandle(file);
  if (type != FILE_TYPE_DISK)
    return std::string("it exists and is not a regular file");
  return std::nullopt;
}

std::optional<std::string> write_whole_file(const std::string& path, const std::string& bytes) {
  if (auto reason = unusable_target(path))
    return reason;
  const std::string stem = path + ".part-" + std::to_string(GetCurrentProcessId());
  std::string temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < kNameAttempts && file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = stem + "-" + std::to_string(attempt);
    file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
      return reason_of(GetLastError());
  }
  if (file == INVALID_HANDLE_VALUE)
    return reason_of(ERROR_FILE_EXISTS);
  const bool written = write_all(file, bytes) && FlushFileBuffers(file);
  const DWORD write_error = GetLastError();
  if (!CloseHandle(file) || !written) {
    const DWORD error = written ? GetLastError() : write_error;
    DeleteFileA(temporary.c_str());
    return reason_of(error);
  }
  if (auto reason = unusable_target(path)) {
    DeleteFileA(temporary.c_str());
    return reason;
  }
  if (!MoveFileExA(temporary.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileA(temporary.c_str());
    return reason_of(error);
  }
  return std::nullopt;
}

}  // namespace quesdral::cli
