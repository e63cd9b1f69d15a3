#include "ReceivedBytes.h"

#include <algorithm>
#include <new>

namespace {

// Blocks start small, for the usual page, and double up to a size that the
// heap hands straight back to the system when it is released.
constexpr std::size_t kFirstBlockSize = 128 * 1024;
constexpr std::size_t kLargestBlockSize = 1024 * 1024;

}  // namespace

bool ReceivedBytes::Append(const char* data, std::size_t size) {
  try {
    while (size > 0) {
      if (blocks_.empty() || blocks_.back().size() == blocks_.back().capacity()) {
        const std::size_t blockSize =
            blocks_.empty() ? kFirstBlockSize : std::min(blocks_.back().capacity() * 2, kLargestBlockSize);
        std::vector<char> block;
        block.reserve(blockSize);
        blocks_.push_back(std::move(block));
      }
      std::vector<char>& block = blocks_.back();
      const std::size_t taken = std::min(size, block.capacity() - block.size());
      block.insert(block.end(), data, data + taken);
      size_ += taken;
      data += taken;
      size -= taken;
    }
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

ByteBuffer ReceivedBytes::TakeBody() {
  ByteBuffer body;
  std::size_t wanted = size_;
  while (wanted > 0) {
    try {
      body.reserve(wanted);
      break;
    } catch (const std::bad_alloc&) {
      wanted /= 2;  // then as much of the beginning as fits
    }
  }
  while (!blocks_.empty() && body.size() < wanted) {
    const std::vector<char>& block = blocks_.front();
    const std::size_t taken = std::min(block.size(), wanted - body.size());
    body.insert(body.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(taken));
    blocks_.pop_front();
  }
  blocks_.clear();
  size_ = 0;
  return body;
}
