// The check's report as the author reads it (Russian lines, each knowing its scene and dead end) and as a
// script reads it (one JSON object with fixed members, steps and warnings named by their numbers).
#include "check/reportjson.h"
#include "check/reporttext.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>

namespace tw::check {
namespace {

using Kind = Action::Kind;

// A report with one of everything: every never-list, a dead end, every action and every warning.
CheckReport everything() {
    CheckReport r;
    r.scenesReachable = {1, 2};
    r.scenesUnreachable = {4};
    r.itemsObtainable = {1, 2, 3, 4};
    r.itemsNever = {5};
    r.doorsOpenable = {{2, 1}};
    r.doorsNever = {{3, 2}};
    r.dialogsReachable = {{2, 1}};
    r.dialogsNever = {{3, 2}};
    r.giftsHappen = {{2, 1}};
    r.giftsNever = {{2, 3}};
    r.heroRemarksReachable = {1};
    r.heroRemarksNever = {7};
    r.deadEnds = {DeadEnd{Goals{{6}, {{2, 1}}},
                          {Action{Kind::Take, 1, 0, 3, 0, 26, 15}, Action{Kind::Portal, 1, 4},
                           Action{Kind::Talk, 2, 2, 1}}}};
    r.walkthrough = {Action{Kind::Take, 1, 0, 3, 0, 26, 15},         Action{Kind::Combine, 1, 0, 2, 4},
                     Action{Kind::LayDown, 1, 0, 5, 0, 4, 7},         Action{Kind::UseKey, 2, 2, 1},
                     Action{Kind::Talk, 3, 1, 2},                      Action{Kind::Talk, 3, 2},
                     Action{Kind::Portal, 1, 3}};
    r.walkthroughReaches = Goals{{1, 2}, {{2, 2}}};
    r.notTogether = Goals{{9}, {}};
    Warning w;
    w.kind = Warning::Kind::EmptyRandomDialogs, w.scene = 3, w.number = 2;
    r.warnings.push_back(w);
    w = {}, w.kind = Warning::Kind::PortalTarget, w.scene = 1, w.number = 4, w.target = 7;
    r.warnings.push_back(w);
    w = {}, w.kind = Warning::Kind::PortalArrival, w.scene = 1, w.number = 2, w.target = 2, w.col = 60, w.row = 3;
    r.warnings.push_back(w);
    w = {}, w.kind = Warning::Kind::PortalOntoPortal, w.scene = 2, w.number = 1, w.target = 1, w.col = 5, w.row = 6;
    r.warnings.push_back(w);
    w = {}, w.kind = Warning::Kind::ItemOnBlockedCell, w.scene = 2, w.item = 5, w.col = 4, w.row = 7;
    r.warnings.push_back(w);
    w = {}, w.kind = Warning::Kind::HeroOnBlockedCell, w.scene = 1, w.col = 1, w.row = 1;
    r.warnings.push_back(w);
    w = {}, w.kind = Warning::Kind::ReplayDiverged, w.detail = "дверь 1 сцены 2 закрыта";
    r.warnings.push_back(w);
    r.replayed = false;
    r.states = 5000000000LL; // past 32 bits
    r.complete = false;
    return r;
}

QSet<QString> keys(const QJsonObject& o) {
    const QStringList list = o.keys();
    return QSet<QString>(list.begin(), list.end());
}

QSet<QString> names(std::initializer_list<const char*> list) {
    QSet<QString> set;
    for (const char* n : list) set << QString::fromLatin1(n);
    return set;
}

// The line with this text outside any dead end's steps.
const ReportLine* lineWith(const std::vector<ReportLine>& lines, const QString& text) {
    const auto at = std::find_if(lines.begin(), lines.end(), [&](const ReportLine& l) {
        return l.text == text && !(l.role == ReportLine::Role::Step && l.deadEnd >= 0);
    });
    return at == lines.end() ? nullptr : &*at;
}

TEST(ReportJson, HasExactlyItsMembersWithStepsAndWarningsNamedByNumbers) {
    const CheckReport report = everything();
    // Read back from the text a script gets, not from the object in memory.
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(reportJsonText(report), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    ASSERT_TRUE(document.isObject());
    const QJsonObject o = document.object();
    EXPECT_EQ(keys(o), names({"scenes", "items", "doors", "dialogs", "gifts", "heroRemarks", "deadEnds", "walkthrough",
                              "notTogether", "replayed", "warnings", "states", "complete"}));

    EXPECT_EQ(o["scenes"].toObject(), (QJsonObject{{"reachable", QJsonArray{1, 2}}, {"unreachable", QJsonArray{4}}}));
    EXPECT_EQ(o["items"].toObject(), (QJsonObject{{"obtainable", QJsonArray{1, 2, 3, 4}}, {"never", QJsonArray{5}}}));
    EXPECT_EQ(o["doors"].toObject(), (QJsonObject{{"openable", QJsonArray{QJsonObject{{"scene", 2}, {"door", 1}}}},
                                                  {"never", QJsonArray{QJsonObject{{"scene", 3}, {"door", 2}}}}}));
    EXPECT_EQ(o["dialogs"].toObject(), (QJsonObject{{"reachable", QJsonArray{QJsonObject{{"scene", 2}, {"dialog", 1}}}},
                                                    {"never", QJsonArray{QJsonObject{{"scene", 3}, {"dialog", 2}}}}}));
    EXPECT_EQ(o["gifts"].toObject(), (QJsonObject{{"happen", QJsonArray{QJsonObject{{"scene", 2}, {"dialog", 1}}}},
                                                  {"never", QJsonArray{QJsonObject{{"scene", 2}, {"dialog", 3}}}}}));
    EXPECT_EQ(o["heroRemarks"].toObject(), (QJsonObject{{"reachable", QJsonArray{1}}, {"never", QJsonArray{7}}}));
    EXPECT_EQ(o["notTogether"].toObject(), (QJsonObject{{"doors", QJsonArray{}}, {"items", QJsonArray{9}}}));
    EXPECT_EQ(o["replayed"], QJsonValue(false));
    EXPECT_EQ(o["complete"], QJsonValue(false));
    EXPECT_EQ(o["states"].toInteger(), 5000000000LL);

    // Every action with the numbers it has, and no others.
    const QJsonArray walk = o["walkthrough"].toArray();
    const QJsonArray expected{
        QJsonObject{{"action", "take"}, {"scene", 1}, {"item", 3}, {"col", 26}, {"row", 15}},
        QJsonObject{{"action", "combine"}, {"scene", 1}, {"item", 2}, {"with", 4}},
        QJsonObject{{"action", "layDown"}, {"scene", 1}, {"item", 5}, {"col", 4}, {"row", 7}},
        QJsonObject{{"action", "useKey"}, {"scene", 2}, {"item", 1}, {"door", 2}},
        QJsonObject{{"action", "talk"}, {"scene", 3}, {"dialog", 1}, {"item", 2}},
        QJsonObject{{"action", "talk"}, {"scene", 3}, {"dialog", 2}},
        QJsonObject{{"action", "portal"}, {"scene", 1}, {"portal", 3}},
    };
    ASSERT_EQ(walk.size(), expected.size());
    for (qsizetype i = 0; i < walk.size(); ++i)
        EXPECT_EQ(walk[i].toObject(), expected[i].toObject()) << i;

    const QJsonArray deadEnds = o["deadEnds"].toArray();
    ASSERT_EQ(deadEnds.size(), 1);
    const QJsonObject dead = deadEnds[0].toObject();
    EXPECT_EQ(keys(dead), names({"lost", "steps"}));
    EXPECT_EQ(dead["lost"].toObject(), (QJsonObject{{"doors", QJsonArray{QJsonObject{{"scene", 2}, {"door", 1}}}},
                                                    {"items", QJsonArray{6}}}));
    ASSERT_EQ(dead["steps"].toArray().size(), 3);
    EXPECT_EQ(dead["steps"].toArray()[2].toObject(),
              (QJsonObject{{"action", "talk"}, {"scene", 2}, {"dialog", 2}, {"item", 1}}));

    const QJsonArray warnings = o["warnings"].toArray();
    const QJsonArray expectedWarnings{
        QJsonObject{{"kind", "emptyRandomDialogs"}, {"scene", 3}, {"dialog", 2}},
        QJsonObject{{"kind", "portalTarget"}, {"scene", 1}, {"portal", 4}, {"target", 7}},
        QJsonObject{{"kind", "portalArrival"}, {"scene", 1}, {"portal", 2}, {"target", 2}, {"col", 60}, {"row", 3}},
        QJsonObject{{"kind", "portalOntoPortal"}, {"scene", 2}, {"portal", 1}, {"target", 1}, {"col", 5}, {"row", 6}},
        QJsonObject{{"kind", "itemOnBlockedCell"}, {"scene", 2}, {"item", 5}, {"col", 4}, {"row", 7}},
        QJsonObject{{"kind", "heroOnBlockedCell"}, {"scene", 1}, {"col", 1}, {"row", 1}},
        QJsonObject{{"kind", "replayDiverged"}, {"detail", QString::fromUtf8("дверь 1 сцены 2 закрыта")}},
    };
    ASSERT_EQ(warnings.size(), expectedWarnings.size());
    for (qsizetype i = 0; i < warnings.size(); ++i)
        EXPECT_EQ(warnings[i].toObject(), expectedWarnings[i].toObject()) << i;
}

TEST(ReportText, NamesEveryThingByItsNumbersAndKnowsItsSceneAndDeadEnd) {
    const CheckReport report = everything();
    const std::vector<ReportLine> lines = reportLines(report);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().role, ReportLine::Role::Verdict);
    EXPECT_TRUE(lines.front().text.startsWith(QStringLiteral("Проверка нашла: ")));
    EXPECT_TRUE(lines.front().text.contains(QStringLiteral("тупики: 1")));
    EXPECT_TRUE(lines.front().text.contains(QStringLiteral("перебор остановлен на пределе")));

    // Entries of the never-lists carry their scene; items and remarks belong to none.
    struct Expected {
        const char* text;
        int scene;
    };
    for (const Expected& e : {Expected{"Сцена 4", 4}, Expected{"Предмет 5", 0}, Expected{"Сцена 3, дверь 2", 3},
                              Expected{"Сцена 3, персонаж 2", 3}, Expected{"Сцена 2, персонаж 3", 2},
                              Expected{"Реплика героя 7", 0}}) {
        const ReportLine* line = lineWith(lines, QString::fromUtf8(e.text));
        ASSERT_NE(line, nullptr) << e.text;
        EXPECT_EQ(line->role, ReportLine::Role::Entry) << e.text;
        EXPECT_EQ(line->scene, e.scene) << e.text;
        EXPECT_EQ(line->deadEnd, -1) << e.text;
    }

    // The dead end: its line opens dead end 0 in the scene of its last step, its steps belong to it.
    const auto dead = std::find_if(lines.begin(), lines.end(), [](const ReportLine& l) {
        return l.role == ReportLine::Role::Entry && l.deadEnd == 0;
    });
    ASSERT_NE(dead, lines.end());
    EXPECT_EQ(dead->text, QStringLiteral("Тупик 1: уже не открыть Сцена 2, дверь 1; не получить Предмет 6 (шагов: 3)"));
    EXPECT_EQ(dead->scene, 2);
    const std::vector<ReportLine> steps = deadEndSteps(report, 0);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].text, QStringLiteral("1. Сцена 1: взять предмет 3"));
    EXPECT_EQ(steps[1].text, QStringLiteral("2. Сцена 1: пройти в переход 4"));
    EXPECT_EQ(steps[2].text, QStringLiteral("3. Сцена 2: поговорить с персонажем 2 (отдать предмет 1)"));
    EXPECT_EQ(steps[2].scene, 2);
    for (const ReportLine& s : steps) EXPECT_EQ(s.deadEnd, 0);
    EXPECT_TRUE(deadEndSteps(report, 1).empty());

