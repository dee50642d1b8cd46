// Status: the outcome of an operation that can fail, with a message for people.
#pragma once

#include <string>
#include <utility>

namespace ordalis {

class Status {
 public:
  Status() = default;  // Success.

  static Status Ok() { return Status(); }
  static Status Error(std::string message) { return Status(std::move(message)); }

  bool ok() const { return !failed_; }
  // The reason for a failure; empty on success.
  const std::string& message() const { return message_; }

 private:
  explicit Status(std::string message) : failed_(true), message_(std::move(message)) {}

  bool failed_ = false;
  std::string message_;
};

}  // namespace ordalis
