#pragma once

#include <cstddef>
#include <utility>

// Owns a file descriptor and closes it on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    reset(std::exchange(other.fd_, -1));
    return *this;
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { reset(); }

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  void reset(int fd = -1);
  // Closes the descriptor; false if the close reported an error, which is
  // where some file systems report a failed write.
  bool close_checked();
  // Closes a duplicate and keeps the file open: file systems that write
  // late (NFS, FUSE) flush at every close and report a failed write there.
  // False if that close reported an error.
  bool flush_checked() const;

 private:
  int fd_;
};

// Writes all `size` bytes, continuing short writes; false on an error.
bool write_all(int fd, const void* data, size_t size);

// Reads exactly `size` bytes, continuing short reads; false on an error or
// at the end of the input before them.
bool read_all(int fd, void* data, size_t size);
