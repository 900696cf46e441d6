#pragma once

#include <cstddef>
#include <string_view>

// The text of an input file, owned without copying: the file's own mapping,
// the anonymous mapping what cannot be mapped was read into, or a malloc'd
// buffer (the fuzz targets).
// Line ends stay as they are in the file; CR LF is folded where the text is
// cut into lines.
// Move-only: handing it on by value moves it.
class FileText {
 public:
  FileText() = default;
  FileText(FileText&& other) noexcept;
  FileText& operator=(FileText&& other) noexcept;
  FileText(const FileText&) = delete;
  FileText& operator=(const FileText&) = delete;
  ~FileText() { release(); }

  std::string_view view() const { return {data_, size_}; }

  // Takes ownership of a mapping of `length` bytes, or of a malloc'd buffer
  // holding `size` bytes.
  void adopt_mapping(void* address, size_t length);
  void adopt_buffer(char* buffer, size_t size);
  // Narrows the visible text to its first `size` bytes.
  void cut(size_t size) { size_ = size < size_ ? size : size_; }
  // True when the file under a mapped text has been cut shorter by another
  // process since: its missing pages read as zero bytes
  // (guard_against_truncation), while a text otherwise never ends in a NUL.
  bool cut_short() const { return size_ > 0 && data_[size_ - 1] == '\0'; }

 private:
  void release();

  void* map_ = nullptr;
  size_t map_length_ = 0;
  char* buffer_ = nullptr;
  const char* data_ = "";
  size_t size_ = 0;
};
