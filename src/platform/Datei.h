#pragma once
// Whole-file reading and atomic writing.

#include "platform/Fehler.h"

#include <string>
#include <string_view>

// Reads a whole file as bytes, or says in German why it cannot.
CErgebnis<std::string> DateiLesen(const std::string& pfad);

// Writes the bytes to a temporary file beside the target, flushes it to disk
// and renames it over the target: the target is either the old or the new
// file, never a half-written one. A symbolic link is followed: the file it
// points to is written. A write-protected file is refused. On failure the
// target is untouched.
//
// A target that exists and is no regular file is never replaced: a
// character device (/dev/null, a terminal, /dev/stdout) or a pipe (FIFO) is
// opened and written in place, as `cat > ziel` would (a pipe waits for its
// reader); a directory, a block device or a socket is refused. A regular
// file that is already this process's standard output or error (a report
// redirected into it) gets the bytes appended through that stream, so that
// what was written there stays.
CErgebnis<> DateiAtomarSchreiben(const std::string& pfad, const std::string& bytes);

// The checks DateiAtomarSchreiben makes before it writes, without writing:
// for a long run that should not fail at its end. A missing file needs an
// existing, writable folder; a pipe is not opened (that would wait).
CErgebnis<> ZielPruefen(const std::string& pfad);

// A new empty file with a unique name (mkstemp) for a library that writes
// only by name, as a step before DateiAtomarSchreiben: in the folder of the
// file `ziel` names (beside a link's file), so that no predictable name is
// made in a shared folder; for a target that is a device or a pipe in the
// temporary folder ($TMPDIR when it is a folder, else /tmp). The name ends
// in `endung`; the caller removes the file.
CErgebnis<std::string> ArbeitsdateiAnlegen(const std::string& ziel, std::string_view endung);
