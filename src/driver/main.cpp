// afcdraw: draws amplitude-frequency responses as a GIF or PNG picture.
// The run itself, stage by stage, is in driver/run.cpp.

#include "driver/run.h"

int main(int argc, char* argv[]) {
  return run(argc, argv);
}
