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

// An in-memory file tree that records every file opened and can be told to fail.
class FakeFileSystem final : public FileSystem {
public:
    QHash<QString, QByteArray> files;
    QStringList opened;        // every read, in order
    QStringList written;       // every successful write, in order
    QStringList failWritesTo;  // writes to these paths fail
    QStringList failReadsOf;   // reads of these paths fail after opening
    QStringList removed;       // every file removed, in order

    ReadResult read(const QString& path) override;
    QString writeAtomically(const QString& path, const QByteArray& bytes) override;
    QString copy(const QString& from, const QString& to) override;
    bool exists(const QString& path) override;
    bool isDirectory(const QString& path) override;
    QString makeDirectory(const QString& path) override;
    bool remove(const QString& path) override;
    QString makeExecutable(const QString& path) override {
        if (!files.contains(path)) return QStringLiteral("No such file or directory");
        executables << path;
        return {};
    }
    QStringList executables; // files made executable

    QStringList directories;

    // Reads of these paths go to the real disk file named (a huge sparse file, a pipe, /dev/zero) through
    // the disk's own reader.
    QHash<QString, QString> onDisk;
    ReadResult readChosen(const QString& path, qint64 limit, const ReadProgress& progress) override;

    QStringList links;      // paths that are symbolic links: writes to them are refused as on disk
    qint64 spaceLeft = -1;  // bytes the disk still takes (-1: no limit); a write beyond fails for want of space
    bool isLink(const QString& path) override { return links.contains(path); }
    QStringList entries(const QString& folder) override;
    bool sameFile(const QString& a, const QString& b) override;
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
