#include "editor/editor.h"

#include "editor/chosenfile.h"
#include "platform/filesystem.h"
#include "project/assetcheck.h"
#include "platform/messages.h"
#include "runtime/engine.h"
#include "toolkit/toolkittypes.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace tw {

int placesOfItem(const ProjectRecord& record, int n) {
    if (!isItemNumber(n)) return 0;
    int places = 0;
    for (int k = 1; k <= kBagSlots; ++k) places += record.bagSlot(k) == n ? 1 : 0;
    if (record.holdingItem != 0 && record.heldItem == n) ++places;
    if (record.item(n).state == 1) ++places;
    return places;
}

Editor::Editor(Engine& engine) : engine_(engine), canvas_(engine), snapshot_(ProjectRecord::createBlank()) {
    engine_.setEditRecorder(this);
}

Editor::~Editor() { engine_.setEditRecorder(nullptr); }

void Editor::openStep() {
    if (stepDepth_++ > 0) return;
    open_ = EditStep{};
    open_.sceneBefore = engine_.screen().currentScene;
}

void Editor::closeStep() {
    if (--stepDepth_ > 0) return;
    open_.sceneAfter = engine_.screen().currentScene;
    journal_.push(std::move(open_));
    open_ = EditStep{};
}

void Editor::gestureBegins() {
    // A press whose release never came (the pointer left the window) ends with the next press.
    if (gestureOpen_) gestureEnds();
    gestureOpen_ = true;
    openStep();
}

void Editor::gestureEnds() {
    if (!gestureOpen_ || editDepth_ > 0) return;
    gestureOpen_ = false;
    closeStep();
}

void Editor::takeSnapshot() { std::memcpy(snapshot_->bytes(), engine_.record().bytes(), kProjectRecordSize); }

void Editor::collectSinceSnapshot() {
    collectPatches(snapshot_->bytes(), engine_.record().bytes(), kProjectRecordSize, open_.patches);
}

void Editor::editBegins() {
    // An edit that comes with no gesture or change() around it is a step of its own.
    if (editDepth_++ == 0) {
        loneEdit_ = stepDepth_ == 0;
        if (loneEdit_) openStep();
    }
    enterScope(true);
}

void Editor::editEnds() {
    leaveScope();
    if (--editDepth_ == 0 && loneEdit_) {
        loneEdit_ = false;
        closeStep();
    }
}

void Editor::playBegins() { enterScope(false); }

void Editor::playEnds() { leaveScope(); }

void Editor::enterScope(bool edit) {
    const bool was = recording();
    scopes_.push_back(edit);
    recordingChanged(was);
}

void Editor::leaveScope() {
    const bool was = recording();
    scopes_.pop_back();
    recordingChanged(was);
}

void Editor::recordingChanged(bool was) {
    const bool now = recording();
    // The record is compared with the snapshot only where edits end or play begins: the snapshot is
    // taken right before the edit, or right after play, so play's changes never enter the step.
    if (was && !now) collectSinceSnapshot();
    if (!was && now) takeSnapshot();
}

bool Editor::replaceFile(const std::string& target, AssetKind kind, const QString& chosen) {
    // Read once, within the kind's size limit, and checked to decode before anything is replaced.
    std::optional<ChosenFile> file = readChosenFile(engine_, kind, chosen);
    if (!file) return false;
    const Bytes bytes = kind == AssetKind::Cursor ? storedCursor(file->bytes) : std::move(file->bytes);
    // The step keeps the old file and the new one; the old is taken to be as large as the new. A step
    // the history cannot hold would take every earlier step with it: the author is told first.
    const std::size_t stepBytes = open_.bytes() + 2 * std::size_t(bytes.size());
    if (journal_.wouldDropHistory(stepBytes) &&
        !engine_.services().messages.askYesNo(fromQt(
            QStringLiteral("Замена файла %1 займёт %2 МБ, больше, чем вмещает история правок (%3 МБ): прежние "
                           "шаги после неё нельзя будет отменить. Заменить?")
                .arg(toQt(target))
                .arg((stepBytes >> 20) + 1)
                .arg(journal_.byteLimit() >> 20)),
            Messages::Answer::No))
        return false;
    return writeFile(target, bytes);
}

bool Editor::writeFile(const std::string& target, const Bytes& bytes) {
    FileSystem& files = engine_.services().files;
    Messages& messages = engine_.services().messages;
    // The old bytes are what undo puts back; a file that exists but cannot be read is left alone, since
    // replacing it could not be taken back.
    FileSystem::ReadResult previous = files.read(target);
    std::optional<Bytes> before;
    if (previous.ok()) {
        before = std::move(previous.bytes);
    } else if (files.exists(target)) {
        messages.showError(fromQt(QStringLiteral("Файл %1 не удалось прочитать, он не заменён: %2").arg(toQt(target), toQt(previous.error))));
        return false;
    }
    const std::string error = files.writeAtomically(target, bytes);
    if (!error.empty()) {
        messages.showError("Не удалось записать файл " + target + ": " + error);
        return false;
    }
    openStep();
    open_.files.push_back(FileChange{target, std::move(before), bytes});
    closeStep();
    fileChanged(target);
    return true;
}

