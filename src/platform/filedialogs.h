#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace tw {

// Standard file and folder choosers. The core asks through this seam and never opens a dialog itself.
// Paths and texts are UTF-8. An empty result means the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // title: what the chooser wants ("Предмет 50x50"); filter in the toolkit's form, e.g.
    // "Bitmaps (*.bmp)"; folder: where the chooser opens.
    virtual std::string openFile(const std::string& title, const std::string& filter, const std::string& folder) = 0;
    virtual std::string saveFile(const std::string& filter) = 0;
    virtual std::string chooseFolder() = 0;
    // A chosen file is being read: `done` of `total` bytes so far. Shows progress when the read takes
    // longer than a moment and keeps the window answering; false when the user stopped the read.
    virtual bool reading(const std::string& path, std::int64_t done, std::int64_t total) {
        (void)path;
        (void)done;
        (void)total;
        return true;
    }

    // Asks for a file of one kind ("picture", "cursor", ...): the chooser opens in the folder a file of
    // that kind was last chosen from, or in `firstFolder` the first time, and the folder of the file
    // chosen is remembered for the next choice of the kind.
    std::string chooseFile(const std::string& kind, const std::string& title, const std::string& filter,
                           const std::string& firstFolder);

private:
    std::map<std::string, std::string> lastFolders_; // kind -> folder of the file last chosen
};

// No chooser at all: for play without a window, which asks for no file; were it to, the choice is
// cancelled.
class NoFileDialogs final : public FileDialogs {
public:
    std::string openFile(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::string saveFile(const std::string&) override { return {}; }
    std::string chooseFolder() override { return {}; }
};

} // namespace tw
