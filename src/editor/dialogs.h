#pragma once

#include "editor/textpreview.h"

#include <QString>
#include <QStringList>

#include <array>
#include <string>

namespace tw {

struct EditorState;
struct ProjectRecord;

// The characters' dialogs of a scene and the scene's random dialogs as the plot editor writes them. Every
// function acts on the scene it is given, the scene shown at the moment of the action. Texts typed on the
// dialog page reach the record only when a zone button stores the dialog.

inline constexpr int kDialogLines = 8;       // lines 1..4 "Диалог 1", lines 5..8 "Диалог 2"
inline constexpr int kRandomDialogLines = 4;

// What the dialog page's controls hold: the checked kind button and the eight text boxes.
struct DialogForm {
    int kind = 0; // 1 "Диалог", 2 "Диалог+получить предмет", 3 "Диалог+обмен предметами"; 0 none checked
    std::array<std::string, kDialogLines> lines;
};

// Loads dialog k of scene s into the page: currentDialog := k, the item pickers take the items it gives
// and gets (a stored 0, an empty hand, stays 0 until the author moves the picker). Returns the kind to
// check (0: none) and the texts.
DialogForm loadDialog(const ProjectRecord& record, EditorState& editor, int s, int k);

// Stores the page into dialog k of scene s (currentDialog := k): the kind of the checked button, or the
// stored kind when none is checked; the texts cut to 50 characters; the item to give from itemPickA and
// the item to get from itemPickB; progress 0, so play starts the dialog from its beginning.
void storeDialog(ProjectRecord& record, EditorState& editor, int s, int k, const DialogForm& form);
// "Зона клика" and "Подход героя": store, then arm the click zone's drag / the approach cell's press.
void armDialogZone(ProjectRecord& record, EditorState& editor, int s, int k, const DialogForm& form);
void armDialogApproach(ProjectRecord& record, EditorState& editor, int s, int k, const DialogForm& form);
// "Коор текста": arms the text position's press and restarts dialog currentDialog of scene s (progress 0).
// The page's texts are not stored.
void armDialogText(ProjectRecord& record, EditorState& editor, int s);
// "Убрать": dialog k of scene s has no kind and no click zone (its x coordinates 0); texts, items,
// approach cell and text position stay stored.
void removeDialog(ProjectRecord& record, int s, int k);

// The controls the checked kind shows: the "Диалог 2" column, the item to give, the item to get.
struct DialogControls {
    bool secondColumn = false;
    bool giveItem = false;
    bool getItem = false;
    bool operator==(const DialogControls&) const = default;
};
// What kind 1..3 shows; with none checked (0, or a kind out of range) the controls stay as they are, so
// `shown` is returned unchanged.
DialogControls controlsForKind(int kind, DialogControls shown);

// Random dialog n (1..50) of scene s: its four lines, and storing four texts cut to 50 characters.
std::array<std::string, kRandomDialogLines> loadRandomDialog(const ProjectRecord& record, int s, int n);
void storeRandomDialog(ProjectRecord& record, int s, int n, const std::array<std::string, kRandomDialogLines>& lines);

// Whether any random dialog of scene s has a line with something to read.
bool hasRandomDialogText(const ProjectRecord& record, int s);
// After dialog k of scene s is stored: a character that talks or gives (kinds 1 and 2) switches to random
// dialogs once the hero has talked to it and left, and in a scene where no random dialog has a text it
// would then say nothing. The text that tells the author so; empty when there is nothing to say.
QString silentCharacterWarning(const ProjectRecord& record, int s, int k);

// How four lines being typed will look in play: on the speech box at the text position of dialog k of
// scene s. Random dialogs show at the position of the dialog that opens them; the page shows them at
// currentDialog's.
TextPreview dialogPreview(const ProjectRecord& record, int s, int k, const QStringList& lines);

} // namespace tw
