// Placeholder until the random generator lands.
#include "tarnvik/values.h"

void SeedRandom(RtInt) {}
