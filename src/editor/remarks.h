#pragma once

#include "editor/textpreview.h"

#include <QString>

#include <string>

namespace tw {

class Editor;
class Engine;

// The short texts of the plot editor: the hero's remarks and the crowd's (one table for the whole game)
// and the hints of the scene shown. Each store is one undoable step; texts are cut to their room.

// "---"/"+" of the hero remarks: currentHeroRemark within 1..50.
void stepHeroRemark(Engine& engine, int delta);
void storeHeroRemark(Editor& editor, const std::string& text);
void storeHint(Editor& editor, const std::string& text);
// "Убрать": the hint's text is emptied, so play shows nothing for its zone; zone and position stay.
void removeHint(Editor& editor);
void storeCrowdRemark(Editor& editor, const std::string& text);

// Where play would show each text, written as `text`: a hero remark above the hero standing on its
// trigger cell (or where he stands now, while it is not placed in this scene), a hint at its text
// position, a crowd remark at its own place.
TextPreview heroRemarkPreview(Engine& engine, const QString& text);
TextPreview hintPreview(Engine& engine, const QString& text);
TextPreview crowdRemarkPreview(Engine& engine, const QString& text);

} // namespace tw
