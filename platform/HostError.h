#pragma once
// Errors the forms runtime reports to the code that called it: a number and a description,
// returned rather than thrown. No Windows header.

#include <cstdint>
#include <string>
#include <utility>

namespace velmora::platform {

struct HostError {
  int32_t number = 0;
  std::string description;
  std::string key;  // the stored property the error concerns, if any
};

// The runtime's error numbers.
inline constexpr int32_t kErrOverflow = 6;
inline constexpr int32_t kErrTypeMismatch = 13;
inline constexpr int32_t kErrInvalidPropertyValue = 380;
inline constexpr int32_t kErrInvalidPicture = 481;
inline constexpr int32_t kErrNoContainerValue = 438;

class [[nodiscard]] HostResult {
 public:
  HostResult() = default;  // success
  HostResult(HostError error) : failed_(true), error_(std::move(error)) {}  // NOLINT: implicit
  static HostResult Fail(int32_t number, std::string description) {
    return HostError{number, std::move(description), {}};
  }
  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const HostError& error() const { return error_; }

 private:
  bool failed_ = false;
  HostError error_;
};

}  // namespace velmora::platform
