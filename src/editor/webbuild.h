#pragma once

#include <QString>

namespace tw {

class AssetPaths;
class Editor;
class FileSystem;
class Messages;
struct ProjectRecord;

// The web player's files, in web/ beside the editor; each game built for the browser gets a copy.
inline constexpr const char* kWebPlayerFiles[] = {"index.html", "player.js", "player.css", "tarnwick-web.js",
                                                  "tarnwick-web.wasm"};
// The game's own files, packed into one (see project/gamepack.h).
inline constexpr const char* kWebGamePack = "game.pak";

// Why the program in the folder of `program` cannot build for the browser (its web player is missing);
// empty when it can.
QString webPlayerProblem(FileSystem& files, const AssetPaths& program);

// A game for the browser, built from the project in `paths` with `record` as its record, under `name`,
// into the folder `target` (which must exist): the web player's files, index.html titled with the name,
// and the game's files in game.pak. The checks are the desktop build's: a name the page would refuse, a
// file the game needs missing, a link or a folder where a file is written stop the build before it
// writes anything. A folder that is not empty is asked about when `mayAsk`, refused otherwise. A build
// that fails takes back what it wrote. Tells the outcome either way; true when the game was built.
// The web player's files come from web/ in `program`'s folder.
bool writeWebGame(FileSystem& files, const AssetPaths& program, const AssetPaths& paths, const ProjectRecord& record,
                  const QString& name, const QString& target, Messages& messages, bool mayAsk);

// The editor's "Сохранить для браузера": the record takes the scene shown and the name typed, is written
// as the project and the save point (as "Сохранить" does), and the game is built into a folder the
// author chooses.
bool buildWebGame(Editor& editor, const QString& gameNameText);

} // namespace tw
