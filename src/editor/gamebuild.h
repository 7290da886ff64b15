#pragma once

#include <QString>
#include <QStringList>

namespace tw {

class Editor;
class ProjectRecord;

// Why `name` cannot name the built game's program, in Russian; empty when it can. The name becomes a
// file name beside the game's `mzh` folder.
QString gameNameProblem(const QString& name);

// The files a built game is made of, as paths relative to the game's folder, in the order they are
// copied: the scenes, the data files, the sounds, the comics. The program comes after them.
QStringList gameFiles(const ProjectRecord& record);

// "Сохранить" on "Сборка": asks for a folder and builds the game there under the name `gameNameText`
// (the text of Edit15 now). The record, with the scene shown as its start and the name, is written as the
// project and as the save point (one undoable step); the `mzh` folders are made, the files copied and the
// player program written last under the game's name, executable. Every refusal and failure is told with
// the file or folder it concerns, and a build that stops leaves the files copied so far. A successful
// build says where the game is. Returns true when the game was built.
bool buildGame(Editor& editor, const QString& gameNameText);

} // namespace tw
