#pragma once

#include "check/gamecheck.h"

#include <QString>

#include <vector>

namespace tw::check {

// One line of the check's report in Russian, with what it is about, so that a window can show the scene
// of a chosen line and the steps of a chosen dead end.
struct ReportLine {
    enum class Role {
        Verdict, // the first line: what the check found, or that it found nothing
        Heading, // a group: "Тупики", "Прохождение", ...
        Entry,   // one thing of a group
        Step,    // one numbered action of a walkthrough or of a dead end's way in
        Note,    // a remark under a group (what a walkthrough reaches, the search's size)
    };
    Role role = Role::Entry;
    QString text;
    int scene = 0;    // the scene the line is about; 0 when none
    int deadEnd = -1; // the dead end (index into CheckReport::deadEnds) the line opens or belongs to
};

// An action as a sentence: "Сцена 1: взять предмет 3", "Сцена 2: использовать предмет 1 на двери 2".
QString actionText(const Action& action);

// What the check found, counted by group ("тупики: 1; предметы, которые нельзя получить: 2"); empty when it
// found nothing.
QString findingsText(const CheckReport& report);

// The report, grouped: what was never reached (scenes, items, doors, characters, gifts and exchanges, hero
// remarks), the dead ends with what each loses and its steps, the walkthrough with what it reaches and what
// cannot be had with it, the warnings, the walkthrough's replay in the engine, the number of states and
// whether the search was complete. A group with nothing in it is left out; when the check found nothing,
// the verdict says so.
std::vector<ReportLine> reportLines(const CheckReport& report);

// The steps of one dead end's way in, numbered, as reportLines() lists them under it.
std::vector<ReportLine> deadEndSteps(const CheckReport& report, int deadEnd);

// The report as plain text, one line each, entries and steps indented under their headings.
QString reportText(const CheckReport& report);

} // namespace tw::check
