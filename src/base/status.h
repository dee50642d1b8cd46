// Status: the outcome of an operation that can fail: what failed, as a code
// that callers act on, and a message for people.
#pragma once

#include <string>
#include <utility>

namespace ordalis {

class [[nodiscard]] Status {
 public:
  // What failed, as far as any caller tells failures apart.
  enum class Code {
    kOk,
    kInUse,         // Another program holds the file.
    kNotFound,      // Nothing is at the name.
    kFolder,        // A folder where a file was wanted.
    kReadOnly,      // A file nobody may write.
    kTooManyLines,  // The source has more lines than the table holds.
    kKeyNotCut,     // A line gives no key with the box texts.
    kBadNumber,     // A box text is no number the mode can use.
    kSameFile,      // The target names the source.
    kOther,
  };

  Status() = default;  // Success.

  static Status Ok() { return Status(); }
  static Status Error(Code code, std::string message) {
    return Status(code, std::move(message));
  }
  static Status Error(std::string message) { return Error(Code::kOther, std::move(message)); }

  bool ok() const { return code_ == Code::kOk; }
  Code code() const { return code_; }
  // The reason for a failure, worded for people; empty on success.
  const std::string& message() const { return message_; }

 private:
  Status(Code code, std::string message) : code_(code), message_(std::move(message)) {}

  Code code_ = Code::kOk;
  std::string message_;
};

}  // namespace ordalis
