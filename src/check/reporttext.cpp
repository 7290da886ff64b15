#include "check/reporttext.h"

#include <QStringList>

namespace tw::check {
namespace {

using Role = ReportLine::Role;

QString number(long long n) { return QString::number(n); }

QString sceneName(int s) { return QStringLiteral("Сцена %1").arg(s); }
QString itemName(int n) { return QStringLiteral("Предмет %1").arg(n); }
QString doorName(const SceneObject& d) { return QStringLiteral("Сцена %1, дверь %2").arg(d.scene).arg(d.number); }
QString characterName(const SceneObject& c) {
    return QStringLiteral("Сцена %1, персонаж %2").arg(c.scene).arg(c.number);
}
QString portalName(int scene, int k) { return QStringLiteral("Сцена %1, переход %2").arg(scene).arg(k); }
QString remarkName(int k) { return QStringLiteral("Реплика героя %1").arg(k); }
QString cell(int col, int row) { return QStringLiteral("(%1, %2)").arg(col).arg(row); }

QString itemList(const std::vector<int>& items) {
    QStringList names;
    for (int n : items) names << itemName(n);
    return names.join(QStringLiteral(", "));
}

QString doorList(const std::vector<SceneObject>& doors) {
    QStringList names;
    for (const SceneObject& d : doors) names << doorName(d);
    return names.join(QStringLiteral("; "));
}

// What is out of reach, doors first: "не открыть Сцена 2, дверь 1; не получить Предмет 4, Предмет 5".
QString lostText(const Goals& goals) {
    QStringList parts;
    if (!goals.doors.empty()) parts << QStringLiteral("не открыть ") + doorList(goals.doors);
    if (!goals.items.empty()) parts << QStringLiteral("не получить ") + itemList(goals.items);
    return parts.join(QStringLiteral("; "));
}

// The groups of things never reached, in the order the report lists them, with their counts for the verdict.
struct Findings {
    QStringList parts;
    void add(std::size_t count, const char* what) {
        if (count > 0) parts << QStringLiteral("%1: %2").arg(QString::fromUtf8(what)).arg(count);
    }
};

QString warningText(const Warning& w) {
    switch (w.kind) {
    case Warning::Kind::EmptyRandomDialogs:
        return characterName({w.scene, w.number}) +
               QStringLiteral(": после диалога персонаж переходит к случайным диалогам, а ни в одном из них нет "
                              "текста (игрок увидит пустое облако)");
    case Warning::Kind::PortalTarget:
        return portalName(w.scene, w.number) + QStringLiteral(" ведёт в сцену %1, а такой сцены в игре нет").arg(w.target);
    case Warning::Kind::PortalArrival:
        return portalName(w.scene, w.number) +
               QStringLiteral(" приводит на клетку %1 сцены %2: она вне поля или непроходима")
                   .arg(cell(w.col, w.row))
                   .arg(w.target);
    case Warning::Kind::PortalOntoPortal:
        return portalName(w.scene, w.number) +
               QStringLiteral(" приводит на клетку %1 сцены %2, где стоит другой переход")
                   .arg(cell(w.col, w.row))
                   .arg(w.target);
    case Warning::Kind::ItemOnBlockedCell:
        return sceneName(w.scene) + QStringLiteral(": предмет %1 лежит на непроходимой клетке %2, его не взять")
                                        .arg(w.item)
                                        .arg(cell(w.col, w.row));
    case Warning::Kind::HeroOnBlockedCell:
        return sceneName(w.scene) + QStringLiteral(": герой начинает игру на непроходимой клетке %1").arg(cell(w.col, w.row));
    case Warning::Kind::ReplayDiverged:
        return QStringLiteral("Проверка расходится с игрой: ") + QString::fromStdString(w.detail);
    }
    return {};
}

class Lines {
public:
    std::vector<ReportLine> lines;

