#pragma once

#include "core/file_identity.h"
#include "input/file_text.h"

// Reads the whole file at `path` into `text`, as a text-mode read sees it:
// the data end at the first Ctrl-Z byte and the text at the first NUL byte.
// Reading stops there, so the cost follows the text, not the file's size.
// `source`, when given, receives which file was read.
// Returns 0, or with the reason in last_error:
//   -1 the file cannot be opened (missing, no access, a directory);
//   -2 nothing could be read (empty file, Ctrl-Z first, read error);
//   -3 out of memory, or the file was truncated while it was read.
// Pipes and devices are read until the end of their data. After a failure
// errno holds the system's reason, or 0 when there is none (no data).
int read_in(const char* path, FileText& text, FileIdentity* source = nullptr);
