// Replacing a whole file so that readers, crashes and full disks never see it half
// written.
#pragma once

#include <string_view>

#include "util/codepage.h"

namespace glyphgrab {

// Writes `bytes` to a new file beside `path`, flushes it to the disk and renames it over
// `path`. On any failure the temporary file is removed and `path` keeps its old content
// (or stays absent); the result is then false. An existing file that the caller may not
// write is not replaced, and its permission bits (and, when root writes, its owner)
// carry over to the new file. A symbolic
// link at `path` stays a link: the file it names is replaced, but only when that is a
// regular file owned by the writing user, as is the link; otherwise nothing is written
// and the error is EPERM. A missing folder is
// created. Not thread-safe against concurrent writers of the same path. On failure
// `error`, when given, receives the errno value that says why.
bool WriteFileAtomic(std::u16string_view path, ByteSpan bytes, int* error = nullptr);

// Removes the temporary files that WriteFileAtomic left beside `path` when its process
// was killed between creating and renaming one (those of running processes stay).
// Answers how many were removed.
int RemoveStaleTemporaries(std::u16string_view path);

}  // namespace glyphgrab