    void add(Role role, const QString& text, int scene = 0, int deadEnd = -1) {
        lines.push_back(ReportLine{role, text, scene, deadEnd});
    }
    void heading(const QString& text) { add(Role::Heading, text); }
    void steps(const std::vector<Action>& actions, int deadEnd) {
        int k = 0;
        for (const Action& a : actions) add(Role::Step, QStringLiteral("%1. ").arg(++k) + actionText(a), a.scene, deadEnd);
    }
};

} // namespace

QString actionText(const Action& a) {
    QString what;
    switch (a.kind) {
    case Action::Kind::Take:
        what = QStringLiteral("взять предмет %1").arg(a.item);
        break;
    case Action::Kind::Combine:
        what = QStringLiteral("положить предмет %1 на предмет %2 в сумке").arg(a.item).arg(a.other);
        break;
    case Action::Kind::LayDown:
        what = QStringLiteral("положить предмет %1 на клетку %2").arg(a.item).arg(cell(a.col, a.row));
        break;
    case Action::Kind::UseKey:
        what = QStringLiteral("использовать предмет %1 на двери %2").arg(a.item).arg(a.number);
        break;
    case Action::Kind::Talk:
        what = QStringLiteral("поговорить с персонажем %1").arg(a.number);
        if (a.item != 0) what += QStringLiteral(" (отдать предмет %1)").arg(a.item);
        break;
    case Action::Kind::Portal:
        what = QStringLiteral("пройти в переход %1").arg(a.number);
        break;
    }
    return sceneName(a.scene) + QStringLiteral(": ") + what;
}

QString findingsText(const CheckReport& r) {
    Findings found;
    found.add(r.scenesUnreachable.size(), "сцены, в которые нельзя попасть");
    found.add(r.itemsNever.size(), "предметы, которые нельзя получить");
    found.add(r.doorsNever.size(), "двери, которые нельзя открыть");
    found.add(r.dialogsNever.size(), "персонажи, с которыми нельзя поговорить");
    found.add(r.giftsNever.size(), "подарки и обмены, которых не будет");
    found.add(r.heroRemarksNever.size(), "реплики героя, которые не прозвучат");
    found.add(r.deadEnds.size(), "тупики");
    found.add(r.warnings.size(), "предупреждения");
    return found.parts.join(QStringLiteral("; "));
}

std::vector<ReportLine> deadEndSteps(const CheckReport& report, int deadEnd) {
    Lines out;
    if (deadEnd >= 0 && std::size_t(deadEnd) < report.deadEnds.size())
        out.steps(report.deadEnds[std::size_t(deadEnd)].steps, deadEnd);
    return out.lines;
}

std::vector<ReportLine> reportLines(const CheckReport& r) {
    Lines out;

    const QString found = findingsText(r);
    if (found.isEmpty() && r.complete) {
        out.add(Role::Verdict, QStringLiteral("Проверка ничего не нашла: всё достижимо, тупиков и ошибок нет."));
    } else {
        QString verdict = found.isEmpty() ? QStringLiteral("Проверка не закончена") : QStringLiteral("Проверка нашла: ") + found;
        if (!r.complete) verdict += QStringLiteral(" (перебор остановлен на пределе)");
        out.add(Role::Verdict, verdict + QLatin1Char('.'));
    }
    out.add(Role::Note, QStringLiteral("Достижимо: сцен %1, предметов %2, дверей %3, персонажей %4, реплик героя %5.")
                            .arg(r.scenesReachable.size())
                            .arg(r.itemsObtainable.size())
                            .arg(r.doorsOpenable.size())
                            .arg(r.dialogsReachable.size())
                            .arg(r.heroRemarksReachable.size()));

    if (!r.scenesUnreachable.empty()) {
        out.heading(QStringLiteral("Сцены, в которые нельзя попасть:"));
        for (int s : r.scenesUnreachable) out.add(Role::Entry, sceneName(s), s);
    }
    if (!r.itemsNever.empty()) {
        out.heading(QStringLiteral("Предметы, которые нельзя получить:"));
        for (int n : r.itemsNever) out.add(Role::Entry, itemName(n));
    }
    if (!r.doorsNever.empty()) {
        out.heading(QStringLiteral("Двери, которые нельзя открыть:"));
        for (const SceneObject& d : r.doorsNever) out.add(Role::Entry, doorName(d), d.scene);
    }
    if (!r.dialogsNever.empty()) {
        out.heading(QStringLiteral("Персонажи, с которыми нельзя поговорить:"));
        for (const SceneObject& c : r.dialogsNever) out.add(Role::Entry, characterName(c), c.scene);
    }
    if (!r.giftsNever.empty()) {
        out.heading(QStringLiteral("Подарки и обмены, которых никогда не будет:"));
        for (const SceneObject& c : r.giftsNever) out.add(Role::Entry, characterName(c), c.scene);
    }
    if (!r.heroRemarksNever.empty()) {
        out.heading(QStringLiteral("Реплики героя, которые никогда не прозвучат:"));
        for (int k : r.heroRemarksNever) out.add(Role::Entry, remarkName(k));
    }

    if (!r.deadEnds.empty()) {
        out.heading(QStringLiteral("Тупики (после этих шагов уже не получить то, что было можно):"));
        for (std::size_t i = 0; i < r.deadEnds.size(); ++i) {
            const DeadEnd& dead = r.deadEnds[i];
            const int index = int(i);
            const int scene = dead.steps.empty() ? 0 : dead.steps.back().scene;
            out.add(Role::Entry,
                    QStringLiteral("Тупик %1: уже %2 (шагов: %3)")
                        .arg(index + 1)
                        .arg(lostText(dead.lost))
                        .arg(dead.steps.size()),
                    scene, index);
            out.steps(dead.steps, index);
        }
    }

    if (r.walkthrough.empty()) {
        out.heading(QStringLiteral("Прохождение: в игре нечего открыть и получить."));
    } else {
        out.heading(QStringLiteral("Прохождение (шагов: %1):").arg(r.walkthrough.size()));
        out.steps(r.walkthrough, -1);
        if (!r.walkthroughReaches.doors.empty())
            out.add(Role::Note, QStringLiteral("Открывает: %1.").arg(doorList(r.walkthroughReaches.doors)));
        if (!r.walkthroughReaches.items.empty())
            out.add(Role::Note, QStringLiteral("Получает: %1.").arg(itemList(r.walkthroughReaches.items)));
    }
    if (!r.notTogether.empty())
        out.add(Role::Note, QStringLiteral("Вместе с этим прохождением %1 (это можно только в другой игре).")
                                .arg(lostText(r.notTogether)));

    std::vector<const Warning*> diverged;
    bool headed = false;
    for (const Warning& w : r.warnings) {
        if (w.kind == Warning::Kind::ReplayDiverged) {
            diverged.push_back(&w);
            continue;
        }
        if (!headed) out.heading(QStringLiteral("Предупреждения:"));
        headed = true;
        out.add(Role::Entry, warningText(w), w.scene);
    }

    out.heading(QStringLiteral("Проверка прохождения в игре:"));
    for (const Warning* w : diverged) out.add(Role::Entry, warningText(*w));
    if (r.replayed)
        out.add(Role::Entry, QStringLiteral("Прохождение сыграно в самой игре: всё обещанное открыто и получено."));
    else if (diverged.empty())
        out.add(Role::Entry, QStringLiteral("Прохождение в игре не проверялось."));

    out.heading(QStringLiteral("Перебор:"));
    out.add(Role::Note, QStringLiteral("Проверено состояний: %1; ").arg(number(r.states)) +
                            (r.complete ? QStringLiteral("перебор полный.")
                                        : QStringLiteral("перебор остановлен на пределе, проверены не все состояния: "
                                                         "найденное может быть неполным.")));
    return out.lines;
}

QString reportText(const CheckReport& report) {
    QString text;
    for (const ReportLine& line : reportLines(report)) {
        switch (line.role) {
        case Role::Verdict:
        case Role::Heading:
            if (!text.isEmpty() && line.role == Role::Heading) text += QLatin1Char('\n');
            break;
        case Role::Entry:
        case Role::Note:
            text += QStringLiteral("  ");
            break;
        case Role::Step:
            text += QLatin1String(line.deadEnd >= 0 ? "      " : "  ");
            break;
        }
        text += line.text + QLatin1Char('\n');
    }
    return text;
}

} // namespace tw::check
