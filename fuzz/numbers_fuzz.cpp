// The two readings of a number box: a text that is a whole number reads as
// the same value leniently, and neither reading ever fails to return.
#include <cmath>
#include <cstdint>

#include "fuzz_input.h"
#include "sort/sort_key.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ordalis;
  fuzz::FuzzInput input(data, size);
  const std::u16string text = input.Text();

  const std::optional<std::int32_t> whole = WholeNumber(text);
  const double lenient = LenientNumber(text);
  if (whole) {
    // A whole number has no inner blanks, so the lenient reading sees the same digits.
    fuzz::Require(std::nearbyint(lenient) == static_cast<double>(*whole));
  }
  return 0;
}
