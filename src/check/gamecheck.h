#pragma once

#include "project/projectrecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tw::check {

// A door, a character or a portal of a scene, by the numbers the pages show.
struct SceneObject {
    int scene = 0;
    int number = 0;
    bool operator==(const SceneObject&) const = default;
    auto operator<=>(const SceneObject&) const = default;
};

// One thing the player does. Walking is implied: taking an item, using a key, talking and going through a
// portal each start with the hero's walk there, as a click on the item, the door's key zone, the character
// or the portal's cell does in play.
struct Action {
    enum class Kind {
        Take,    // take the item lying in the scene
        Combine, // put `item` (taken out of the bag) on `other` in the bag
        LayDown, // lay `item` down on the hero's cell, at (col, row)
        UseKey,  // use `item` on door `number`
        Talk,    // talk to character `number` (with `item` in hand for an exchange, else 0)
        Portal,  // go through portal `number`
    };
    Kind kind = Kind::Take;
    int scene = 0; // the scene it is done in
    int number = 0;
    int item = 0;
    int other = 0;
    int col = 0; // Take: the item's cell; LayDown: where it is laid
    int row = 0;
    bool operator==(const Action&) const = default;
};

// What a playthrough achieves that never goes away: items that reached the bag, doors opened.
struct Goals {
    std::vector<int> items;
    std::vector<SceneObject> doors;
    bool empty() const { return items.empty() && doors.empty(); }
    bool operator==(const Goals&) const = default;
};

// A state the player can reach from which something that could be had from the start can no longer be
// had, with the shortest way into it.
struct DeadEnd {
    Goals lost;
    std::vector<Action> steps;
};

// Something wrong in the game's data that the search does not need to find.
struct Warning {
    enum class Kind {
        EmptyRandomDialogs,  // character `number` of `scene` moves on to random dialogs, and none has a text
        PortalTarget,        // portal `number` of `scene` leads to `target`: no such scene
        PortalArrival,       // portal `number` of `scene` lands on (col, row): outside the grid or not walkable
        PortalOntoPortal,    // portal `number` of `scene` lands on the cell of another portal of `target`
        ItemOnBlockedCell,   // item `item` lies on (col, row) of `scene`, which is not walkable
        HeroOnBlockedCell,   // the hero starts on (col, row) of `scene`, which is not walkable
        ReplayDiverged,      // the walkthrough did not reach in the engine what the search promised
    };
    Kind kind = Kind::PortalTarget;
    int scene = 0;
    int number = 0;
    int item = 0;
    int target = 0;
    int col = 0;
    int row = 0;
    std::string detail; // ReplayDiverged: what the engine showed instead, in Russian
};

struct CheckReport {
    std::vector<int> scenesReachable, scenesUnreachable;
    std::vector<int> itemsObtainable, itemsNever;
    std::vector<SceneObject> doorsOpenable, doorsNever;
    std::vector<SceneObject> dialogsReachable, dialogsNever; // characters that can be talked to
    std::vector<SceneObject> giftsHappen, giftsNever;         // gifts and exchanges (kinds 2 and 3)
    std::vector<int> heroRemarksReachable, heroRemarksNever;
    std::vector<DeadEnd> deadEnds;
    // The shortest playthrough that has the most; `notTogether` is what could be had but not with it.
    std::vector<Action> walkthrough;
    Goals walkthroughReaches;
    Goals notTogether;
    std::vector<Warning> warnings;
    bool replayed = false; // the walkthrough was played in the engine and reached what was promised
    long long states = 0;
    bool complete = true; // false when the search stopped at its bound

    // The check found something the author should look at: a never-list that is not empty, a dead end,
    // a warning, a search cut short.
    bool foundAnything() const;
};

struct CheckLimits {
    long long maxStates = 400000;
    double maxSeconds = 20.0;
};

// Searches every state a player can reach from the record as it stands (its start scene, hero, items,
// doors and dialogs). The record is not changed. The replay is separate (see check/walkthroughreplay.h).
CheckReport searchGame(const ProjectRecord& record, const CheckLimits& limits = {});

} // namespace tw::check
