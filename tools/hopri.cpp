// HOPRI: the beat frequency and beat period of two sine waves.
#include "acoustics/spectra.hpp"
#include "cli/cli.hpp"

namespace {

using quesdral::cli::Outcome;
using quesdral::cli::Results;
namespace acoustics = quesdral::acoustics;

Outcome compute(const std::vector<double>& values) {
  const acoustics::Beats beats = acoustics::beats(values[0], values[1]);
  Results results;
  results.add("Beat frequency", beats.frequency_hz, "Hz");
  if (beats.beating) {
    results.add("Beat period", beats.period_s, "s");
  } else {
    results.add_text("Beat period", "no beating");
  }
  return results.finish();
}

quesdral::cli::Tool make_tool() {
  using namespace quesdral::cli;
  Tool tool;
  tool.command = "hopri.exe";
  tool.label = "HOPRI";
  tool.description = "It calculates the beat frequency between two sine waves";
  tool.help =
      "Computes how fast two sine waves of nearby frequencies beat (swell and fade):\n"
      "  beat frequency = |FREQUENCY_1_HZ - FREQUENCY_2_HZ| Hz,  beat period = 1 / that, in s\n"
      "Equal frequencies do not beat: 0 Hz and \"no beating\" instead of a period.\n"
      "Both frequencies must be above 0.\n"
      "\n"
      "Example: hopri.exe 440 442  prints  Beat frequency: 2.00000 Hz, Beat period: 0.500000 s\n";
  tool.inputs = {
      real_input("FREQUENCY_1_HZ", "First frequency (Hz)")
          .checked_by(must_be_positive("first frequency must be above 0 Hz")),
      real_input("FREQUENCY_2_HZ", "Second frequency (Hz)")
          .checked_by(must_be_positive("second frequency must be above 0 Hz")),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(make_tool(), argc, argv);
}
