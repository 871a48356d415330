// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace quorvel {

enum class ErrorCode {
    missing,   // the file does not exist or is empty
    damaged,   // the file exists but its contents break the layout or a bound
    encoding,  // a text cannot be converted to or from Shift-JIS
    io,        // the operating system refused a read or a write
    invalid,   // a value given by the caller is not acceptable
};

struct Error {
    ErrorCode code = ErrorCode::invalid;
    std::string message;  // names the file, the section and the offset or line where it can
};

// The value of an operation at the file boundary, or why there is none. No exception leaves the core.
template <class T>
class [[nodiscard]] Result {
  public:
    Result(T value) : v_(std::move(value)) {}
    Result(Error error) : v_(std::move(error)) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }
    T& value() & { return std::get<0>(v_); }
    const T& value() const& { return std::get<0>(v_); }
    T&& value() && { return std::get<0>(std::move(v_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const Error& error() const { return std::get<1>(v_); }

  private:
    std::variant<T, Error> v_;
};

struct Unit {};
using Status = Result<Unit>;
inline Status ok_status() { return Unit{}; }

inline Error make_error(ErrorCode code, std::string message) { return Error{code, std::move(message)}; }

}  // namespace quorvel
