#include "editor/cursorsounds.h"

#include "editor/chosenfile.h"
#include "editor/editor.h"
#include "platform/audio.h"
#include "platform/cursors.h"
#include "platform/filedialogs.h"
#include "project/assetcheck.h"
#include "runtime/engine.h"

namespace tw {
namespace {

const char* soundFile(GameSound sound) {
    switch (sound) {
    case GameSound::Transition: return "hod.wav";
    case GameSound::Click: return "clik.wav";
    case GameSound::Event: return "even.wav";
    }
    return "even.wav";
}

// The chooser's title: the button's caption.
QString soundTitle(GameSound sound) {
    switch (sound) {
    case GameSound::Transition: return QStringLiteral("Переход на другую сцену (wav)");
    case GameSound::Click: return QStringLiteral("Клик (wav)");
    case GameSound::Event: return QStringLiteral("Событие (wav)");
    }
    return {};
}

void startMusic(Engine& engine) {
    Audio& audio = engine.services().audio;
    audio.openMusic(engine.paths().sound("fon.mp3"));
    audio.playMusic();
    engine.play().musicLoop = true;
}

} // namespace

bool replaceCursor(Editor& editor, int slot) {
    if (slot < 1 || slot > kCursorSlots) return false;
    Engine& engine = editor.engine();
    const QString chosen = chooseAssetFile(engine, AssetKind::Cursor,
                                           QStringLiteral("Курсор %1 (.ani)").arg(QLatin1String(kCursorFileNames[slot - 1])));
    if (chosen.isEmpty()) return false;
    // Written through the editor, the slot's file is read again and installed (Engine::assetFileChanged).
    bool replaced = false;
    editor.change([&] { replaced = editor.replaceFile(engine.paths().cursor(slot), AssetKind::Cursor, chosen); });
    return replaced;
}

bool replaceSound(Editor& editor, GameSound sound) {
    Engine& engine = editor.engine();
    engine.services().audio.closeEffects();
    const QString chosen = chooseAssetFile(engine, AssetKind::Wave, soundTitle(sound));
    if (chosen.isEmpty()) return false;
    bool replaced = false;
    editor.change([&] {
        replaced = editor.replaceFile(engine.paths().sound(soundFile(sound)), AssetKind::Wave, chosen);
    });
    return replaced;
}

bool replaceMusic(Editor& editor) {
    Engine& engine = editor.engine();
    engine.play().musicLoop = false;
    engine.services().audio.closeMusic();
    const QString chosen = chooseAssetFile(engine, AssetKind::Mp3, QStringLiteral("Фоновый музон (mp3)"));
    bool replaced = false;
    if (!chosen.isEmpty()) {
        editor.change([&] {
            replaced = editor.replaceFile(engine.paths().sound("fon.mp3"), AssetKind::Mp3, chosen);
        });
    }
    startMusic(engine);
    return replaced;
}

void toggleMusic(Engine& engine) {
    if (engine.play().musicLoop) {
        engine.play().musicLoop = false;
        engine.services().audio.closeMusic();
        return;
    }
    startMusic(engine);
}

} // namespace tw
