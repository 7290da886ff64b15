// The dialog page's logic on random records and random pages: what storing writes and what it leaves,
// what "Коор текста" and "Убрать" touch, and random dialogs kept per scene.
#include "editor/dialogs.h"
#include "editor/editorstate.h"
#include "project/projectrecord.h"
#include "toolkit/toolkittypes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace tw::test {
namespace {

QByteArray copyOf(const ProjectRecord& record) {
    return QByteArray(reinterpret_cast<const char*>(record.bytes()), qsizetype(kProjectRecordSize));
}

class DialogEditing : public ::testing::Test {
protected:
    std::unique_ptr<ProjectRecord> owned = ProjectRecord::createBlank();
    ProjectRecord& record = *owned;
    EditorState editor;
    std::mt19937 dice{2024};

    int roll(int low, int high) { return std::uniform_int_distribution<int>(low, high)(dice); }
    // Texts of 0..70 characters, Cyrillic, Latin, digits and signs.
    std::string anyText() {
        static const QString alphabet = QStringLiteral("абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВЯ abcxyzXYZ0129.,!?-«»");
        QString text;
        for (int n = roll(0, 70); n > 0; --n) text += alphabet[roll(0, int(alphabet.size()) - 1)];
        return text.toStdString();
    }
    // The first 50 characters, as the toolkit cuts them.
    static std::string first50(const std::string& text) { return QString::fromStdString(text).left(50).toStdString(); }
    // Fills every byte of dialog k of scene s with noise, its lines with valid texts.
    void scramble(int s, int k) {
        Dialog& dialog = record.scene(s).dialog(k);
        auto* bytes = reinterpret_cast<unsigned char*>(&dialog);
        for (std::size_t i = 0; i < sizeof(Dialog); ++i) bytes[i] = static_cast<unsigned char>(roll(0, 255));
        for (auto& line : dialog.lines) line.setText(anyText());
    }
    DialogForm anyForm() {
        DialogForm form;
        form.kind = roll(0, 3);
        for (std::string& line : form.lines) line = anyText();
        return form;
    }
};

TEST_F(DialogEditing, StoringWritesKindTextsItemsAndProgressOnlyAndLoadsBackTheSame) {
    for (int round = 0; round < 300; ++round) {
        const int s = roll(1, kSceneCapacity);
        const int k = roll(1, kDialogsPerScene);
        scramble(s, k);
        scramble(s, k % kDialogsPerScene + 1); // a neighbour that must stay as it is
        const Dialog before = record.scene(s).dialog(k);
        const QByteArray recordBefore = copyOf(record);
        const DialogForm form = anyForm();
        editor.itemPickA = roll(0, kItemCapacity);
        editor.itemPickB = roll(0, kItemCapacity);
        editor.currentDialog = roll(1, kDialogsPerScene);

        storeDialog(record, editor, s, k, form);

        const Dialog after = record.scene(s).dialog(k);
        EXPECT_EQ(editor.currentDialog, k);
        EXPECT_EQ(after.kind, form.kind == 0 ? before.kind : form.kind) << form.kind;
        EXPECT_EQ(after.progress, 0);
        EXPECT_EQ(after.giveItem, editor.itemPickA);
        EXPECT_EQ(after.getItem, editor.itemPickB);
        for (int i = 0; i < kDialogLines; ++i) EXPECT_EQ(after.lines[i].text(), first50(form.lines[std::size_t(i)]));
        // Nothing else: the same record once these fields take their old values back.
        Dialog restored = after;
        restored.kind = before.kind;
        restored.progress = before.progress;
        restored.giveItem = before.giveItem;
        restored.getItem = before.getItem;
        std::memcpy(restored.lines, before.lines, sizeof before.lines);
        record.scene(s).dialog(k) = restored;
        ASSERT_EQ(copyOf(record), recordBefore) << "round " << round;
        record.scene(s).dialog(k) = after;

        // Loading shows what was stored, the items' 0 (an empty hand) included.
        EditorState other;
        const DialogForm loaded = loadDialog(record, other, s, k);
        EXPECT_EQ(other.currentDialog, k);
        EXPECT_EQ(loaded.kind, after.kind <= 3 ? after.kind : 0);
        EXPECT_EQ(other.itemPickA, editor.itemPickA);
        EXPECT_EQ(other.itemPickB, editor.itemPickB);
        for (int i = 0; i < kDialogLines; ++i) EXPECT_EQ(loaded.lines[std::size_t(i)], first50(form.lines[std::size_t(i)]));
    }
}

TEST_F(DialogEditing, TextPositionAndRemovalLeaveTheTextsAndTouchOnlyTheirFields) {
    for (int round = 0; round < 100; ++round) {
        const int s = roll(1, kSceneCapacity);
        const int k = roll(1, kDialogsPerScene);
        scramble(s, k);
        const Dialog before = record.scene(s).dialog(k);
        const QByteArray recordBefore = copyOf(record);

        // "Коор текста" with new texts on the page: they are not stored, the dialog restarts.
        editor = EditorState();
        editor.currentDialog = k;
        armDialogText(record, editor, s);
        EXPECT_TRUE(editor.dialogTextArmed);
        Dialog expected = before;
        expected.progress = 0;
        EXPECT_EQ(std::memcmp(&record.scene(s).dialog(k), &expected, sizeof(Dialog)), 0);

        // "Убрать": kind and the zone's x coordinates; texts, items, approach, position and y stay.
        removeDialog(record, s, k);
        expected.kind = 0;
        expected.zoneX1 = 0;
        expected.zoneX2 = 0;
        EXPECT_EQ(std::memcmp(&record.scene(s).dialog(k), &expected, sizeof(Dialog)), 0);
        record.scene(s).dialog(k) = before;
        ASSERT_EQ(copyOf(record), recordBefore) << "round " << round;
    }
}

TEST_F(DialogEditing, TheZoneButtonsStoreBeforeArmingAndOnlyTheCheckedKindsChangeTheControls) {
    editor.itemPickA = 7;
    editor.itemPickB = 0;
    DialogForm form = anyForm();
    form.kind = 3;
    armDialogZone(record, editor, 4, 2, form);
    EXPECT_TRUE(editor.dialogZoneArmed);
    EXPECT_FALSE(editor.dialogApproachArmed);
    EXPECT_EQ(record.scene(4).dialog(2).kind, 3);
    EXPECT_EQ(record.scene(4).dialog(2).giveItem, 7);
    form.kind = 1;
    armDialogApproach(record, editor, 4, 5, form);
    EXPECT_TRUE(editor.dialogApproachArmed);
    EXPECT_EQ(editor.currentDialog, 5);
    EXPECT_EQ(record.scene(4).dialog(5).kind, 1);

    // None checked leaves the controls as the last checked kind set them.
    const DialogControls all{true, true, true};
    EXPECT_EQ(controlsForKind(2, all), (DialogControls{false, false, true}));
    EXPECT_EQ(controlsForKind(0, controlsForKind(2, all)), (DialogControls{false, false, true}));
    EXPECT_EQ(controlsForKind(1, all), DialogControls{});
}

TEST_F(DialogEditing, RandomDialogsBelongToTheirSceneAndAreCutTo50) {
    std::array<std::string, kRandomDialogLines> lines;
    for (std::string& line : lines) line = anyText() + QString(60, QChar(u'ж')).toStdString();
    storeRandomDialog(record, 2, 17, lines);
    const auto loaded = loadRandomDialog(record, 2, 17);
    for (int i = 0; i < kRandomDialogLines; ++i) EXPECT_EQ(loaded[std::size_t(i)], first50(lines[std::size_t(i)]));
    for (const std::string& line : loadRandomDialog(record, 3, 17)) EXPECT_TRUE(line.empty());
    for (const std::string& line : loadRandomDialog(record, 2, 16)) EXPECT_TRUE(line.empty());

    // The preview stands at the text position of the dialog given, on the speech box.
    record.scene(2).dialog(4).textX = 333;
    record.scene(2).dialog(4).textY = 44;
    const TextPreview preview = dialogPreview(record, 2, 4, toQt(std::vector<std::string>(loaded.begin(), loaded.end())));
    EXPECT_EQ(preview.style, TextPreview::Style::Boxed);
    EXPECT_EQ(preview.at, (Point{333, 44}));
    EXPECT_EQ(preview.lines.size(), kRandomDialogLines);
}

} // namespace
} // namespace tw::test
