// Undoable moves in nested transactions, shared by the build engine's
// mover and the rostering engine's.
//
// A move takes an item out of a location or puts one into a location. The
// mover records each move in the innermost open transaction before it
// carries it out, so that a failed attempt can be undone exactly: rolling a
// transaction back undoes its moves from the last to the first. Committing
// an inner transaction hands its records to the one around it, which can
// still undo them; committing the outermost forgets them. Transactions end
// innermost first; ending any other, or recording with none open, breaks
// the assertion contract.
//
// A Transaction object left open at the end of its scope rolls back. That
// also happens while an exception (a failed check, the stack guard) passes
// through the scope, so the destructor never lets an exception out: a step
// of that rollback that fails is passed over, the rest goes on, and the
// build's recovery, which empties the unlocked placements, sets the
// timetable right afterwards.
#pragma once

#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/base/ZelAssert.h"

#include <type_traits>

class EventDoc;
class SelCounters;
class Timetable;

// The base of a mover: items of the engine's kind (an index) moved between
// locations of type Loc, listed in a LocArray. The counters are handed
// through every move as the engine gives them.
template <class Engine, class Loc, class LocArray>
class TransMove {
public:
    // What undoes a record: taking the item out again (the move put it in)
    // or putting it back (the move took it out).
    enum : int { e_undo_by_take_out = 0, e_undo_by_put_in = 1 };

    class MoveRec {
    public:
        MoveRec()
        {
            if constexpr (std::is_arithmetic_v<Loc>)
                Location = Loc(-1);
        }
        MoveRec(int i_type, int i_item, const Loc& loc) : iType(i_type), iItem(i_item), Location(loc) {}
        MoveRec(const MoveRec&) = default;
        MoveRec& operator=(const MoveRec&) = default;

        int iType = -1;
        int iItem = -1;
        Loc Location{};
    };
    using RecordList = ZelArray<MoveRec>;

    TransMove(Engine* p_engine, EventDoc* p_doc, Timetable* p_timetable)
        : pDoc(p_doc), pTimetable(p_timetable), pEngine(p_engine)
    {
        Stack.SetSize(0, kStackStep);
        Stack.Reserve(kStackStep);
    }
    virtual ~TransMove() = default;
    TransMove(const TransMove&) = delete;
    TransMove& operator=(const TransMove&) = delete;

    // The two moves, carried out without recording.
    virtual void TakeOut(int i_item, const Loc& loc, SelCounters* p_counters) = 0;
    virtual void PutIn(int i_item, const Loc& loc, SelCounters* p_counters) = 0;

    EventDoc* GetDoc() const { return pDoc; }
    Timetable* GetTimetable() const { return pTimetable; }
    Engine* GetEngine() const { return pEngine; }
    // The number of open transactions.
    int GetStackSize() const { return iStackSize; }
    // The records of an open transaction so far.
    int GetNumRecords(int i_trans_id) const { return Stack[i_trans_id].GetSize(); }

    // Opens a transaction inside the open ones; returns its id.
    int BeginTrans()
    {
        const int i_trans_id = iStackSize;
        if (i_trans_id >= Stack.GetSize())
            Stack.SetSize(i_trans_id + 1);
        Stack[i_trans_id].RemoveAllKeepStorage();
        iStackSize = i_trans_id + 1;
        return i_trans_id;
    }

    // Records the move in the innermost transaction, then carries it out.
    void RecordTakeOut(int i_item, const Loc& loc, SelCounters* p_counters)
    {
        const int i_trans_id = iStackSize - 1;
        ZEL_ASSERT(i_trans_id >= 0);
        Stack[i_trans_id].Add(MoveRec(e_undo_by_put_in, i_item, loc));
        TakeOut(i_item, loc, p_counters);
    }
    void RecordPutIn(int i_item, const Loc& loc, SelCounters* p_counters)
    {
        const int i_trans_id = iStackSize - 1;
        ZEL_ASSERT(i_trans_id >= 0);
        Stack[i_trans_id].Add(MoveRec(e_undo_by_take_out, i_item, loc));
        PutIn(i_item, loc, p_counters);
    }

    // Ends the innermost transaction keeping its moves: an inner one hands
    // its records, in order, to the one around it.
    BOOL Commit(int i_trans_id)
    {
        ZEL_ASSERT(i_trans_id >= 0);
        ZEL_ASSERT(i_trans_id == iStackSize-1);
        RecordList& a_records = Stack[i_trans_id];
        if (i_trans_id > 0)
            Stack[i_trans_id - 1].Append(a_records);
        a_records.RemoveAllKeepStorage();
        iStackSize = i_trans_id;
        return TRUE;
    }

