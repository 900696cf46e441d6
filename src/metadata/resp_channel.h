#pragma once

#include <map>
#include <string>

#include "metadata/resp_blockette.h"
#include "response/channel_response.h"

// A channel epoch while its blockettes are read: stages by their sequence
// number, and which blockette gave each stage its transfer function.
struct RespChannel {
  ChannelResponse r;
  std::map<int, Stage> stages;
  std::map<int, int> transfer_blockette;  // stage number -> 53, 54, 55, 61 or 62
  bool has_channel = false;               // a B052 was read
  int line = 0;                           // where the epoch began
};

// The highest stage sequence number SEED's two digits can hold.
constexpr int most_stage_number = 99;
// The most coefficients, roots or list points one blockette may declare;
// a count is only ever compared with the rows read, never allocated.
constexpr int most_declared = 1000000;

// Reads a B050 or B052 blockette into the channel's name and epoch.
int apply_channel_blockette(const RespBlockette& b, RespChannel& c, std::string& why);

// Reads a stage blockette (53, 54, 55, 57, 58, 61, 62) into its stage, or
// the stage 0 B058 into the sensitivity. Others are passed over, except 60
// (references to dictionary responses), which cannot be followed.
int apply_stage_blockette(const RespBlockette& b, RespChannel& c, std::string& why);
