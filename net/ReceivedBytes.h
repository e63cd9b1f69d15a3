#pragma once
// The bytes of a body as they arrive, kept in blocks so that growing never
// copies what came before; made into one buffer once, at the end, releasing
// each block as soon as it is copied. So a large body is never held twice.

#include <cstddef>
#include <deque>
#include <vector>

#include "Text.h"

class ReceivedBytes {
 public:
  // False when no memory was left for them; what was appended before stays.
  bool Append(const char* data, std::size_t size);

  // All bytes appended, or the longest prefix of them that memory allows.
  // Leaves this empty.
  ByteBuffer TakeBody();

  std::size_t size() const { return size_; }

 private:
  std::deque<std::vector<char>> blocks_;
  std::size_t size_ = 0;
};