    // Ends the innermost transaction undoing its moves, the last first. The
    // transaction is closed even when a step fails and its failure goes on
    // up.
    void Rollback(int i_trans_id, SelCounters* p_counters)
    {
        ZEL_ASSERT(i_trans_id >= 0);
        ZEL_ASSERT(i_trans_id == iStackSize-1);
        // Most trials fail before they move anything: closing their level
        // is all there is to do, in line.
        if (Stack[i_trans_id].IsEmpty()) {
            iStackSize = i_trans_id;
            return;
        }
        UndoLevel(i_trans_id, p_counters);
    }

private:
    [[gnu::noinline]] void UndoLevel(int i_trans_id, SelCounters* p_counters)
    {
        class CloseLevel {
        public:
            CloseLevel(TransMove& mover, int i_level) : Mover(mover), iLevel(i_level) {}
            ~CloseLevel()
            {
                Mover.Stack.GetData()[iLevel].RemoveAllKeepStorage();
                Mover.iStackSize = iLevel;
            }
            CloseLevel(const CloseLevel&) = delete;
            CloseLevel& operator=(const CloseLevel&) = delete;

        private:
            TransMove& Mover;
            int iLevel;
        } close_level(*this, i_trans_id);
        for (int i = Stack[i_trans_id].GetSize() - 1; i >= 0; --i) {
            const MoveRec rec = Stack[i_trans_id][i];
            Undo(rec, p_counters);
        }
    }

public:
    // The rollback of a transaction object at the end of its life: undoes
    // the transaction and any left open inside it, innermost first, passing
    // over steps that fail. Nothing for a transaction no longer open.
    void RollbackQuietly(int i_trans_id, SelCounters* p_counters) noexcept
    {
        if (i_trans_id < 0)
            return;
        while (iStackSize > i_trans_id) {
            const int i_level = iStackSize - 1;
            RecordList& a_records = Stack.GetData()[i_level];
            for (int i = a_records.GetSize() - 1; i >= 0; --i) {
                try {
                    const MoveRec rec = a_records.GetData()[i];
                    Undo(rec, p_counters);
                } catch (...) {
                    // Passed over: see the head of this file.
                }
            }
            a_records.RemoveAllKeepStorage();
            iStackSize = i_level;
        }
    }

    // Appends the locations the innermost transaction has emptied so far,
    // in the order they were emptied.
    void GetRemovedLocs(int i_trans_id, LocArray& a_locs) const
    {
        ZEL_ASSERT(i_trans_id >= 0);
        ZEL_ASSERT(i_trans_id == iStackSize-1);
        const RecordList& a_records = Stack[i_trans_id];
        for (int i = 0; i < a_records.GetSize(); ++i) {
            if (a_records[i].iType == e_undo_by_put_in)
                a_locs.Add(a_records[i].Location);
        }
    }

protected:
    static constexpr int kStackStep = 10;

    EventDoc* pDoc;
    Timetable* pTimetable;
    Engine* pEngine;
    // One record list per open transaction, by id. A list is emptied with
    // its storage kept: a search opens and closes levels millions of
    // times, each with a few records.
    ZelArray<RecordList> Stack;
    int iStackSize = 0;

private:
    void Undo(const MoveRec& rec, SelCounters* p_counters)
    {
        switch (rec.iType) {
        case e_undo_by_take_out:
            TakeOut(rec.iItem, rec.Location, p_counters);
            break;
        case e_undo_by_put_in:
            PutIn(rec.iItem, rec.Location, p_counters);
            break;
        default:
            ZEL_ASSERT(FALSE);
        }
    }
};

// One transaction on a mover, open from construction until Commit or
// Rollback; rolled back when it is still open at the end of its life.
template <class Move, class LocArray>
class Transaction {
public:
    Transaction(Move* p_mover, SelCounters* p_counters)
        : pMover(p_mover), pCounters(p_counters), iTransId(p_mover->BeginTrans())
    {
    }
    // Most transactions are closed by Commit or Rollback before they end,
    // and millions end per build: the test stays in line with the caller,
    // the undoing of one left open stays out of line.
    ~Transaction()
    {
        if (iTransId >= 0)
            RollbackOnLeave();
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    int GetId() const { return iTransId; }
    BOOL IsOpen() const { return iTransId >= 0; }

    // Keeps the moves; FALSE when the transaction was already closed.
    BOOL Commit()
    {
        if (iTransId < 0)
            return FALSE;
        const BOOL b_done = pMover->Commit(iTransId);
        iTransId = -1;
        return b_done;
    }

    // Undoes the moves; nothing when the transaction was already closed.
    // Ending a transaction that is not the innermost fails the check and
    // leaves it open.
    void Rollback()
    {
        if (iTransId < 0)
            return;
        try {
            pMover->Rollback(iTransId, pCounters);
        } catch (...) {
            if (pMover->GetStackSize() <= iTransId)
                iTransId = -1;
            throw;
        }
        iTransId = -1;
    }

    // The locations this transaction has emptied so far.
    void GetRemovedLocs(LocArray& a_locs) const { pMover->GetRemovedLocs(iTransId, a_locs); }

private:
    [[gnu::noinline, gnu::cold]] void RollbackOnLeave() noexcept { pMover->RollbackQuietly(iTransId, pCounters); }

    Move* pMover;
    SelCounters* pCounters;
    int iTransId;
};
