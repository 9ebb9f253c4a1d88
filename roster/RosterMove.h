// The rostering engine's mover: every change rostering makes to the
// document is a participant put into a group (as a rostered member) or
// taken out of one, made here so that the engine's participant counters
// follow the memberships: a membership counts once in every locked
// placement of the group. The transaction template records each move in
// the innermost open transaction, so that a failed try is undone exactly.
//
// Items are participant indexes, locations group indexes (both positions
// in the document's lists). One mover serves one pass.
#pragma once

#include "engine/Transaction.h"
#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"

class EventDoc;
class RosterEngine;
class SelCounters;
class Timetable;

class RosterMove : public TransMove<RosterEngine, int, ZelArray<int>> {
public:
    // The engine hands over its document and timetable.
    explicit RosterMove(RosterEngine* p_engine);
    ~RosterMove() override = default;

    // Makes the participant a rostered member of the group (role: its
    // usual role's name) and counts it in each of the group's locked
    // placements. A participant already a member breaks the contract.
    void PutIn(int i_part, const int& i_group, SelCounters* p_counters) override;
    // Ends the participant's membership of the group and uncounts it. One
    // that is not a member breaks the contract.
    void TakeOut(int i_part, const int& i_group, SelCounters* p_counters) override;
};

using RosterTransaction = Transaction<RosterMove, ZelArray<int>>;
