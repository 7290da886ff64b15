#pragma once

#include "canvas/picture.h"

#include <string>

namespace tw {

class FileSystem;

// Loads and saves the program's pictures (Windows bitmaps, mostly without extension) through the file
// system seam.
class PictureFiles {
public:
    explicit PictureFiles(FileSystem& files) : files_(files) {}

    // Loads a picture. On failure `into` is left as it was and a message for the user,
    // naming the file and the problem, is returned; an empty string means success.
    std::string load(const std::string& path, Picture& into);
    // Writes a picture as a BMP file (safely: the old file stays whole on failure). Returns a message on
    // failure, empty on success.
    std::string save(const std::string& path, const Picture& picture);

private:
    FileSystem& files_;
};

} // namespace tw
