#include "editor/dialogs.h"

#include "editor/editorstate.h"
#include "project/projectrecord.h"
#include "project/utf8.h"

#include <algorithm>
#include <cstdint>

namespace tw {
namespace {

bool isDialogOf(int s, int k) { return isSceneNumber(s) && k >= 1 && k <= kDialogsPerScene; }
bool isRandomDialogOf(int s, int n) { return isSceneNumber(s) && n >= 1 && n <= kRandomDialogsPerScene; }

// Item numbers are bytes in the record; the pickers hold 0..100, or a stored number kept as it was.
std::uint8_t itemByte(int n) { return static_cast<std::uint8_t>(std::clamp(n, 0, 255)); }

} // namespace

DialogForm loadDialog(const ProjectRecord& record, EditorState& editor, int s, int k) {
    DialogForm form;
    if (!isDialogOf(s, k)) return form;
    editor.currentDialog = k;
    const Dialog& dialog = record.scene(s).dialog(k);
    form.kind = dialog.kind >= 1 && dialog.kind <= 3 ? dialog.kind : 0;
    for (int i = 0; i < kDialogLines; ++i) form.lines[std::size_t(i)] = dialog.lines[i].text();
    editor.itemPickA = dialog.giveItem;
    editor.itemPickB = dialog.getItem;
    return form;
}

void storeDialog(ProjectRecord& record, EditorState& editor, int s, int k, const DialogForm& form) {
    if (!isDialogOf(s, k)) return;
    editor.currentDialog = k;
    Dialog& dialog = record.scene(s).dialog(k);
    if (form.kind >= 1 && form.kind <= 3) dialog.kind = std::uint8_t(form.kind);
    for (int i = 0; i < kDialogLines; ++i) dialog.lines[i].setText(form.lines[std::size_t(i)]);
    dialog.giveItem = itemByte(editor.itemPickA);
    dialog.getItem = itemByte(editor.itemPickB);
    dialog.progress = 0;
}

void armDialogZone(ProjectRecord& record, EditorState& editor, int s, int k, const DialogForm& form) {
    storeDialog(record, editor, s, k, form);
    editor.dialogZoneArmed = true;
}

void armDialogApproach(ProjectRecord& record, EditorState& editor, int s, int k, const DialogForm& form) {
    storeDialog(record, editor, s, k, form);
    editor.dialogApproachArmed = true;
}

void armDialogText(ProjectRecord& record, EditorState& editor, int s) {
    editor.dialogTextArmed = true;
    if (isDialogOf(s, editor.currentDialog)) record.scene(s).dialog(editor.currentDialog).progress = 0;
}

void removeDialog(ProjectRecord& record, int s, int k) {
    if (!isDialogOf(s, k)) return;
    Dialog& dialog = record.scene(s).dialog(k);
    dialog.kind = 0;
    dialog.zoneX1 = 0;
    dialog.zoneX2 = 0;
}

DialogControls controlsForKind(int kind, DialogControls shown) {
    switch (kind) {
    case 1:
        return {false, false, false};
    case 2:
        return {false, false, true};
    case 3:
        return {true, true, true};
    default:
        return shown;
    }
}

std::array<std::string, kRandomDialogLines> loadRandomDialog(const ProjectRecord& record, int s, int n) {
    std::array<std::string, kRandomDialogLines> lines;
    if (!isRandomDialogOf(s, n)) return lines;
    const RandomDialog& dialog = record.scene(s).randomDialog(n);
    for (int i = 0; i < kRandomDialogLines; ++i) lines[std::size_t(i)] = dialog.lines[i].text();
    return lines;
}

void storeRandomDialog(ProjectRecord& record, int s, int n, const std::array<std::string, kRandomDialogLines>& lines) {
    if (!isRandomDialogOf(s, n)) return;
    RandomDialog& dialog = record.scene(s).randomDialog(n);
    for (int i = 0; i < kRandomDialogLines; ++i) dialog.lines[i].setText(lines[std::size_t(i)]);
}

TextPreview dialogPreview(const ProjectRecord& record, int s, int k, const QStringList& lines) {
    TextPreview preview;
    preview.style = TextPreview::Style::Boxed;
    preview.lines = lines;
    if (isDialogOf(s, k)) {
        const Dialog& dialog = record.scene(s).dialog(k);
        preview.at = Point{dialog.textX, dialog.textY};
    }
    return preview;
}

bool hasRandomDialogText(const ProjectRecord& record, int s) {
    if (!isSceneNumber(s)) return false;
    for (int n = 1; n <= kRandomDialogsPerScene; ++n) {
        for (const auto& line : record.scene(s).randomDialog(n).lines) {
            if (!trimmed(line.text()).empty()) return true;
        }
    }
    return false;
}

QString silentCharacterWarning(const ProjectRecord& record, int s, int k) {
    if (!isDialogOf(s, k)) return {};
    const int kind = record.scene(s).dialog(k).kind;
    if ((kind != 1 && kind != 2) || hasRandomDialogText(record, s)) return {};
    return QStringLiteral("После первого разговора персонаж перейдёт к случайным диалогам, "
                          "а в этой сцене ни у одного случайного диалога нет текста.");
}

} // namespace tw
