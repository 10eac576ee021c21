#pragma once
// Whole-file reading and atomic writing.

#include "platform/Fehler.h"

#include <string>

// Reads a whole file as bytes, or says in German why it cannot.
CErgebnis<std::string> DateiLesen(const std::string& pfad);

// Writes the bytes to a temporary file beside the target, flushes it to disk
// and renames it over the target: the target is either the old or the new
// file, never a half-written one. A symbolic link is followed: the file it
// points to is written. A write-protected file is refused. On failure the
// target is untouched.
CErgebnis<> DateiAtomarSchreiben(const std::string& pfad, const std::string& bytes);
