#pragma once

#include "platform/audio.h"
#include "platform/cursors.h"
#include "platform/filedialogs.h"
#include "platform/filesystem.h"
#include "platform/messages.h"
#include "platform/random.h"
#include "runtime/services.h"

#include <QHash>
#include <QStringList>

#include <deque>
#include <optional>

namespace tw::test {

// Paths of the fake tree, named either way: as the toolkit's texts the tests write, or as the UTF-8
// texts the program's paths are.
class PathList : public QStringList {
public:
    using QStringList::QStringList;
    PathList(const QStringList& paths) : QStringList(paths) {}
    PathList(std::initializer_list<std::string> paths) {
        for (const std::string& path : paths) append(QString::fromStdString(path));
    }
    using QStringList::contains;
    using QStringList::count;
    using QStringList::operator<<;
    bool contains(const std::string& path) const { return contains(QString::fromStdString(path)); }
    qsizetype count(const std::string& path) const { return count(QString::fromStdString(path)); }
    PathList& operator<<(const std::string& path) {
        append(QString::fromStdString(path));
        return *this;
    }
};

// The files of the fake tree by path, as the toolkit's bytes.
class FileTable : public QHash<QString, QByteArray> {
public:
    using QHash::QHash;
    using QHash::contains;
    using QHash::insert;
    using QHash::operator[];
    using QHash::remove;
    using QHash::value;
    bool contains(const std::string& path) const { return contains(QString::fromStdString(path)); }
    QByteArray& operator[](const std::string& path) { return operator[](QString::fromStdString(path)); }
    QByteArray value(const std::string& path) const { return value(QString::fromStdString(path)); }
    bool remove(const std::string& path) { return remove(QString::fromStdString(path)); }
    void insert(const std::string& path, const QByteArray& bytes) { insert(QString::fromStdString(path), bytes); }
};

// An in-memory file tree that records every file opened and can be told to fail.
class FakeFileSystem final : public FileSystem {
public:
    FileTable files;
    PathList opened;        // every read, in order
    PathList written;       // every successful write, in order
    PathList failWritesTo;  // writes to these paths fail
    PathList failReadsOf;   // reads of these paths fail after opening
    PathList removed;       // every file removed, in order

    // Paths are the UTF-8 texts of the keys above.
    ReadResult read(const std::string& path) override;
    std::string writeAtomically(const std::string& path, const Bytes& bytes) override;
    std::string copy(const std::string& from, const std::string& to) override;
    bool exists(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    std::string makeDirectory(const std::string& path) override;
    bool remove(const std::string& path) override;
    std::string makeExecutable(const std::string& path) override;
    PathList executables; // files made executable

    PathList directories;

    // Reads of these paths go to the real disk file named (a huge sparse file, a pipe, /dev/zero) through
    // the disk's own reader.
    QHash<QString, QString> onDisk;
    ReadResult readChosen(const std::string& path, std::int64_t limit, const ReadProgress& progress) override;

    PathList links;      // paths that are symbolic links: writes to them are refused as on disk
    qint64 spaceLeft = -1;  // bytes the disk still takes (-1: no limit); a write beyond fails for want of space
    bool isLink(const std::string& path) override { return links.contains(QString::fromStdString(path)); }
    std::vector<std::string> entries(const std::string& folder) override;
    bool sameFile(const std::string& a, const std::string& b) override;
};

class FakeMessages final : public Messages {
public:
    QStringList errors;
    QStringList infos;
    QStringList questions;
    QList<Answer> defaults; // the default button offered with each question, in step with questions
    bool answerYes = true;
    QList<bool> answersInTurn; // the answers to the next questions, in order; then answerYes
    int beeps = 0;
    void showError(const std::string& text) override { errors << QString::fromStdString(text); }
    void showInfo(const std::string& text) override { infos << QString::fromStdString(text); }
    void beep() override { ++beeps; }

protected:
    bool ask(const std::string& text, Answer defaultAnswer) override {
        questions << QString::fromStdString(text);
        defaults << defaultAnswer;
        return answersInTurn.isEmpty() ? answerYes : answersInTurn.takeFirst();
    }
};

class FakeAudio final : public Audio {
public:
    QStringList log; // "open:<path>", "play", "close", "effect:<path>", "click:<path>", "closeEffects"
    long long position = 0;
    long long length = 0;
    void openMusic(const std::string& path) override { log << QStringLiteral("open:") + QString::fromStdString(path); }
    void playMusic() override { log << QStringLiteral("play"); }
    void closeMusic() override { log << QStringLiteral("close"); }
    long long musicPosition() override { return position; }
    long long musicLength() override { return length; }
    void playEffect(const std::string& path) override { log << QStringLiteral("effect:") + QString::fromStdString(path); }
    void playClick(const std::string& path) override { log << QStringLiteral("click:") + QString::fromStdString(path); }
    void closeEffects() override { log << QStringLiteral("closeEffects"); }
};

class FakeCursors final : public CursorDisplay {
public:
    std::optional<AniCursor> installed[kCursorSlots + 1];
    int installs = 0;
    int shown = kCursorDefault;
    void install(int slot, std::optional<AniCursor> cursor) override {
        ++installs;
        if (slot >= 1 && slot <= kCursorSlots) installed[slot] = std::move(cursor);
    }
    void show(int shape) override { shown = shape; }
};

// Hands out prepared numbers, then zeros.
class ScriptedRandom final : public RandomSource {
public:
    std::deque<int> next;
    int below(int bound) override {
        if (next.empty()) return 0;
        const int value = next.front();
        next.pop_front();
        return bound > 0 ? value % bound : 0;
    }
};

// Answers the choosers with prepared paths, then cancels; records what was asked.
class FakeFileDialogs final : public FileDialogs {
public:
    QStringList answers; // handed out in order; none left is a cancel
    QStringList asked;   // "open:<filter>", "save:<filter>", "folder"
    QStringList titles;  // the title of each file chooser, in order
    QStringList folders; // the folder each file chooser opened in, in order
    int readingReports = 0; // progress reports of chosen files being read
    std::string openFile(const std::string& title, const std::string& filter, const std::string& folder) override {
        titles << QString::fromStdString(title);
        folders << QString::fromStdString(folder);
        return answer(QStringLiteral("open:") + QString::fromStdString(filter)).toStdString();
    }
    bool reading(const std::string&, std::int64_t, std::int64_t) override {
        ++readingReports;
        return true;
    }
    std::string saveFile(const std::string& filter) override {
        return answer(QStringLiteral("save:") + QString::fromStdString(filter)).toStdString();
    }
    std::string chooseFolder() override { return answer(QStringLiteral("folder")).toStdString(); }

private:
    QString answer(const QString& question) {
        asked << question;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

// One of each fake, wired together.
struct FakeWorld {
    FakeFileSystem files;
    FakeMessages messages;
    FakeAudio audio;
    FakeCursors cursors;
    ScriptedRandom random;
    FakeFileDialogs dialogs;
    Services services() { return Services{files, messages, audio, cursors, random, dialogs}; }
};

} // namespace tw::test
