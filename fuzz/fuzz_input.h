#pragma once
// Shared by the fuzz harnesses: taking an input apart, and a check that ends
// the run with a message. libFuzzer reports the abort as a finding with the
// input that caused it; the corpus replay of the test suite fails.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

#define FUZZ_CHECK(condition) ((condition) ? void(0) : ::wc::fuzz::Broken(#condition, __FILE__, __LINE__))

namespace wc::fuzz {

[[noreturn]] inline void Broken(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, what);
  std::abort();
}

// Reads small numbers and pieces of text from the front of an input; past
// its end everything reads as 0 or empty.
class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  uint8_t Byte() { return size_ > 0 ? (--size_, *data_++) : 0; }
  // 0 ... max, from as many bytes as max needs.
  uint32_t Number(uint32_t max) {
    uint64_t value = 0;
    for (uint64_t span = max; span > 0; span >>= 8) value = (value << 8) | Byte();
    return static_cast<uint32_t>(value % (uint64_t(max) + 1));
  }
  std::string_view Text(size_t length) {
    if (length > size_) length = size_;
    std::string_view text(reinterpret_cast<const char*>(data_), length);
    data_ += length;
    size_ -= length;
    return text;
  }
  std::string_view RestText() { return Text(size_); }
  std::span<const uint8_t> RestBytes() { return {data_, size_}; }
  size_t Remaining() const { return size_; }

 private:
  const uint8_t* data_;
  size_t size_;
};

}  // namespace wc::fuzz
