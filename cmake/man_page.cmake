# Writes one man page, run by the build as a script (cmake -P) from cmake/man_pages.cmake:
#   -D OUTPUT=<page.1>   writes <page.1>, and <page.1>.gz compressed as Debian wants it
# and either
#   -D PAGE=<file>       a page written by hand, taken as it is
# or
#   -D PROGRAM=<tool> -D NAME=<what it does> -D INCLUDE=<help2man include file>
#   -D HELP2MAN=<help2man>
#                        a page made by help2man from the tool's --help and --version
# and -D GZIP=<gzip>.
#
# help2man reads the layout of a help text by rules of thumb made for other programs' help.
# Where they misread ours, the page is mended afterwards, so that the help text stays
# written for the terminal:
# - The synopsis: only a capitalised "Usage:" is taken for one; our tools write "usage:".
# - A sentence that ends in a colon before an indented formula ("Computes the level of an
#   amplitude ...:") would become a subsection heading; it stays a sentence.
# - An indented line with two blanks inside (hopri's two formulas on one line) would become
#   a tagged paragraph; it stays one indented paragraph. Indented lines that follow each
#   other (salduven's formulas) would be run together; each keeps a line of its own.
# - Every word that starts with a dash is set in bold as an option. The descriptions name
#   no option (those are listed under OPTIONS), only numbers and terms such as -6.02060 dB,
#   -273.15 or -c, so the bold is taken off there.
# - The example's further lines, indented under its first, would become a paragraph of
#   their own; they stay with the first, under "Example:" as a tag, one result a line,
#   and the example's command is set in bold. A further example (a line that starts with
#   the command) would run into the one before; it starts a line of its own, in bold too.
cmake_minimum_required(VERSION 3.25)

if(DEFINED PAGE)
  file(READ ${PAGE} page)
else()
  # help2man runs the program through the shell, unquoted: started from its own folder, a
  # build folder whose path holds blanks does no harm.
  get_filename_component(program_dir ${PROGRAM} DIRECTORY)
  get_filename_component(program_name ${PROGRAM} NAME)
  execute_process(
    COMMAND ${HELP2MAN} --no-info --section=1 --name=${NAME} --include=${INCLUDE}
            --output=${OUTPUT}.help2man ./${program_name}
    WORKING_DIRECTORY ${program_dir}
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "help2man could not write the page of ${PROGRAM}")
  endif()
  file(READ ${OUTPUT}.help2man page)
  file(REMOVE ${OUTPUT}.help2man)

  # A help text laid out otherwise than these rules expect keeps help2man's page as it is;
  # the package check then finds what is missing from it.
  string(FIND "${page}" "\n.SH DESCRIPTION\n" description_at)
  string(FIND "${page}" "\n.SH OPTIONS\n" options_at)
  if(description_at EQUAL -1 OR options_at LESS description_at)
    message(WARNING "${PROGRAM}: help2man found no description before the options; "
                    "its page is left as help2man wrote it")
  else()
    string(SUBSTRING "${page}" 0 ${description_at} head)
    math(EXPR body_at "${description_at} + 17")
    math(EXPR body_length "${options_at} - ${body_at}")
    string(SUBSTRING "${page}" ${body_at} ${body_length} body)
    string(SUBSTRING "${page}" ${options_at} -1 tail)

    set(synopsis "")
    if(body MATCHES "^usage: ([^ \n]+) ([^\n]*)\n(\\.PP\n)?")
      set(command "${CMAKE_MATCH_1}")
      set(arguments "${CMAKE_MATCH_2}")
      string(LENGTH "${CMAKE_MATCH_0}" usage_length)
      string(SUBSTRING "${body}" ${usage_length} -1 body)
      string(REGEX REPLACE "([A-Z][A-Z0-9_]*)" "\\\\fI\\1\\\\fR" arguments "${arguments}")
      set(synopsis "\n.SH SYNOPSIS\n.B ${command}\n${arguments}")
    endif()
    string(REGEX REPLACE "\\.SS \"([^\"\n]*)\"\n" ".PP\n\\1\n" body "${body}")
    string(REPLACE "\n.TP\n" "\n.IP\n" body "${body}")
    string(REGEX REPLACE "\\\\fB(\\\\-[^\\\\]*)\\\\fR" "\\1" body "${body}")
    # One formula to a line, as in the help (one more line break each round).
    set(previous "")
    while(NOT body STREQUAL previous)
      set(previous "${body}")
      string(REGEX REPLACE "(\n\\.IP\n[^.\n][^\n]*(\n\\.br\n[^.\n][^\n]*)*)\n([^.\n])"
                           "\\1\n.br\n\\3" body "${body}")
    endwhile()
    # The example: a line that starts with a capital is a result of its own (its label),
    # one that does not goes on the line before it.
    string(FIND "${body}" "\n.PP\nExample: " example_at)
    if(NOT example_at EQUAL -1)
      string(SUBSTRING "${body}" 0 ${example_at} before_example)
      string(SUBSTRING "${body}" ${example_at} -1 example)
      string(REPLACE "\n.IP\n" "\n.br\n" example "${example}")
      string(REGEX REPLACE "\n\\.br\n([^A-Z])" "\n\\1" example "${example}")
      string(REGEX REPLACE "^\n\\.PP\nExample: ([^ \n]+( [^ \n]+)*)  "
                           "\n.TP 10n\nExample:\n\\\\fB\\1\\\\fR  " example "${example}")
      # A further example starts a line of its own, as in the help, its command in bold
      # (options and all): "tool.exe --flats 12  names ..." as help2man left it on one
      # line, or broken after the command at the two blanks.
      string(REGEX REPLACE "\\\\fB(\\\\-[^\\\\\n]*(\\\\-[^\\\\\n]*)*)\\\\fR" "\\1" example
                           "${example}")
      string(REGEX REPLACE "\n([a-z][A-Za-z]*\\.exe( [^ \n]+)*)  "
                           "\n.br\n\\\\fB\\1\\\\fR  " example "${example}")
      string(REGEX REPLACE "\n([a-z][A-Za-z]*\\.exe( [^ \n]+)*)\n([^.\n])"
                           "\n.br\n\\\\fB\\1\\\\fR  \\3" example "${example}")
      set(body "${before_example}${example}")
    endif()

    string(REGEX REPLACE "^(\\.\\\\\"[^\n]*\n)"
                         "\\1.\\\\\" Its layout was then mended by cmake/man_page.cmake.\n"
                         head "${head}")
    set(page "${head}${synopsis}\n.SH DESCRIPTION\n${body}${tail}")
  endif()
endif()

file(WRITE ${OUTPUT} "${page}")
execute_process(COMMAND ${GZIP} -9n -c ${OUTPUT} OUTPUT_FILE ${OUTPUT}.gz RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip could not compress ${OUTPUT}")
endif()
