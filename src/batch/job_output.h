#pragma once

// Where a job writes, so that a later job writing there waits for it: the
// folder and the name its path leads to, links followed as the job follows
// them, and the file there, which another name may share.

#include <string>

#include "core/file_identity.h"
#include "output/output_target.h"

struct Output {
  std::string place;  // empty: nowhere another job could write
  FileIdentity file;
  bool unknown = false;  // the path could not be followed (out of descriptors): anywhere

  bool meets(const Output& other) const;
};

// Where the path leads, walked as the job will walk it (`t` keeps the
// walk): nowhere for standard output or one of the worker's descriptors;
// anywhere for a path that could not be followed, which may lead where the
// job's will.
Output find_output(const std::string& path, OutputTarget& t);
