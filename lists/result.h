#pragma once

#include <optional>
#include <string>
#include <utility>

namespace skelvane {

// Why a file, a command line or a network could not be used, in words for the
// user.
struct Failure {
    std::string why;
};

// What a step that gives nothing back gives when it succeeds.
struct Done {};

// What every loader of files and command lines gives: its value, or the
// failure that explains why there is none.
template <typename T = Done>
class Result {
  public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure failure) : why_(std::move(failure.why)) {}

    explicit operator bool() const { return value_.has_value(); }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    // Empty when there is a value.
    const std::string& Why() const { return why_; }

  private:
    std::optional<T> value_;
    std::string why_;
};

}  // namespace skelvane
