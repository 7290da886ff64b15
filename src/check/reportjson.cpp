#include "check/reportjson.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace tw::check {
namespace {

QJsonArray numbers(const std::vector<int>& values) {
    QJsonArray array;
    for (int v : values) array.append(v);
    return array;
}

// Doors as {"scene", "door"}, characters as {"scene", "dialog"}.
QJsonArray objects(const std::vector<SceneObject>& values, const QString& name) {
    QJsonArray array;
    for (const SceneObject& o : values) array.append(QJsonObject{{QStringLiteral("scene"), o.scene}, {name, o.number}});
    return array;
}

QJsonObject pair(const char* first, QJsonArray a, const char* second, QJsonArray b) {
    return QJsonObject{{QLatin1String(first), a}, {QLatin1String(second), b}};
}

QJsonObject goals(const Goals& g) {
    return pair("doors", objects(g.doors, QStringLiteral("door")), "items", numbers(g.items));
}

QJsonObject step(const Action& a) {
    QJsonObject o{{QStringLiteral("scene"), a.scene}};
    const auto set = [&o](const char* name, int value) { o.insert(QLatin1String(name), value); };
    switch (a.kind) {
    case Action::Kind::Take:
        set("item", a.item);
        set("col", a.col);
        set("row", a.row);
        o.insert(QStringLiteral("action"), QStringLiteral("take"));
        break;
    case Action::Kind::Combine:
        set("item", a.item);
        set("with", a.other);
        o.insert(QStringLiteral("action"), QStringLiteral("combine"));
        break;
    case Action::Kind::LayDown:
        set("item", a.item);
        set("col", a.col);
        set("row", a.row);
        o.insert(QStringLiteral("action"), QStringLiteral("layDown"));
        break;
    case Action::Kind::UseKey:
        set("item", a.item);
        set("door", a.number);
        o.insert(QStringLiteral("action"), QStringLiteral("useKey"));
        break;
    case Action::Kind::Talk:
        set("dialog", a.number);
        if (a.item != 0) set("item", a.item);
        o.insert(QStringLiteral("action"), QStringLiteral("talk"));
        break;
    case Action::Kind::Portal:
        set("portal", a.number);
        o.insert(QStringLiteral("action"), QStringLiteral("portal"));
        break;
    }
    return o;
}

QJsonArray steps(const std::vector<Action>& actions) {
    QJsonArray array;
    for (const Action& a : actions) array.append(step(a));
    return array;
}

QJsonObject warning(const Warning& w) {
    QJsonObject o;
    const auto set = [&o](const char* name, int value) { o.insert(QLatin1String(name), value); };
    const auto kind = [&o](const char* name) { o.insert(QStringLiteral("kind"), QLatin1String(name)); };
    switch (w.kind) {
    case Warning::Kind::EmptyRandomDialogs:
        kind("emptyRandomDialogs");
        set("scene", w.scene);
        set("dialog", w.number);
        break;
    case Warning::Kind::PortalTarget:
        kind("portalTarget");
        set("scene", w.scene);
        set("portal", w.number);
        set("target", w.target);
        break;
    case Warning::Kind::PortalArrival:
    case Warning::Kind::PortalOntoPortal:
        kind(w.kind == Warning::Kind::PortalArrival ? "portalArrival" : "portalOntoPortal");
        set("scene", w.scene);
        set("portal", w.number);
        set("target", w.target);
        set("col", w.col);
        set("row", w.row);
        break;
    case Warning::Kind::ItemOnBlockedCell:
        kind("itemOnBlockedCell");
        set("scene", w.scene);
        set("item", w.item);
        set("col", w.col);
        set("row", w.row);
        break;
    case Warning::Kind::HeroOnBlockedCell:
        kind("heroOnBlockedCell");
        set("scene", w.scene);
        set("col", w.col);
        set("row", w.row);
        break;
    case Warning::Kind::ReplayDiverged:
        kind("replayDiverged");
        o.insert(QStringLiteral("detail"), QString::fromStdString(w.detail));
        break;
    }
    return o;
}

} // namespace

QJsonObject reportJson(const CheckReport& r) {
    QJsonArray deadEnds;
    for (const DeadEnd& d : r.deadEnds)
        deadEnds.append(QJsonObject{{QStringLiteral("lost"), goals(d.lost)}, {QStringLiteral("steps"), steps(d.steps)}});
    QJsonArray warnings;
    for (const Warning& w : r.warnings) warnings.append(warning(w));
    const QString door = QStringLiteral("door"), dialog = QStringLiteral("dialog");
    return QJsonObject{
        {QStringLiteral("scenes"), pair("reachable", numbers(r.scenesReachable), "unreachable", numbers(r.scenesUnreachable))},
        {QStringLiteral("items"), pair("obtainable", numbers(r.itemsObtainable), "never", numbers(r.itemsNever))},
        {QStringLiteral("doors"), pair("openable", objects(r.doorsOpenable, door), "never", objects(r.doorsNever, door))},
        {QStringLiteral("dialogs"),
         pair("reachable", objects(r.dialogsReachable, dialog), "never", objects(r.dialogsNever, dialog))},
        {QStringLiteral("gifts"), pair("happen", objects(r.giftsHappen, dialog), "never", objects(r.giftsNever, dialog))},
        {QStringLiteral("heroRemarks"),
         pair("reachable", numbers(r.heroRemarksReachable), "never", numbers(r.heroRemarksNever))},
        {QStringLiteral("deadEnds"), deadEnds},
        {QStringLiteral("walkthrough"), steps(r.walkthrough)},
        {QStringLiteral("notTogether"), goals(r.notTogether)},
        {QStringLiteral("replayed"), r.replayed},
        {QStringLiteral("warnings"), warnings},
        {QStringLiteral("states"), QJsonValue(qint64(r.states))},
        {QStringLiteral("complete"), r.complete},
    };
}

QByteArray reportJsonText(const CheckReport& report) {
    return QJsonDocument(reportJson(report)).toJson(QJsonDocument::Indented);
}

} // namespace tw::check
