#pragma once

#include <string>

namespace tw {

// Paths of the asset tree that lies beside the executable, as UTF-8 texts with '/' between the parts.
// Names are used exactly as written; most pictures have no extension.
class AssetPaths {
public:
    // root: the folder of the executable.
    explicit AssetPaths(std::string root);

    const std::string& root() const { return root_; }
    std::string file(const std::string& relative) const { return root_ + relative; } // root + "mzh/data/menu"

    std::string recordFile() const { return file("mzh/data/typ.dll"); }
    // The copy of the record that a running editor keeps up to date, so a crash loses little work.
    std::string recoveryFile() const { return file("mzh/data/typ.dll.recover"); }
    std::string savePointFile() const { return file("mzh/data/baztyp.dll"); }
    std::string data(const std::string& name) const { return file("mzh/data/" + name); }
    std::string sound(const std::string& name) const { return file("mzh/sound/" + name); }
    std::string scene(int n) const { return file("mzh/scena/" + std::to_string(n)); }
    std::string comic(int n) const { return file("mzh/Kom/" + std::to_string(n)); }
    std::string stamp(int n) const { return file("graf/" + std::to_string(n) + ".bmp"); }
    // The .ani file of cursor slot 1..8.
    std::string cursor(int slot) const;

private:
    std::string root_; // with a trailing separator
};

// File names of the cursor slots 1..8, in slot order.
inline constexpr const char* kCursorFileNames[8] = {"men.ani",   "clik.ani",  "hod.ani", "pred.ani",
                                                    "dial.ani",  "smotr.ani", "net.ani", "temp.ani"};

} // namespace tw
