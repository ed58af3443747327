#include "platform/core/exceptions.h"

#include <cerrno>
#include <cstring>

namespace {

String FileErrorMessage(const char* what, const String& fileName, int errorCode) {
    String message = String(what) + " \"" + fileName + "\".";
    if (errorCode != 0) {
        message += ' ';
        message += std::strerror(errorCode);
    }
    return message;
}

}  // namespace

EFOpenError::EFOpenError(const String& fileName) : EFOpenError(fileName, errno) {}

EFOpenError::EFOpenError(const String& fileName, int errorCode)
    : Exception(FileErrorMessage("Cannot open file", fileName, errorCode)) {}

EFCreateError::EFCreateError(const String& fileName) : EFCreateError(fileName, errno) {}

EFCreateError::EFCreateError(const String& fileName, int errorCode)
    : Exception(FileErrorMessage("Cannot create file", fileName, errorCode)) {}
