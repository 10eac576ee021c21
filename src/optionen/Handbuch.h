#pragma once
// The manual page of kalvo-batch: its options section is made from the
// option table, so that `man kalvo-batch` names every option exactly as
// `--help` does.

#include <string>

// The roff of every option, in the order of `--help`: a ".TP" paragraph with
// the call in bold and the help text joined into one paragraph.
std::string HandbuchOptionen();

// The page from its template: "@OPTIONEN@" on a line of its own becomes the
// options, "@VERSION@" the version.
std::string HandbuchSeite(const std::string& vorlage, const std::string& version);
