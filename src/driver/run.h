#pragma once

// The whole run of the tool on an argument list (argv[0] is the program's
// name): what it prints on standard output and the exit status it returns.
// main is this and nothing else; the pipeline fuzzer drives it too.
int run(int argc, const char* const argv[]);
