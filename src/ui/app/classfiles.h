#pragma once

#include "core/classroom/classtable.h"

#include <QString>

#include <string_view>

// Reading and writing the teacher's and students' files from the window side.

// A file's bytes for the core's readers, or the system's words when it could
// not be read. Reads at most one byte past MaxClassFileBytes, so a huge file
// is refused by the core's size rule without being read whole.
LoadedResult ReadClassFile(const QString &path);

// Replaces the file at path with contents so that a crash leaves the old file
// or the whole new one; a file replaced keeps its permissions. Empty on
// success, otherwise the system's reason (the file as it was).
QString WriteFileDurably(const QString &path, std::string_view contents);

// path, with the extension (".csv") added unless it ends with it already in
// any case.
QString WithExtension(const QString &path, const QString &extension);

// A title as the name of a file: the characters some common file system
// refuses become "_"; never empty.
QString FileNameFromTitle(const QString &title);
