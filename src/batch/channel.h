#pragma once

// The channel between the batch and a worker, a socket pair: the messages
// each way and how they are checked. Every message is its length (4 bytes)
// then its bytes, in one write, so that the other end wakes once for it.
// - a job: its words, each ended by a NUL.
// - an answer: the status (4 bytes), the message, a NUL, then for each
//   verdict line the job printed its key and line, each ended by a NUL,
//   and its numbers.
// An answer that does not read so is no answer of the worker's: a job
// wrote into the channel.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "batch/job_verdict.h"

// The statuses the batch gives a job itself: one it could not run to its
// end, and the base a killing signal's number is added to, as the shell
// adds it.
constexpr int job_not_run = 252;
constexpr int killed_status_base = 128;

// An answer's message is a few lines at most, beside the job's words (a
// message may quote an argument whole).
constexpr uint32_t most_answer = 65536;

// Puts the length of `message` before it.
void frame_message(std::string& message);

// Frames `message` and sends it; false on an error.
bool send_message(int fd, std::string& message);

// A job's request into `message`; `argv` points into it, the program's
// name first. False at the channel's end or for what is no request.
bool receive_job(int fd, std::string& message, std::vector<const char*>& argv);

// Sends the answer, built in `buffer`; false on an error.
bool send_answer(int fd, int status, const char* message, const std::vector<JobVerdict>& verdicts,
                 std::string& buffer);

struct JobAnswer {
  int status = 0;
  std::string message;
  std::vector<JobVerdict> verdicts;
};

// A worker's next answer, or why there is none: the worker ended, or what
// came is no answer of its (a job wrote into the channel).
enum class Answer { answered, ended, garbled };

Answer receive_answer(int fd, size_t request_size, JobAnswer& answer);
