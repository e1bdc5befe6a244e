// The error kinds the commands raise and the default error report shows.
// Messages are UTF-8.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The silent abort: unwinds a command and is never shown.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

[[noreturn]] inline void Abort() { throw EAbort(); }

class EFOpenError : public Exception {
public:
    explicit EFOpenError(const std::string& fileName)
        : Exception("ファイル " + fileName + " は開けません") {}
};

class EFCreateError : public Exception {
public:
    explicit EFCreateError(const std::string& fileName)
        : Exception("ファイル " + fileName + " を作成できません") {}
};

// A read or write that failed or came up short after the file was open.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};
