#include "app/replaycommand.h"

#include "editor/canvasediting.h"
#include "editor/editorshell.h"
#include "commandline/replaycommand.h"

namespace tw {

ReplayEditor editorForReplay() {
    ReplayEditor editor;
    editor.attach = [](Engine& engine) {
        return std::shared_ptr<void>(std::make_shared<CanvasEditing>(engine));
    };
    editor.show = [](Engine& engine) {
        selectPage(engine, EditorPage::PlotEditor);
        engine.keyDown(kEscapeKey);
    };
    return editor;
}

int runEditorReplay(int argc, char** argv) {
    return runReplayCommand(argc, argv, editorForReplay());
}

} // namespace tw
