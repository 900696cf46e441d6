#pragma once

// The fast binary is linked statically, which spares every run the loading
// and relocation of the shared C library (about 1.5 ms of a 5 ms run), and
// carries no cairo. It hands a report picture, and a batch (which may hold
// one), to the full binary, static too, with cairo linked in.
constexpr char full_binary_name[] = "afcdraw-full";

// Replaces the process by the full binary with the same arguments, before
// anything was read or written, so that the run is the full binary's to
// the byte. Returns only when that cannot be done, said on standard error.
void hand_over(const char* const argv[]);
