/* The floor the launcher is measured against: a minimal C program that writes the same
   screen with one fputs and reads one number with scanf, and nothing else. */
#include <stdio.h>

static const char screen[] =
    "\n  +-----------------------------------------------------------------+"
    "\n  |  Q U E S D R A L                                                |"
    "\n  +-----------------------------------------------------------------+"
    "\n\n"
    "\n 1  VORLIX    It converts raw amplitude to dBs"
    "\n 2  TRUSKA    It converts dBs to raw amplitude"
    "\n 3  QUILBERN  It converts raw amplitude to dB in full scale (dBFS)"
    "\n 4  NOSKARTE  It converts dB in full scale (dBFS) to raw amplitude"
    "\n 5  PELUNDA   It converts Watts to dBs"
    "\n 6  ZORIVEK   It converts dBs to Watts"
    "\n 7  FENZO     It finds the amplitude [dB] according to the inverse square law"
    "\n 8  BRASKEL   It converts Hz to MIDI numbers"
    "\n 9  TOLVENI   It converts MIDI numbers to Hz"
    "\n 10 LIPRA     It calculates the frequency of overtones in periodic sounds"
    "\n 11 QUAV      It calculates the sidebands frequency in AM synthesis"
    "\n 12 ZIRR      It calculates the sidebands frequency in FM synthesis"
    "\n 13 RUMBEL    It divides the octave in equal parts"
    "\n 14 HOPRI     It calculates the beat frequency between two sine waves"
    "\n 15 SALDUVEN  It calculates the center frequency of a bandpass filter"
    "\n 16 WIRN      It calculates the time interval between echoes"
    "\n 17 GRENDAX   It calculates the frequency of Doppler shift"
    "\n 18 YOMBRIC   It calculates the frequencies of standing waves in a room"
    "\n\n ENTER A NUMBER ON THE LIST TO EXECUTE A PROGRAM ==> ";

int main(void) {
  int reply = 0;
  fputs(screen, stdout);
  return scanf("%d", &reply) == 1 ? 0 : 0;
}
