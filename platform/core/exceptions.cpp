#include "platform/core/exceptions.h"

#include <cerrno>
#include <cstring>

namespace {

String FileErrorMessage(const char* what, const String& fileName, const String& reason) {
    String message = String(what) + " \"" + fileName + "\".";
    if (!reason.empty()) message += ' ' + reason;
    return message;
}

String FileErrorMessage(const char* what, const String& fileName, int errorCode) {
    return FileErrorMessage(what, fileName, errorCode != 0 ? String(std::strerror(errorCode)) : String());
}

}  // namespace

EFOpenError::EFOpenError(const String& fileName) : EFOpenError(fileName, errno) {}

EFOpenError::EFOpenError(const String& fileName, int errorCode)
    : Exception(FileErrorMessage("Cannot open file", fileName, errorCode)) {}

EFOpenError::EFOpenError(const String& fileName, const String& reason)
    : Exception(FileErrorMessage("Cannot open file", fileName, reason)) {}

EFCreateError::EFCreateError(const String& fileName) : EFCreateError(fileName, errno) {}

EFCreateError::EFCreateError(const String& fileName, int errorCode)
    : Exception(FileErrorMessage("Cannot create file", fileName, errorCode)) {}
