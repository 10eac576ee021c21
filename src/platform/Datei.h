#pragma once
// Whole-file reading and atomic writing.

#include <string>

// Reads a whole file as bytes. False with a German reason when it cannot.
bool DateiLesen(const std::string& pfad, std::string& bytes, std::string& fehler);

// Writes the bytes to a temporary file beside the target, flushes it to disk
// and renames it over the target: the target is either the old or the new
// file, never a half-written one. A symbolic link is followed: the file it
// points to is written. A write-protected file is refused. False with a German
// reason; the target then is untouched.
bool DateiAtomarSchreiben(const std::string& pfad, const std::string& bytes, std::string& fehler);
