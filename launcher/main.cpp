#include "launch_flow.hpp"

int main() {
  return quesdral::run_launcher();
}
