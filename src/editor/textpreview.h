#pragma once

#include "canvas/geometry.h"
#include "canvas/picture.h"

#include <QStringList>

namespace tw {

class TextStamper;

// A text of the game as the player will see it, while the author writes it: where it starts, its lines,
// and whether it stands alone (remarks, hints) or on the dark box of a character's speech.
struct TextPreview {
    enum class Style { Plain, Boxed };
    Style style = Style::Plain;
    Point at;
    QStringList lines;

    bool isEmpty() const { return lines.isEmpty(); }
    bool operator==(const TextPreview&) const = default;
};

// The rectangle the text covers in the play area's coordinates (the box included), which may reach past
// the play area.
Rect textPreviewArea(TextStamper& text, const Picture& shadowPicture, const TextPreview& preview);

// Draws the preview on `canvas` the way play draws the text, and when any of it runs past the play area,
// outlines the part that shows in red and marks in red the edges it crosses. Returns the area drawn on.
Rect drawTextPreview(Picture& canvas, TextStamper& text, const Picture& shadowPicture, const TextPreview& preview);

} // namespace tw
