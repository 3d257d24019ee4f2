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

// A tool of one input, a named value and a table, declaring a result its reports may lack.
Tool table_tool() {
  Tool tool;
  tool.command = "steps.exe";
  tool.inputs = {real_input("START_HZ", "Start").also_named("C4", 261.6)};
  tool.output.fields = {number_field("speed_m_per_s", "speed"),
                        text_field("verdict", "verdict", {"met", "not_met"})};
  tool.output.tables = {
      {"steps",
       "steps",
       {integer_field("step", "k"), text_field("note", "name"), flag_field("low", "low")}},
      {"other", "an empty table", {number_field("x", "x")}}};
  return tool;
}

Report table_report() {
  Table table;
  table.add_column("Step");
  table.add_column("Note", Table::Align::kLeft);
  table.add_hidden_column("low");
  table.add_column("Bar", Table::Align::kLeft);
  table.add_row(
      {Table::Cell::integer(0), Table::Cell::worded("C4*", "C4"), Table::Cell::integer(1), "##"});
  return Results()
      .add("Speed", 343.0, "m/s")
      .add_text("Verdict", "met (fully)")
      .data_word("verdict", "met")
      .add_table("steps", table)
      .add_note("* a\n")
      .finish()
      .report;
}

// The text keeps what only a reader needs (the bar, the worded verdict, the footnote); csv
// and json write the declared fields and nothing else, in their order, null for a value the
// report lacks (verdict's word, here; the table "other").
TEST(ReportWriter, EachFormatWritesTheSameReport) {
  const Tool tool = table_tool();
  Values values(1);
  values[0] = 261.6;
  values.set_name(0, "C4");
  const CaseHead head{std::nullopt, "c4", &values, ""};
  EXPECT_EQ(ReportWriter(tool, Format::kText).write(table_report(), head),
            "Speed: 343.000 m/s\nVerdict: met (fully)\nStep  Note  Bar\n   0  C4*   ##\n* a\n");
  EXPECT_EQ(
      ReportWriter(tool, Format::kJson).write(table_report(), head),
      "{\"line\":null,\"input\":\"c4\",\"start_hz\":\"C4\",\"start_hz_value\":261.6,"
      "\"speed_m_per_s\":343,\"verdict\":\"met\","
      "\"steps\":[{\"step\":0,\"note\":\"C4\",\"low\":true}],\"other\":null,\"error\":null}\n");
  EXPECT_EQ(ReportWriter(tool, Format::kCsv).write(table_report(), head),
            "line,input,start_hz,start_hz_value,step,note,low,error\r\n"
            ",c4,C4,261.6,0,C4,true,\r\n");
  EXPECT_EQ(ReportWriter(tool, Format::kCsv, kSummaryTable).write(table_report(), head),
            "line,input,start_hz,start_hz_value,speed_m_per_s,verdict,error\r\n"
            ",c4,C4,261.6,343,met,\r\n");
}

// A refused batch line keeps its place: its line, the values as typed and the reason, every
// other field null, in csv and json; the text leaves it to the error stream.
TEST(ReportWriter, ARefusedLineLeavesARecordOfTheSameShape) {
  const Tool tool = table_tool();
  const CaseHead refused{3, "x, \"y\"", nullptr, "START_HZ: 'x' is not a number"};
  EXPECT_EQ(ReportWriter(tool, Format::kText).write({}, refused), "");
  EXPECT_EQ(ReportWriter(tool, Format::kJson).write({}, refused),
            "{\"line\":3,\"input\":\"x, \\\"y\\\"\",\"start_hz\":null,\"start_hz_value\":null,"
            "\"speed_m_per_s\":null,\"verdict\":null,\"steps\":null,\"other\":null,"
            "\"error\":\"START_HZ: 'x' is not a number\"}\n");
  ReportWriter csv(tool, Format::kCsv, "other");
  EXPECT_EQ(csv.write({}, refused),
            "line,input,start_hz,start_hz_value,x,error\r\n"
            "3,\"x, \"\"y\"\"\",,,,START_HZ: 'x' is not a number\r\n");
  EXPECT_EQ(csv.write({}, refused), "3,\"x, \"\"y\"\"\",,,,START_HZ: 'x' is not a number\r\n");
}

}  // namespace
}  // namespace quesdral::cli