    // Each action reads as a sentence.
    const QStringList sentences = {
        "Сцена 1: взять предмет 3",
        "Сцена 1: положить предмет 2 на предмет 4 в сумке",
        "Сцена 1: положить предмет 5 на клетку (4, 7)",
        "Сцена 2: использовать предмет 1 на двери 2",
        "Сцена 3: поговорить с персонажем 1 (отдать предмет 2)",
        "Сцена 3: поговорить с персонажем 2",
        "Сцена 1: пройти в переход 3",
    };
    for (qsizetype i = 0; i < sentences.size(); ++i) {
        EXPECT_EQ(actionText(report.walkthrough[std::size_t(i)]), sentences[i]);
        const ReportLine* step = lineWith(lines, QStringLiteral("%1. ").arg(i + 1) + sentences[i]);
        ASSERT_NE(step, nullptr) << i;
        EXPECT_EQ(step->role, ReportLine::Role::Step);
        EXPECT_EQ(step->scene, report.walkthrough[std::size_t(i)].scene);
    }

    // Warnings name the portal and the scene; a replay that went its own way is said to be the check's fault.
    const QString text = reportText(report);
    EXPECT_TRUE(text.contains(QStringLiteral("Сцена 1, переход 4 ведёт в сцену 7")));
    EXPECT_TRUE(text.contains(QStringLiteral("Сцена 1, переход 2 приводит на клетку (60, 3) сцены 2")));
    EXPECT_TRUE(text.contains(QStringLiteral("Сцена 2: предмет 5 лежит на непроходимой клетке (4, 7)")));
    EXPECT_TRUE(text.contains(QStringLiteral("Проверка расходится с игрой: дверь 1 сцены 2 закрыта")));
    EXPECT_TRUE(text.contains(QStringLiteral("Вместе с этим прохождением не получить Предмет 9 (это можно только в другой игре).")));
    EXPECT_TRUE(text.contains(QStringLiteral("Проверено состояний: 5000000000; перебор остановлен на пределе")));
    EXPECT_FALSE(text.contains(QStringLiteral("сыграно в самой игре")));

    // Nothing found: one plain verdict, and none of the groups.
    CheckReport clean;
    clean.scenesReachable = {1};
    clean.walkthrough = {Action{Kind::Take, 1, 0, 3}};
    clean.replayed = true;
    clean.states = 12;
    const QString cleanText = reportText(clean);
    EXPECT_TRUE(cleanText.startsWith(QStringLiteral("Проверка ничего не нашла")));
    EXPECT_TRUE(findingsText(clean).isEmpty());
    for (const char* group : {"Тупики", "Предупреждения", "нельзя", "расходится"})
        EXPECT_FALSE(cleanText.contains(QString::fromUtf8(group))) << group;
    EXPECT_TRUE(cleanText.contains(QStringLiteral("Прохождение сыграно в самой игре")));
    EXPECT_TRUE(cleanText.contains(QStringLiteral("Проверено состояний: 12; перебор полный.")));
}

} // namespace
} // namespace tw::check
