#pragma once

// A mapped file faults (SIGBUS) where another process has cut it shorter
// since it was mapped. Once this has been called, such a fault puts a page
// of zero bytes in place of the missing one and the reader goes on: the
// text then ends in a NUL byte (FileText::cut_short), and the run reports
// "read_in(): File read error" instead of dying. Any other SIGBUS still ends
// the process as before.
void guard_against_truncation();
