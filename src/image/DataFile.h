#pragma once
// "*.dat" files: exactly the 8192 image bytes in offset order, no header.
#include "image/MemoryImage.h"
#include "image/Result.h"

#include <QString>

namespace corvane {

// Reads the first 8192 bytes. A shorter file (an empty one included) is
// refused with Status::NotImage and `image` is left untouched; a file that
// cannot be read gives Status::FileError with the system's reason
// (Result::reason: "No such file or directory", "Is a directory", ...).
Result LoadImageFile(const QString &path, MemoryImage &image);

// Writes the 8192 bytes through a temporary file renamed over the target,
// so a failed save leaves the old file as it was. Only when the folder does
// not allow the temporary file while the file itself may be written is the
// file written in place. Failures carry the system's reason.
Result SaveImageFile(const QString &path, const MemoryImage &image);

} // namespace corvane
