#include "cli/report_format.hpp"

#include <gtest/gtest.h>

#include <string>

#include "cli/csv_writer.hpp"
#include "cli/json_writer.hpp"

namespace quesdral::cli {
namespace {

TEST(ColumnKey, NamesAColumnWithItsUnit) {
  struct Case {
    const char* label;
    const char* unit;
    const char* key;
  };
  const Case cases[] = {
      {"Level", "dB", "level_db"},
      {"Frequency (Hz)", "", "frequency_hz"},
      {"Speed of sound", "m/s", "speed_of_sound_m_per_s"},
      {"Bandwidth (Carson's rule)", "Hz", "bandwidth_carsons_rule_hz"},
      {"Sound power level", "dB re 1e-12 W", "sound_power_level_db_re_1e_12_w"},
      {"p", "", "p"},
      // Letters and digits end where their neighbours in ASCII begin.
      {"Note [C4]~{x}", "", "note_c4_x"},
      {"A@Z[a`z{9:0", "", "a_z_a_z_9_0"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(column_key(c.label, c.unit), c.key) << c.label;
}

TEST(CsvWriter, QuotesOnlyWhatNeedsQuoting) {
  CsvWriter csv;
  for (const char* field : {"plain", "a,b", "say \"hi\"", "two\nlines", "", "cr\r"})
    csv.field(field);
  csv.end_record();
  csv.field("next");
  csv.end_record();
  EXPECT_EQ(csv.text(), "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",,\"cr\r\"\r\nnext\r\n");
}

TEST(JsonWriter, EscapesTextsAndPlacesSeparators) {
  JsonWriter json;
  json.begin_object();
  json.key("text");
  json.string("quote \" backslash \\ tab \t bell \a new\nline\r");
  json.key("list");
  json.begin_array();
  json.number(0.1);
  json.number(-2.5e-300);
  json.begin_object();
  json.end_object();
  json.end_array();
  json.end_object();
  EXPECT_EQ(json.text(),
            "{\"text\":\"quote \\\" backslash \\\\ tab \\t bell \\u0007 new\\nline\\r\","
            "\"list\":[0.1,-2.5e-300,{}]}");

  // A closed object or array, empty or not, leaves its parent as it found it.
  JsonWriter nested;
  nested.begin_object();
  nested.key("a");
  nested.begin_object();
  nested.end_object();
  nested.key("b");
  nested.begin_array();
  nested.end_array();
  nested.key("c");
  nested.number(1);
  nested.end_object();
  EXPECT_EQ(nested.text(), "{\"a\":{},\"b\":[],\"c\":1}");
}

Report table_report() {
  Table table;
  table.add_column("Step");
  table.add_column("Note", Table::Align::kLeft);
  table.add_row({Table::Cell::integer(0), "C4"});
  return Results()
      .add("Speed", 343.0, "m/s")
      .add_table("steps", table)
      .add_note("* a\n")
      .finish()
      .report;
}

TEST(ReportWriter, EachFormatWritesTheSameReport) {
  EXPECT_EQ(ReportWriter(Format::kText, false).write(table_report()),
            "Speed: 343.000 m/s\nStep  Note\n   0  C4\n* a\n");
  EXPECT_EQ(ReportWriter(Format::kJson, false).write(table_report()),
            "{\"speed_m_per_s\":343,\"steps\":[{\"step\":0,\"note\":\"C4\"}]}\n");
  EXPECT_EQ(ReportWriter(Format::kCsv, false).write(table_report()), "step,note\r\n0,C4\r\n");
}

TEST(ReportWriter, ABatchWritesOneCsvHeaderAndNumbersTableRows) {
  ReportWriter csv(Format::kCsv, true);
  EXPECT_EQ(csv.write(table_report(), 1), "case,step,note\r\n1,0,C4\r\n");
  EXPECT_EQ(csv.write(table_report(), 3), "3,0,C4\r\n");
  ReportWriter text(Format::kText, true);
  const Report level = Results().add("Level", -6.0, "dB").finish().report;
  EXPECT_EQ(text.write(level, 1), "Level: -6.00000 dB\n");
  EXPECT_EQ(text.write(level, 2), "\nLevel: -6.00000 dB\n");
  // Without a table a case is one record of its fields: no case column, notes left out.
  ReportWriter fields(Format::kCsv, true);
  const Report noted = Results().add("Level", -6.0, "dB").add_note("* a\n").finish().report;
  EXPECT_EQ(fields.write(noted, 1), "level_db\r\n-6\r\n");
  EXPECT_EQ(fields.write(noted, 2), "-6\r\n");
}

}  // namespace
}  // namespace quesdral::cli
