// Errors of the graphics and sound layer. The message is the text the user
// sees in the error box, so it is kept exactly as the layer raises it.
#pragma once

#include <stdexcept>
#include <string>

#include "core/language.h"

namespace quendrix {

// A load, build or device error with its user-facing message.
class MediaError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that cannot be opened, read or written.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Messages of the list-file, bitmap and wave readers.
inline constexpr const char* kInvalidStreamFormat = TrNoop("Invalid stream format");
inline constexpr const char* kPropertyDoesNotExist = TrNoop("Property does not exist");
inline constexpr const char* kInvalidPropertyValue = TrNoop("Invalid property value");
inline constexpr const char* kInvalidPropertyPath = TrNoop("Invalid property path");
inline constexpr const char* kBitmapNotValid = TrNoop("Bitmap image is not valid");
inline constexpr const char* kWaveInvalid = TrNoop("Wave is invalid");

}  // namespace quendrix
