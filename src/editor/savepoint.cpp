#include "editor/savepoint.h"

#include "editor/editor.h"
#include "platform/messages.h"
#include "project/erase.h"
#include "project/recordfile.h"
#include "runtime/engine.h"

#include <cstring>

namespace tw {
namespace {

bool confirmed(Editor& editor, const char* question) {
    return editor.engine().services().messages.askYesNo(question, Messages::Answer::No);
}

} // namespace

bool storeSavePoint(Editor& editor) {
    if (!confirmed(editor, "Сохранится текущее состояние логики игры! Сохранить?")) return false;
    Engine& engine = editor.engine();
    bool stored = false;
    editor.change([&] {
        ProjectRecord& record = engine.record();
        const std::uint16_t before = record.startScene;
        record.startScene = engine.screen().currentScene;
        const Bytes bytes(reinterpret_cast<const char*>(record.bytes()), kProjectRecordSize);
        stored = editor.writeFile(engine.paths().savePointFile(), bytes);
        if (!stored) record.startScene = before;
    });
    return stored;
}

bool restoreSavePoint(Editor& editor) {
    if (!confirmed(editor, "Откатить к последнему сохранению?")) return false;
    Engine& engine = editor.engine();
    RecordLoad load = loadRecordFile(engine.services().files, engine.paths().savePointFile());
    if (load.status == RecordLoad::Status::OpenFailed) {
        engine.services().messages.showError(" ERROR ");
        return false;
    }
    if (load.status != RecordLoad::Status::Ok) {
        engine.services().messages.showError(load.message);
        return false;
    }
    ProjectRecord& record = engine.record();
    // One step: the record and the scene it is shown in, as the author sees them after it.
    editor.change([&] {
        // The walks of the old record end before its door cells and marks are replaced.
        engine.leaveScene();
        std::memcpy(record.bytes(), load.record->bytes(), kProjectRecordSize);
        applyStartDefaults(record);
        editor.markRecordReplaced();
        engine.resetPlay();
        const int scene = record.startScene;
        engine.screen().currentScene = std::uint16_t(scene >= 1 && scene <= usableSceneCount(record) ? scene : 1);
    });
    engine.reloadBackground();
    return true;
}

bool eraseWholePlot(Editor& editor) {
    if (!confirmed(editor, "Стереть весь сюжет игры?")) return false;
    Engine& engine = editor.engine();
    editor.change([&] {
        engine.leaveScene();
        erasePlot(engine.record());
        editor.markRecordReplaced();
        engine.resetPlay();
    });
    return true;
}

bool eraseAllAnimations(Editor& editor) {
    if (!confirmed(editor, "Стереть все?")) return false;
    editor.change([&] { eraseAnimations(editor.engine().record()); });
    return true;
}

} // namespace tw
