#pragma once

#include "check/gamecheck.h"

#include <QByteArray>
#include <QJsonObject>

namespace tw::check {

// The report as one JSON object, every object named by its numbers:
//   "scenes": {"reachable", "unreachable"}, "items": {"obtainable", "never"},
//   "doors": {"openable", "never"} of {"scene", "door"}, "dialogs": {"reachable", "never"} of {"scene", "dialog"},
//   "gifts": {"happen", "never"} of {"scene", "dialog"}, "heroRemarks": {"reachable", "never"},
//   "deadEnds": [{"lost": {"doors", "items"}, "steps"}], "walkthrough": [steps],
//   "notTogether": {"doors", "items"}, "replayed", "warnings": [{"kind", ...}], "states", "complete".
// A step is {"action": "take" | "combine" | "layDown" | "useKey" | "talk" | "portal", "scene", ...} with
// the numbers its action has ("item", "with", "door", "dialog", "portal", "col", "row").
QJsonObject reportJson(const CheckReport& report);

// reportJson() as indented UTF-8 text, ending with a new line.
QByteArray reportJsonText(const CheckReport& report);

} // namespace tw::check
