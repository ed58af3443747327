// The class library's exception classes that the program relies on.
#pragma once

#include <exception>

#include "platform/core/types.h"

class Exception : public std::exception {
public:
    explicit Exception(String message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }
    String Message;
};

// A file that cannot be opened. Its message begins with "Cannot open file",
// then the name; no other error's message does.
// The reason is the system's text for errno at the time of the throw, or for
// the error code given, or the reason given: a file that opens but cannot be
// read as what was asked of it (a damaged picture) is one that cannot be
// opened for its reader.
class EFOpenError : public Exception {
public:
    explicit EFOpenError(const String& fileName);
    EFOpenError(const String& fileName, int errorCode);
    EFOpenError(const String& fileName, const String& reason);
};

// A file that cannot be created or written.
class EFCreateError : public Exception {
public:
    explicit EFCreateError(const String& fileName);
    EFCreateError(const String& fileName, int errorCode);
};

// A stream that delivers fewer bytes than asked for, or takes fewer.
class EReadError : public Exception {
    using Exception::Exception;
};

class EWriteError : public Exception {
    using Exception::Exception;
};

// StrToInt and friends.
class EConvertError : public Exception {
    using Exception::Exception;
};

// A list index out of bounds.
class EListError : public Exception {
    using Exception::Exception;
};

// A file that opens but holds no valid picture.
class EInvalidGraphic : public Exception {
    using Exception::Exception;
};

// The media player could not open or play a file.
class EMCIDeviceError : public Exception {
    using Exception::Exception;
};

// Printer and print job errors.
class EPrinter : public Exception {
    using Exception::Exception;
};

class EOutOfResources : public Exception {
    using Exception::Exception;
};
