#include "input/file_text.h"

#include <sys/mman.h>

#include <cstdlib>
#include <utility>

FileText::FileText(FileText&& other) noexcept {
  *this = std::move(other);
}

FileText& FileText::operator=(FileText&& other) noexcept {
  if (this != &other) {
    release();
    map_ = std::exchange(other.map_, nullptr);
    map_length_ = std::exchange(other.map_length_, 0);
    buffer_ = std::exchange(other.buffer_, nullptr);
    data_ = std::exchange(other.data_, "");
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

void FileText::adopt_mapping(void* address, size_t length) {
  release();
  map_ = address;
  map_length_ = length;
  data_ = static_cast<const char*>(address);
  size_ = length;
}

void FileText::adopt_buffer(char* buffer, size_t size) {
  release();
  buffer_ = buffer;
  data_ = buffer;
  size_ = size;
}

void FileText::release() {
  if (map_ != nullptr) munmap(map_, map_length_);
  free(buffer_);
  map_ = nullptr;
  map_length_ = 0;
  buffer_ = nullptr;
  data_ = "";
  size_ = 0;
}
