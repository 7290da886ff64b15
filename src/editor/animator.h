#pragma once

#include "canvas/geometry.h"
#include "canvas/picture.h"
#include <QString>

namespace tw {

class Editor;
struct AnimFrame;
struct Animation;
struct EditorState;
struct ProjectRecord;

// The animator's editing: which animation and frame are chosen, the frame count, and the frame rectangle
// changed by the nudge buttons, by a stretch on the canvas and by fitting it to a figure of the sheet.
//
// Rectangles are kept sane: a value never goes below 0, a rectangle changed here never ends up reaching
// past the sheet's right or bottom edge, and a stretch in any direction gives the top-left corner and a
// positive size. A rectangle that already lies outside the sheet (a smaller sheet was loaded since) can
// be nudged back in but never further out. The sheet size used is at most 65535 in either direction, so
// every stored value fits its 16 bits.

// The frames an animation uses: its frameCount kept within 1..30, so a blank record (0) or a damaged one
// (above 30) never selects frame 0 or a frame past the table.
int framesInUse(const Animation& animation);
// The frame being edited: frame currentFrame of currentAnimation, both kept within their tables.
AnimFrame& currentFrameOf(ProjectRecord& record, const EditorState& state);
const AnimFrame& currentFrameOf(const ProjectRecord& record, const EditorState& state);
// currentAnimation within 1..100 and currentFrame within the frames in use (after an undo, say).
void keepSelectionInRange(const ProjectRecord& record, EditorState& state);

// "---" / "+" of the animation: one down or up within 1..100; the frame goes back to 1.
void previousAnimation(EditorState& state);
void nextAnimation(EditorState& state);
// "---" / "+" of the frame: one down or up within 1..frames in use.
void previousFrame(const ProjectRecord& record, EditorState& state);
void nextFrame(const ProjectRecord& record, EditorState& state);
// "Добавить кадр (30)" / "---кадр": the count one up (at most 30) or down (at least 1), and the new last
// frame becomes the current one. The slots past the count keep their rectangles.
void addFrame(ProjectRecord& record, EditorState& state);
void removeLastFrame(ProjectRecord& record, EditorState& state);

// The four values of a frame rectangle the nudge buttons change.
enum class FrameValue { X, Y, Width, Height };
// Changes one value of the current frame by delta (+1 or -1): never below 0, never so that the rectangle
// reaches further past the sheet than it did. Returns true when the value changed.
bool nudgeFrame(ProjectRecord& record, const EditorState& state, FrameValue value, int delta, Size sheet);

// Mouse mode 1: the sheet view follows the pointer from where the button went down.
Point draggedViewOffset(const EditorState& state, Point down, Point pointer);
// Mouse mode 2: the current frame becomes the rectangle between the press point and the pointer, both
// taken in sheet coordinates (the canvas point less sheetViewOffset) and kept within the sheet.
void stretchFrame(ProjectRecord& record, const EditorState& state, Point down, Point pointer, Size sheet);

// The connected figure of the sheet under point `at` (sheet coordinates): the pixels whose colour differs
// from the sheet's key colour (its bottom-left pixel) that reach `at` through their eight neighbours.
// Returns its bounding rectangle; an empty one when `at` is off the sheet or on the key colour.
Rect figureAt(const Picture& sheet, Point at);
// The frame fitted to a figure: its bounding rectangle with one pixel of margin on each side where the
// sheet has room. The frame's bottom-left pixel, the key colour of transparent drawing, is then never a
// pixel of the figure: it lies left of or below the figure, or, for a figure touching the sheet's left
// and bottom edges, it is the sheet's own bottom-left pixel, the sheet's key colour. Empty for no figure.
Rect frameAroundFigure(const Rect& figure, Size sheet);
// A double-click in mouse mode 2: the current frame is fitted to the figure under the canvas point, as
// frameAroundFigure. Returns false, changing nothing, when there is no figure there.
bool fitFrameToFigure(ProjectRecord& record, const EditorState& state, const Picture& sheet, Point canvasPoint);

// "Загрузить набор": asks for a picture; a chosen one that decodes replaces the sheet file, as one step,
// and is shown with its top-left corner at kSheetViewHome.
// Whatever happened (cancelled, refused, replaced) the sheet and, in the animator, the background are
// read again from the sheet file.
void loadSheet(Editor& editor);

// The texts of Label2 and Label3: "Мульт-" + animation, "Кадр-" + frame + "/" + frames in use.
QString animationCaption(const EditorState& state);
QString frameCaption(const ProjectRecord& record, const EditorState& state);
// The current frame's numbers shown in the middle of the nudge crosses: "x " + srcX and "y " + srcY on
// two lines, and "ш " + width and "в " + height.
QString framePositionCaption(const ProjectRecord& record, const EditorState& state);
QString frameSizeCaption(const ProjectRecord& record, const EditorState& state);

} // namespace tw
