#pragma once

#include "commandline/replaycommand.h"

namespace tw {

// The editor as a replay plugs it into the engine (see runEditorReplay).
ReplayEditor editorForReplay();

// `tarnwick --replay FILE [--grab PNG] [--json]`: a recording made in the player, played back headless in
// the editor's engine: the editor's canvas editing is plugged in and the page "Редактор сюжета" chosen,
// then Esc shows the game's menu, where a player's recording begins. The menu's "Новая игра", "Открыть"
// and "Сохранить" do what they do in the player. Output and exit codes as runReplayCommand's.
int runEditorReplay(int argc, char** argv);

} // namespace tw
