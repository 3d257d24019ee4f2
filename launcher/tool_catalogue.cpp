#include "tool_catalogue.hpp"

namespace quesdral {
namespace {

constexpr std::size_t kNumberColumns = 2;
constexpr std::size_t kLabelColumns = 10;
// The widest row, FENZO's, takes 77 columns; a wider one would crowd the right edge of an
// 80-column console.
constexpr std::size_t kMaxMenuColumns = 77;
constexpr std::size_t kLinesBeforeRowOne = 2;

constexpr std::size_t text_length(const char* text) {
  std::size_t length = 0;
  while (text[length] != '\0')
    ++length;
  return length;
}

// The columns a row's line takes on screen, after its line breaks.
constexpr std::size_t menu_columns(const ToolEntry& entry) {
  return 1 + kNumberColumns + 1 + kLabelColumns + text_length(entry.description);
}

static_assert(
    [] {
      for (const ToolEntry& entry : kToolCatalogue) {
        if (text_length(entry.label) >= kLabelColumns || menu_columns(entry) > kMaxMenuColumns)
          return false;
      }
      return true;
    }(),
    "every label leaves a blank before the description and every line fits 77 columns");

struct MenuLine {
  char text[kLinesBeforeRowOne + 1 + kMaxMenuColumns] = {};
  std::size_t size = 0;

  // Past the end of `text` characters are dropped; the assertion above keeps every row
  // within it.
  constexpr void append(char c) {
    if (size < sizeof text)
      text[size++] = c;
  }
  constexpr void append(const char* field) {
    for (; *field != '\0'; ++field)
      append(*field);
  }
  constexpr void pad_to(std::size_t end) {
    while (size < end)
      append(' ');
  }
};

constexpr MenuLine make_menu_line(const ToolEntry& entry) {
  MenuLine line;
  const std::size_t breaks = entry.number == 1 ? 1 + kLinesBeforeRowOne : 1;
  for (std::size_t i = 0; i < breaks; ++i)
    line.append('\n');
  line.append(' ');
  const std::size_t number_start = line.size;
  if (entry.number >= 10)
    line.append(static_cast<char>('0' + entry.number / 10));
  line.append(static_cast<char>('0' + entry.number % 10));
  line.pad_to(number_start + kNumberColumns);
  line.append(' ');
  const std::size_t label_start = line.size;
  line.append(entry.label);
  line.pad_to(label_start + kLabelColumns);
  line.append(entry.description);
  return line;
}

constexpr std::array<MenuLine, kToolCount> make_menu_lines() {
  std::array<MenuLine, kToolCount> lines{};
  for (std::size_t i = 0; i < kToolCount; ++i)
    lines[i] = make_menu_line(kToolCatalogue[i]);
  return lines;
}

constexpr std::array<MenuLine, kToolCount> kMenuLines = make_menu_lines();

}  // namespace

const ToolCatalogue& tool_catalogue() {
  return kToolCatalogue;
}

std::string_view format_menu_line(const ToolEntry& entry) {
  const MenuLine& line = kMenuLines[static_cast<std::size_t>(entry.number - 1)];
  return {line.text, line.size};
}

const ToolEntry* find_tool(long long number) {
  if (number < 1 || number > static_cast<long long>(kToolCount))
    return nullptr;
  return &kToolCatalogue[static_cast<std::size_t>(number - 1)];
}

}  // namespace quesdral
