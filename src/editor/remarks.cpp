#include "editor/remarks.h"

#include "editor/canvasediting.h"
#include "editor/editor.h"
#include "runtime/engine.h"

#include <algorithm>

namespace tw {
namespace {

TextPreview plain(Point at, const QString& text) {
    TextPreview preview;
    if (text.isEmpty()) return preview;
    preview.at = at;
    preview.lines = {text};
    return preview;
}

} // namespace

void stepHeroRemark(Engine& engine, int delta) {
    int& n = editorState(engine).currentHeroRemark;
    n = std::clamp(n + delta, 1, kHeroRemarkCapacity);
}

void storeHeroRemark(Editor& editor, const std::string& text) {
    Engine& engine = editor.engine();
    const int n = std::clamp(editorState(engine).currentHeroRemark, 1, kHeroRemarkCapacity);
    editor.change([&] { engine.record().heroRemark(n).text.setText(text); });
}

void storeHint(Editor& editor, const std::string& text) {
    Engine& engine = editor.engine();
    const int k = std::clamp(editorState(engine).currentHint, 1, kHintsPerScene);
    editor.change([&] { engine.record().scene(engine.screen().currentScene).hint(k).text.setText(text); });
}

void removeHint(Editor& editor) {
    Engine& engine = editor.engine();
    const int k = std::clamp(editorState(engine).currentHint, 1, kHintsPerScene);
    editor.change([&] { engine.record().scene(engine.screen().currentScene).hint(k).text.clear(); });
}

void storeCrowdRemark(Editor& editor, const std::string& text) {
    Engine& engine = editor.engine();
    const int k = std::clamp(editorState(engine).crowdRemarkSpin, 1, kCrowdRemarkCapacity);
    editor.change([&] { engine.record().crowdRemark(k).text.setText(text); });
}

TextPreview heroRemarkPreview(Engine& engine, const QString& text) {
    const ProjectRecord& record = engine.record();
    const PlayState& play = engine.play();
    const HeroRemark& remark = record.heroRemark(std::clamp(editorState(engine).currentHeroRemark, 1, kHeroRemarkCapacity));
    Point hero{record.heroX, record.heroY};
    if (remark.state != 0 && remark.scene == engine.screen().currentScene)
        hero = Point{kCellSize * remark.col - kCellSize / 2, kCellSize * remark.row - kCellSize / 2};
    // Play puts the remark 10 px right of the hero and 10 px above his head.
    const int a = isAnimationNumber(play.heroAnimation) ? play.heroAnimation : 1;
    const int f = play.previewFrame >= 1 && play.previewFrame <= kFrameCapacity ? play.previewFrame : 1;
    const int height = record.animation(a).frame(f).height;
    return plain(Point{hero.x + 10, hero.y - height - 10}, text);
}

TextPreview hintPreview(Engine& engine, const QString& text) {
    const Hint& hint =
        engine.record().scene(engine.screen().currentScene).hint(std::clamp(editorState(engine).currentHint, 1, kHintsPerScene));
    return plain(Point{hint.textX, hint.textY}, text);
}

TextPreview crowdRemarkPreview(Engine& engine, const QString& text) {
    const CrowdRemark& crowd = engine.record().crowdRemark(std::clamp(editorState(engine).crowdRemarkSpin, 1, kCrowdRemarkCapacity));
    return plain(Point{crowd.x, crowd.y}, text);
}

} // namespace tw
