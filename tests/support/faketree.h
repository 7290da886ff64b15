#pragma once

#include "project/assetpaths.h"
#include "project/projectrecord.h"
#include "support/fakes.h"

#include <QColor>
#include <QImage>

namespace tw::test {

inline const AssetPaths kFakeRoot{"/game/"};

// A picture filled with one colour.
QImage solidPicture(int width, int height, QColor colour);

// Stores a record as the project file of the fake tree.
void putRecord(FakeFileSystem& files, const ProjectRecord& record, const std::string& path = kFakeRoot.recordFile());
// Reads back the record stored in the fake tree.
std::unique_ptr<ProjectRecord> storedRecord(FakeFileSystem& files, const std::string& path = kFakeRoot.recordFile());

// A complete small tree: the record given and every picture and cursor start-up needs, each picture
// filled with its own colour (menu blue, scenes a shade per scene number, strips with a distinct colour
// per cell). Cursor files are left out unless withCursors is set.
void putMinimalTree(FakeFileSystem& files, const ProjectRecord& record, bool withCursors = false);

// The colour of cell n of the fake large item strip.
QColor largeItemColour(int n);

} // namespace tw::test
