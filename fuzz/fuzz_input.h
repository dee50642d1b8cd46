// Helpers for turning a fuzzer's bytes into the program's inputs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/code_page.h"

namespace ordalis::fuzz {

// Hands out the fuzzer's bytes piece by piece.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : bytes_(reinterpret_cast<const char*>(data), size) {}

  std::uint8_t Byte() {
    if (bytes_.empty()) return 0;
    const auto byte = static_cast<std::uint8_t>(bytes_[0]);
    bytes_.remove_prefix(1);
    return byte;
  }

  // A piece up to the next NUL byte, widened from the code page.
  std::u16string Text() {
    const std::size_t end = bytes_.find('\0');
    const std::string_view piece = bytes_.substr(0, end);
    bytes_.remove_prefix(end == std::string_view::npos ? bytes_.size() : end + 1);
    return WidenFromCodePage(piece);
  }

  std::string_view Rest() const { return bytes_; }

 private:
  std::string_view bytes_;
};

// Stops the fuzzer with a finding when a property does not hold.
inline void Require(bool holds) {
  if (!holds) std::abort();
}

}  // namespace ordalis::fuzz
