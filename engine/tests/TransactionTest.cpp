// Nested transactions over a small mover of numbered items between
// numbered places: commits into the enclosing transaction, rollbacks in
// reverse order, the places emptied, misuse, and the rollback of a
// transaction that an exception leaves.
#include "engine/StackGuard.h"
#include "engine/Transaction.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelErrorReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Shelf;

// Places 0 to 5, each empty (-1) or holding one item.
class ShelfMove : public TransMove<Shelf, int, ZelArray<int>> {
public:
    ShelfMove() : TransMove<Shelf, int, ZelArray<int>>(nullptr, nullptr, nullptr) { vPlaces.assign(6, -1); }

    void TakeOut(int i_item, const int& i_place, SelCounters*) override
    {
        ZEL_ASSERT(vPlaces[static_cast<std::size_t>(i_place)] == i_item);
        vPlaces[static_cast<std::size_t>(i_place)] = -1;
        vLog.push_back("out " + std::to_string(i_item) + "@" + std::to_string(i_place));
    }
    void PutIn(int i_item, const int& i_place, SelCounters*) override
    {
        ZEL_ASSERT(vPlaces[static_cast<std::size_t>(i_place)] == -1);
        vPlaces[static_cast<std::size_t>(i_place)] = i_item;
        vLog.push_back("in " + std::to_string(i_item) + "@" + std::to_string(i_place));
    }

    std::vector<int> vPlaces;
    std::vector<std::string> vLog;
};

using ShelfTrans = Transaction<ShelfMove, ZelArray<int>>;

std::vector<int> Removed(const ShelfMove& mover, int i_trans_id)
{
    ZelArray<int> a_places;
    mover.GetRemovedLocs(i_trans_id, a_places);
    return std::vector<int>(a_places.GetData(), a_places.GetData() + a_places.GetSize());
}

TEST(Transaction, RollbackUndoesInReverseOrder)
{
    ShelfMove mover;
    mover.vPlaces = {7, 8, -1, -1, -1, -1};
    {
        ShelfTrans trans(&mover, nullptr);
        EXPECT_EQ(trans.GetId(), 0);
        EXPECT_EQ(mover.GetStackSize(), 1);
        mover.RecordTakeOut(7, 0, nullptr);
        mover.RecordPutIn(8, 2, nullptr);
        mover.RecordTakeOut(8, 1, nullptr);
        mover.RecordPutIn(9, 0, nullptr);
        mover.vLog.clear();
        trans.Rollback();
        EXPECT_FALSE(trans.IsOpen());
        trans.Rollback();
    }
    EXPECT_EQ(mover.vPlaces, (std::vector<int>{7, 8, -1, -1, -1, -1}));
    EXPECT_EQ(mover.vLog, (std::vector<std::string>{"out 9@0", "in 8@1", "out 8@2", "in 7@0"}));
    EXPECT_EQ(mover.GetStackSize(), 0);
}

TEST(Transaction, NestedCommitsBelongToTheEnclosingTransaction)
{
    ShelfMove mover;
    mover.vPlaces = {1, 2, 3, -1, -1, -1};
    {
        ShelfTrans outer(&mover, nullptr);
        mover.RecordTakeOut(1, 0, nullptr);
        {
            ShelfTrans inner(&mover, nullptr);
            EXPECT_EQ(inner.GetId(), 1);
            mover.RecordTakeOut(2, 1, nullptr);
            mover.RecordPutIn(2, 3, nullptr);
            EXPECT_EQ(Removed(mover, 1), std::vector<int>{1});
            EXPECT_TRUE(inner.Commit());
            EXPECT_FALSE(inner.Commit()) << "already closed";
        }
        EXPECT_EQ(mover.vPlaces, (std::vector<int>{-1, -1, 3, 2, -1, -1})) << "a committed inner step stays";
        mover.RecordTakeOut(3, 2, nullptr);
        EXPECT_EQ(Removed(mover, 0), (std::vector<int>{0, 1, 2})) << "emptied places in order, nested ones too";
        EXPECT_EQ(mover.GetNumRecords(0), 4);
        outer.Rollback();
    }
    EXPECT_EQ(mover.vPlaces, (std::vector<int>{1, 2, 3, -1, -1, -1})) << "the outer rollback undoes the inner steps";

    {
        ShelfTrans outer(&mover, nullptr);
        mover.RecordTakeOut(1, 0, nullptr);
        EXPECT_TRUE(outer.Commit());
    }
    EXPECT_EQ(mover.vPlaces[0], -1) << "the outermost commit keeps the move";
    EXPECT_EQ(mover.GetStackSize(), 0);
    ShelfTrans next(&mover, nullptr);
    EXPECT_EQ(mover.GetNumRecords(0), 0) << "and forgets its records";
}

