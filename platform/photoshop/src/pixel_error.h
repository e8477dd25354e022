#pragma once
#include <stdexcept>

namespace photoshop::detail {

// A file the editor cannot read or write; what() says why.
class PixelError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace photoshop::detail
