// Identifiers shared by the resource script and the code that loads the resources.
#pragma once

// The program icon: the lowest icon identifier, so that the shell shows it for
// the executable.
#define TARNSEL_PROGRAM_ICON 1