TEST(Transaction, LeftOpenItRollsBackAndAfterItsCommitNothingChanges)
{
    ShelfMove mover;
    mover.vPlaces = {1, -1, -1, -1, -1, -1};
    {
        ShelfTrans trans(&mover, nullptr);
        mover.RecordTakeOut(1, 0, nullptr);
        mover.RecordPutIn(1, 4, nullptr);
    }
    EXPECT_EQ(mover.vPlaces, (std::vector<int>{1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(mover.GetStackSize(), 0);
    {
        ShelfTrans trans(&mover, nullptr);
        mover.RecordTakeOut(1, 0, nullptr);
        trans.Commit();
    }
    EXPECT_EQ(mover.vPlaces[0], -1);
}

TEST(Transaction, MisuseFailsItsChecks)
{
    ShelfMove mover;
    mover.vPlaces = {1, 2, -1, -1, -1, -1};
    ZelRecordingErrorReports reports;
    EXPECT_THROW(mover.RecordTakeOut(1, 0, nullptr), ZelAssertException) << "no transaction open";
    EXPECT_EQ(mover.vPlaces[0], 1);
    {
        ShelfTrans outer(&mover, nullptr);
        mover.RecordTakeOut(1, 0, nullptr);
        ShelfTrans inner(&mover, nullptr);
        mover.RecordTakeOut(2, 1, nullptr);
        EXPECT_THROW(outer.Commit(), ZelAssertException) << "only the innermost may end";
        EXPECT_THROW(outer.Rollback(), ZelAssertException);
        EXPECT_TRUE(outer.IsOpen()) << "a refused rollback leaves it open";
        ZelArray<int> a_places;
        EXPECT_THROW(mover.GetRemovedLocs(0, a_places), ZelAssertException);
    }
    EXPECT_EQ(mover.vPlaces, (std::vector<int>{1, 2, -1, -1, -1, -1})) << "both undone at the end of the scope";
    EXPECT_EQ(mover.GetStackSize(), 0);
    ASSERT_EQ(reports.Reports().size(), 4u);
    EXPECT_NE(reports.Reports()[0].sReport.find("Error: i_trans_id >= 0"), std::string::npos);
    EXPECT_NE(reports.Reports()[0].sReport.find("Transaction"), std::string::npos) << "reported from that file";
    EXPECT_NE(reports.Reports()[1].sReport.find("Error: i_trans_id == iStackSize-1"), std::string::npos);
}

TEST(Transaction, AnExceptionLeavingTheScopeRollsBack)
{
    ShelfMove mover;
    mover.vPlaces = {1, 2, 3, -1, -1, -1};
    ZelRecordingErrorReports reports;
    // A failed check and the stack guard's object, thrown through two open
    // transactions.
    EXPECT_THROW(
        {
            ShelfTrans outer(&mover, nullptr);
            mover.RecordTakeOut(1, 0, nullptr);
            ShelfTrans inner(&mover, nullptr);
            mover.RecordTakeOut(2, 1, nullptr);
            ZEL_ASSERT(mover.vPlaces[1] == 2);
        },
        ZelAssertException);
    EXPECT_EQ(mover.vPlaces, (std::vector<int>{1, 2, 3, -1, -1, -1}));
    EXPECT_EQ(mover.GetStackSize(), 0);
    EXPECT_THROW(
        {
            ShelfTrans outer(&mover, nullptr);
            mover.RecordTakeOut(3, 2, nullptr);
            throw SE_StackOverflow::Get();
        },
        SE_StackOverflow*);
    EXPECT_EQ(mover.vPlaces[2], 3);

    // A step of that rollback that fails is passed over; the others are
    // undone and nothing leaves the destructor.
    EXPECT_THROW(
        {
            ShelfTrans outer(&mover, nullptr);
            mover.RecordTakeOut(1, 0, nullptr);
            mover.RecordPutIn(5, 4, nullptr);
            mover.RecordTakeOut(3, 2, nullptr);
            mover.vPlaces[4] = -1; // the item put in is gone behind the mover's back
            throw SE_StackOverflow::Get();
        },
        SE_StackOverflow*);
    EXPECT_EQ(mover.vPlaces, (std::vector<int>{1, 2, 3, -1, -1, -1}));
    EXPECT_EQ(mover.GetStackSize(), 0);

    // The same at the plain end of a scope.
    {
        ShelfTrans outer(&mover, nullptr);
        mover.RecordPutIn(5, 4, nullptr);
        mover.RecordTakeOut(2, 1, nullptr);
        mover.vPlaces[4] = 6;
    }
    EXPECT_EQ(mover.vPlaces, (std::vector<int>{1, 2, 3, -1, 6, -1}));
    EXPECT_EQ(mover.GetStackSize(), 0);

    // An explicit rollback reports the failed step, and the transaction is
    // closed all the same.
    {
        ShelfTrans outer(&mover, nullptr);
        mover.RecordTakeOut(6, 4, nullptr);
        mover.vPlaces[4] = 9;
        EXPECT_THROW(outer.Rollback(), ZelAssertException);
        EXPECT_FALSE(outer.IsOpen());
        EXPECT_EQ(mover.GetStackSize(), 0);
    }
}

} // namespace