Editor::Outcome Editor::undo() {
    if (!canTakeStepsNow()) return Outcome::Nothing; // never from inside an action
    gestureEnds();
    if (!journal_.canUndo()) return Outcome::Nothing;
    if (!apply(journal_.nextUndo(), true)) return Outcome::Refused;
    journal_.undone();
    return Outcome::Applied;
}

Editor::Outcome Editor::redo() {
    if (!canTakeStepsNow()) return Outcome::Nothing;
    gestureEnds();
    if (!journal_.canRedo()) return Outcome::Nothing;
    if (!apply(journal_.nextRedo(), false)) return Outcome::Refused;
    journal_.redone();
    return Outcome::Applied;
}

bool Editor::writeBack(const std::string& path, const std::optional<Bytes>& bytes) {
    FileSystem& files = engine_.services().files;
    std::string error;
    if (bytes) {
        error = files.writeAtomically(path, *bytes);
    } else if (files.exists(path) && !files.remove(path)) {
        error = "файл не удаляется";
    }
    if (error.empty()) return true;
    engine_.services().messages.showError("Не удалось вернуть файл " + path + ": " + error);
    return false;
}

bool Editor::apply(const EditStep& step, bool backwards) {
    ProjectRecord& record = engine_.record();
    Messages& messages = engine_.services().messages;

    // The record as the step leaves it is built aside and replaces the live one only when it is sound.
    auto result = ProjectRecord::createBlank();
    std::memcpy(result->bytes(), record.bytes(), kProjectRecordSize);
    const auto putPatches = [&step, backwards](ProjectRecord& into) {
        const auto put = [&into](const RecordPatch& patch, const QByteArray& bytes) {
            std::memcpy(into.bytes() + patch.offset, bytes.constData(), std::size_t(bytes.size()));
        };
        if (backwards) {
            for (auto it = step.patches.rbegin(); it != step.patches.rend(); ++it) put(*it, it->before);
        } else {
            for (const RecordPatch& patch : step.patches) put(patch, patch.after);
        }
    };
    putPatches(*result);
    // Play may have moved an item since the step was made (taken it, given it away): bringing back the
    // step's bytes must not make a second copy of it.
    for (int n = 1; n <= kItemCapacity; ++n) {
        const int places = placesOfItem(*result, n);
        if (places > 1 && places > placesOfItem(record, n)) {
            messages.showError(fromQt((backwards ? QStringLiteral("Отменить нельзя: предмет %1 оказался бы сразу в двух местах.")
                                          : QStringLiteral("Повторить нельзя: предмет %1 оказался бы сразу в двух местах."))
                                   .arg(n)));
            return false;
        }
    }

    // The files, each back atomically; when one fails, those already written are put back as they were.
    std::vector<const FileChange*> order;
    for (const FileChange& file : step.files) order.push_back(&file);
    if (backwards) std::reverse(order.begin(), order.end());
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (writeBack(order[i]->path, backwards ? order[i]->before : order[i]->after)) continue;
        for (std::size_t j = i; j-- > 0;) writeBack(order[j]->path, backwards ? order[j]->after : order[j]->before);
        return false;
    }

    // The hero leaves the scene shown before the step's bytes go in, when the step shows another or
    // replaces the record: what that play changes (a door shut again) stays, and only the step's own
    // bytes change.
    ScreenState& screen = engine_.screen();
    const int wanted = backwards ? step.sceneBefore : step.sceneAfter;
    if (step.replacesRecord || (isSceneNumber(wanted) && wanted != screen.currentScene)) engine_.leaveScene();
    putPatches(record);
    if (step.replacesRecord) engine_.resetPlay();
    bool reload = step.replacesRecord;
    // The scene shown with the record; a step may also take away the scene shown (a scene count going
    // back down).
    const int scene = std::clamp(isSceneNumber(wanted) ? wanted : int(screen.currentScene), 1, usableSceneCount(record));
    if (scene != screen.currentScene) {
        engine_.leaveScene();
        screen.currentScene = std::uint16_t(scene);
        reload = true;
    }
    std::set<std::string> reread;
    for (const FileChange* file : order) {
        if (reread.insert(file->path).second) fileChanged(file->path);
    }
    if (reload && reread.empty()) engine_.reloadBackground();
    return true;
}

void Editor::fileChanged(const std::string& path) {
    engine_.assetFileChanged(path);
    if (path == engine_.paths().stamp(state().currentStamp)) engine_.loadPicture(path, engine_.pictures().stampPicture);
}

} // namespace tw
