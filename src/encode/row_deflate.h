#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// A zlib stream made for the filtered rows of a picture of lines, which are
// mostly runs: of zeros where a row repeats the one above, of one pixel's
// three bytes along a horizontal line. Matches are looked for one byte and
// one pixel back only, at the speed of a memory compare, and the rest go
// as literals; each block of tokens gets Huffman codes of its own. Such
// rows come out about as small as a general deflater's fast levels make
// them, in a fraction of the time, and no row is held once it is taken.
//
// Each row is written into room(), then taken by add(). Out of memory
// shows as std::bad_alloc from any of them.
class RowDeflate {
 public:
  // The stream goes at the end of `out`, starting with its header here.
  explicit RowDeflate(std::vector<unsigned char>& out);
  RowDeflate(const RowDeflate&) = delete;
  RowDeflate& operator=(const RowDeflate&) = delete;

  // Where the next `size` bytes of the stream are to be written.
  unsigned char* room(size_t size);
  // Bytes from..to of a row that the writer knows to be zeros (a stretch
  // of pixels that repeats the row above), so that they need no search.
  struct Zeros {
    uint32_t from, to;
  };
  // Takes the `size` bytes written into room(); `zeros`, in order and
  // apart, may name some of its runs of zeros.
  void add(size_t size, std::span<const Zeros> zeros = {});
  // Ends the stream: its last block and its checksum.
  void finish();

  // A block's tokens: a literal byte, or a match's length code with its
  // extra bits and its distance code.
  // Small enough that the tokens and a block's bits stay in the cache,
  // large enough that a block's codes cost little beside its bits.
  static constexpr size_t block_tokens = size_t{1} << 14;

 private:
  void take(const unsigned char* data, size_t size, std::span<const Zeros> zeros);
  void put_token(uint32_t token);
  void put_block(bool last);

  std::vector<unsigned char>& out_;
  // Three bytes before the room: the stream's last, for matches reaching
  // back past the start of a row.
  std::unique_ptr<unsigned char[]> row_;
  size_t row_room_ = 0;
  uint64_t taken_ = 0;
  uint32_t adler_ = 1;
  std::unique_ptr<uint32_t[]> tokens_;
  // A block's bits, written here at most its bound ahead, then appended:
  // the file grows by what a block takes, not by its bound.
  std::unique_ptr<unsigned char[]> block_;
  size_t token_count_ = 0;
  uint32_t litlen_freq_[286] = {};
  uint32_t dist_freq_[30] = {};
  uint64_t bits_ = 0;
  int bit_count_ = 0;
};
