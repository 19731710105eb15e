// A countdown to an injected failure, for the tests: armed with n, the nth
// check from then on fails, once; 0 or less disarms it.
#pragma once

#include <cstdint>

class FailureCountdown {
 public:
  void arm(int64_t nth) { left_ = nth > 0 ? nth : 0; }
  // True for the check the countdown was armed for.
  bool fires() { return left_ > 0 && --left_ == 0; }

 private:
  int64_t left_ = 0;
};
