#pragma once
// kalvo-batch: the calculation run from the command line. Loads a .kvo file,
// runs the calculation with the options given and prints the report.

#include <ostream>
#include <string>
#include <vector>

// Exit status: 0 success, 1 bad usage, 2 file cannot be read or written.
int KalvoBatch(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);
