// The project's one exception type: every error the program raises derives from it and carries a
// UTF-8 message that the application's general error report shows as it stands.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace bus {

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  // The message, UTF-8, meant for the user.
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

private:
  std::string message_;  // UTF-8 text shown to the user
};

}  // namespace bus
