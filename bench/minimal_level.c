/* The floor a trivial tool run is measured against: a minimal C program that reads one
   number with strtod, computes its level with log10 and prints it with printf, as
   `vorlix.exe 0.5` does, and nothing else. */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
  const double amplitude = argc > 1 ? strtod(argv[1], NULL) : 0.5;
  printf("Level: %.5f dB\n", 20.0 * log10(fabs(amplitude)));
  return 0;
}
