#pragma once

#include <QString>
#include <QStringList>

namespace tw {

class Editor;
class Engine;
struct ProjectRecord;

// Why `name` cannot name the built game's program, in Russian; empty when it can. The name becomes a
// file name beside the game's `mzh` folder: no separators or control characters, and no character that
// is invisible or turns the direction of writing (format characters such as U+200B or U+202E, line and
// paragraph separators, fillers), which would make the file's name read other than it is.
QString gameNameProblem(const QString& name);

// The files a built game is made of, as paths relative to the game's folder, in the order they are
// copied: the scenes, the data files, the sounds, the comics. The program comes after them.
QStringList gameFiles(const ProjectRecord& record);
// Whether the game as recorded needs the file `relative` (one of gameFiles()): every scene, data file and
// sound does; a comic only when a closed door of one of the game's scenes shows it.
bool gameUsesFile(const ProjectRecord& record, const QString& relative);

// "Сохранить" on "Сборка": asks for a folder and builds the game there under the name `gameNameText`
// (the text of Edit15 now).
//
// Refused before anything is written: a name gameNameProblem() refuses; a folder that is, or lies in,
// the editor's own folder or its `mzh` or `graf` tree (compared as real paths, links resolved); a folder
// where any name the build would write (a `mzh` folder, a game file, the program) is a link, or a folder
// where a file stands; a file the game uses missing from the project. A folder that is not empty is asked
// about first, naming what is in it and which of it the build would replace.
//
// Then the record, with the scene shown as its start and the name, is written as the project and as the
// save point (not an edit: no undo step); the `mzh` folders are made, the files that exist copied and the
// player program written last under the game's name, executable. Nothing is written through a link. A
// build that fails on the way says which file and why, and takes back what it wrote in the folder: the
// files and folders it made are removed, the files it replaced get their old bytes back. A successful
// build says where the game is and names each file the game does not use that was missing and so not
// copied. Returns true when the game was built.
bool buildGame(Editor& editor, const QString& gameNameText);

// The record as built: the scene shown is where the game starts, under the name typed now. Written as
// the project and the save point as a close would write it: a build is no edit, and undo never takes it
// back. False, after telling why, when a write failed.
bool storeRecordAsBuilt(Engine& engine, const QString& name);

} // namespace tw
