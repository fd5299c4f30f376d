#pragma once

#include <string>
#include <string_view>

#include <sys/types.h>

// Writing files the player keeps so that a crash or a power cut at any moment
// leaves either the old file or the whole new one.

// Writes all of data, going on after interrupted writes.
bool WriteAll(int fd, std::string_view data);

// The folder part of a path ("." for a bare name).
std::string FolderOf(const std::string &path);

// Flushes a folder's entries (a rename in it) to disk; failures are ignored:
// the file is in place whatever this gives.
void SyncFolder(const std::string &folder);

// The permissions a new file gets, as open() would give it: 0666 less the
// process umask. A temporary file is made private (0600), so the mode a
// replacement ends with must be asked for.
mode_t NewFileMode();

// The one naming scheme of every temporary file the game writes: hidden, in
// the target's folder, named after the file it replaces (so saves of two files
// in one folder never touch each other's) and unlike any name a player gives a
// backup: ".trivisto-save-<name>." followed by six random characters.
std::string TemporaryPrefix(const std::string &path);

// Writes contents to a temporary file beside path (TemporaryPrefix), with the
// given permissions, fsyncs it, renames it over path and fsyncs the folder.
// Returns 0, or the errno of the step that failed, in which case the temporary
// file is gone and path is as it was.
int ReplaceDurably(const std::string &path, std::string_view contents, mode_t mode);

// Removes the temporary files that killed saves of path left. Only for a
// caller that holds the file's lock, when no other save can be writing one.
void RemoveLeftovers(const std::string &path);
