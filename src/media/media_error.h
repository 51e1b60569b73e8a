// Errors of the graphics and sound layer. The message is the text the user
// sees in the error box, so it is kept exactly as the layer raises it.
#pragma once

#include <stdexcept>
#include <string>

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
inline constexpr const char* kInvalidStreamFormat = "Invalid stream format";
inline constexpr const char* kPropertyDoesNotExist = "Property does not exist";
inline constexpr const char* kInvalidPropertyValue = "Invalid property value";
inline constexpr const char* kInvalidPropertyPath = "Invalid property path";
inline constexpr const char* kBitmapNotValid = "Bitmap image is not valid";
inline constexpr const char* kWaveInvalid = "Wave is invalid";

}  // namespace quendrix
