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

// Whether the switch -report, in any case, is among the arguments: such a
// run is handed over before the heap is set up and the command line read,
// which the full binary does again. Its other runs are the same as this
// binary's, so a run handed over that draws no report loses only time.
bool asks_for_report(int argc, const char* const argv[]);

// hand_over, silent when it cannot be done: the run goes on here and hands
// over, or says why it cannot, once it knows it draws a report.
void try_hand_over(const char* const argv[]);
