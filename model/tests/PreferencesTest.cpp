#include "model/Preferences.h"
#include "testsupport/ArchiveBytes.h"

#include <gtest/gtest.h>

using testbytes::Builder;

namespace {

// A limit section: files before version 4 begin it with a schema word.
Builder Limit(unsigned u_version, std::initializer_list<std::int64_t> a_fields)
{
    Builder b;
    if (u_version < 4)
        b.Dword(1);
    return b.Dwords(a_fields);
}

// The preferences of a file of the version, every field it holds set to a
// value that is neither the default nor the one Dirty() gives.
Builder PrefsBytes(unsigned v, std::uint32_t u_reserved = 9)
{
    Builder b;
    if (v < 4)
        b.Dword(2);
    if (v >= 2)
        b.Dword(1); // allow travel
    if (v >= 7)
        b.Dword(30); // travel minutes
    b.Dword(0).Raw(Limit(v, {1, 3, 0, 0})); // fill empty slots; group event limits: exactly 3
    if (v >= 6)
        b.Raw(Limit(v, {2, 0, 1, 2})); // group day limits: 1...2
    if (v >= 10)
        b.Dword(2); // rotation
    if (v >= 11)
        b.Count(1).Dwords({4, 1, 1, 2, 0, 0}); // allocation: venue 4, consecutive, exactly 2
    if (v >= 13) {
        b.Dwords({1, 5}); // skip build options, suppressed messages
        for (int i = 0; i < 6; ++i)
            b.Dword(u_reserved);
        b.Dword(12); // font size
    }
    if (v >= 18)
        b.Dword(1).Count(1).Dwords({6, 1, 4, 0, 0}); // group venue limits in use: venue 6 exactly 4
    if (v >= 28)
        b.Dword(250); // maximum group size
    if (v >= 34) {
        b.Raw(Limit(v, {1, 5, 0, 0})).Raw(Limit(v, {2, 0, 0, 1}));
        b.Dword(1).Count(1).Dwords({8, 2, 0, 2, 3}); // participant venue limits in use: venue 8 2...3
    }
    if (v >= 38)
        b.Raw(Limit(v, {2, 0, 1, 4})); // roster limit 1...4
    return b;
}

// Preferences whose every field differs from the defaults and the fixture.
Preferences Dirty()
{
    const SchedLim exact7(SchedLim::e_exact, 7, 0, 0);
    Preferences p;
    p.SetTravelMinutes(45);
    p.SetFillEmptySlots(1);
    p.GetGroupDayLimits() = exact7;
    p.SetGroupRotation(1);
    p.GetGroupVenueAllocs().InsertSorted(VenueAlloc(99));
    p.SetSuppressedMessages(0x77);
    p.SetReportFontSize(20);
    p.SetGroupUsesVenueLimits(1);
    p.GetGroupVenueLimits().InsertSorted(VenueLimit(99));
    p.SetMaxGroupSize(1234);
    p.GetPartEventLimits() = exact7;
    p.GetPartDayLimits() = exact7;
    p.SetPartUsesVenueLimits(1);
    p.GetPartVenueLimits().InsertSorted(VenueLimit(99));
    p.GetPartRosterLim() = exact7;
    return p;
}

TEST(Preferences, LoadAcrossVersions)
{
    for (unsigned v : {1u, 5u, 6u, 7u, 10u, 11u, 12u, 13u, 18u, 28u, 34u, 38u, 40u}) {
        SCOPED_TRACE("version " + std::to_string(v));
        Preferences p = Dirty();
        testbytes::Load(p, PrefsBytes(v), v);

        EXPECT_EQ(p.GetAllowTravel(), v >= 2 ? 1 : 0);
        EXPECT_EQ(p.GetTravelMinutes(), v >= 7 ? 30u : 45u);
        EXPECT_EQ(p.GetFillEmptySlots(), 0);
        EXPECT_EQ(p.GetGroupEventLimits(), SchedLim(SchedLim::e_exact, 3, 0, 0));
        const SchedLim day_none(SchedLim::e_no_limits, 7, 0, 0);
        EXPECT_EQ(p.GetGroupDayLimits(), v >= 6 ? SchedLim(SchedLim::e_range, 0, 1, 2) : day_none);
        EXPECT_EQ(p.GetGroupRotation(), v >= 10 ? 2u : 1u);
        ASSERT_EQ(p.GetGroupVenueAllocs().GetSize(), v >= 11 ? 1 : 0);
        if (v >= 11) {
            EXPECT_EQ(p.GetGroupVenueAllocs()[0].GetVenueKey(), 4);
            EXPECT_EQ(p.GetGroupVenueAllocs()[0].bConsecutive, 1);
            EXPECT_EQ(p.GetGroupVenueAllocs()[0].Alloc.GetMin(), 2u);
        }
        EXPECT_EQ(p.GetSkipBuildOptions(), v >= 13 ? 1 : 0);
        EXPECT_EQ(p.GetSuppressedMessages(), v >= 13 ? 5u : 0x77u);
        EXPECT_EQ(p.GetReportFontSize(), v >= 13 ? 12u : 20u);
        EXPECT_EQ(p.GetGroupUsesVenueLimits(), v >= 18 ? 1 : 0);
        ASSERT_EQ(p.GetGroupVenueLimits().GetSize(), v >= 18 ? 1 : 0);
        if (v >= 18) {
            EXPECT_EQ(p.GetGroupVenueLimits()[0].GetVenueKey(), 6);
        }
        EXPECT_EQ(p.GetMaxGroupSize(), v >= 28 ? 250 : 99999);
        EXPECT_EQ(p.GetPartUsesVenueLimits(), v >= 34 ? 1 : 0);
        ASSERT_EQ(p.GetPartVenueLimits().GetSize(), v >= 34 ? 1 : 0);
        if (v >= 34) {
            EXPECT_EQ(p.GetPartEventLimits(), SchedLim(SchedLim::e_exact, 5, 0, 0));
            EXPECT_EQ(p.GetPartDayLimits(), SchedLim(SchedLim::e_range, 0, 0, 1));
            EXPECT_EQ(p.GetPartVenueLimits()[0].Limit, SchedLim(SchedLim::e_range, 0, 2, 3));
        } else {
            EXPECT_EQ(p.GetPartEventLimits().uType, UINT(SchedLim::e_no_limits));
            EXPECT_EQ(p.GetPartDayLimits().uType, UINT(SchedLim::e_no_limits));
        }
        EXPECT_EQ(p.GetPartRosterLim(), v >= 38 ? SchedLim(SchedLim::e_range, 0, 1, 4) : day_none);

        // Whatever was loaded is stored in the current layout and reads
        // back the same.
        Preferences back;
        testbytes::Load(back, testbytes::Store(p), 40);
        EXPECT_EQ(testbytes::Store(back), testbytes::Store(p));
    }
}

TEST(Preferences, StoresTheCurrentLayoutByteForByte)
{
    Preferences p;
    testbytes::Load(p, PrefsBytes(40, 9), 40);
    EXPECT_EQ(testbytes::Store(p), PrefsBytes(40, 0).Get()) << "the reserved words are written as 0";

    Preferences copy(p);
    EXPECT_EQ(testbytes::Store(copy), testbytes::Store(p));
    p.ResetOptionFlag();
    EXPECT_EQ(p.GetSuppressedMessages(), 0u);
}

TEST(Preferences, FontSizeFallsBackAndBadDataIsRefused)
{
    Preferences p;
    testbytes::Load(p, PrefsBytes(12), 12);
    EXPECT_EQ(p.GetReportFontSize(), 6u) << "no font size before version 13";

    // A stored font size of 0 leaves the present one.
    Builder b_zero_font = Builder().Dwords({1, 30, 0}).Dwords({0, 0, 0, 0}).Dwords({0, 0, 0, 0}).Dword(0).Count(0);
    b_zero_font.Dwords({0, 0, 0, 0, 0, 0, 0, 0, 0});
    testbytes::Load(p, b_zero_font, 13);
    EXPECT_EQ(p.GetReportFontSize(), 6u);

    const Builder b_rotation3 = Builder().Dwords({1, 30, 0}).Dwords({0, 0, 0, 0}).Dwords({0, 0, 0, 0}).Dword(3);
    EXPECT_THROW(testbytes::Load(p, b_rotation3, 10), CArchiveException);
    EXPECT_THROW(testbytes::Load(p, Builder().Dword(4).Dwords({1, 0}), 2), CArchiveException)
        << "an old schema word outside 1 to 3";
    Builder b_long_array = Builder().Dwords({1, 30, 0}).Dwords({0, 0, 0, 0}).Dwords({0, 0, 0, 0}).Dword(0);
    b_long_array.Count(100000).Dwords({4, 1, 1, 2, 0, 0});
    EXPECT_THROW(testbytes::Load(p, b_long_array, 11), CArchiveException);
}

// Miscellaneous options of a file of the version.
Builder MiscBytes(unsigned v, std::uint32_t u_text_kind = 3, std::uint32_t u_html_kind = 3)
{
    Builder b;
    if (v <= 9)
        return b;
    b.Dword(u_text_kind).Dword(0).Name("C:\\out\\events");
    if (v >= 39)
        b.Dword(5).Count(2).Dwords({3, 8});
    if (v >= 40)
        b.Dword(u_html_kind).Dwords({7, 8, 9, 10});
    return b;
}

MiscOptions DirtyOptions()
{
    MiscOptions o;
    const Builder b = Builder().Dwords({2, 9}).Name("dirty").Dword(9).Count(1).Dword(1).Dword(1).Dwords({9, 9, 9, 9});
    testbytes::Load(o, b, 40);
    return o;
}

TEST(MiscOptions, LoadAcrossVersions)
{
    for (unsigned v : {9u, 10u, 38u, 39u, 40u}) {
        SCOPED_TRACE("version " + std::to_string(v));
        MiscOptions o = DirtyOptions();
        testbytes::Load(o, MiscBytes(v), v);
        EXPECT_EQ(o.GetTextExportKind(), v >= 10 ? 3 : 2);
        EXPECT_EQ(o.GetFirstOption(), v >= 10 ? 0 : 9);
        EXPECT_EQ(o.GetExportFileName(), v >= 10 ? "C:\\out\\events" : "dirty");
        const ZelArray<UINT> a_items = o.GetHtmlItems();
        if (v >= 39) {
            EXPECT_EQ(o.GetSecondOption(), 5);
            ASSERT_EQ(a_items.GetSize(), 2);
            EXPECT_EQ(a_items[1], 8u);
        } else {
            EXPECT_EQ(o.GetSecondOption(), v >= 10 ? 1 : 9);
            EXPECT_EQ(a_items.GetSize(), v >= 10 ? 0 : 1);
        }
        // 10 to 38 keep the HTML kind and the further options; 39 gives
        // their first values; 40 reads them.
        const LONG a_kept[] = {9, 9, 9, 9};
        const LONG a_first[] = {0, 1, 0, 1};
        const LONG a_read[] = {7, 8, 9, 10};
        const LONG* p_expected = v >= 40 ? a_read : v == 39 ? a_first : a_kept;
        EXPECT_EQ(o.GetHtmlExportKind(), v >= 40 ? 3 : v == 39 ? 4 : 1);
        for (int i = 0; i < MiscOptions::kNumFurtherOptions; ++i)
            EXPECT_EQ(o.GetFurtherOption(i), p_expected[i]) << i;
    }

    MiscOptions o;
    testbytes::Load(o, MiscBytes(40), 40);
    EXPECT_EQ(testbytes::Store(o), MiscBytes(40).Get());

    // A kind outside 0 to 4 leaves the present one.
    o = DirtyOptions();
    testbytes::Load(o, MiscBytes(40, 7, 5), 40);
    EXPECT_EQ(o.GetTextExportKind(), 2);
    EXPECT_EQ(o.GetHtmlExportKind(), 1);
}

TEST(MiscOptions, ControlIdsAndExportFileName)
{
    MiscOptions o;
    struct TextCase {
        int iControl;
        int iChanged;
        LONG lKind;
    };
    const TextCase a_text[] = {
        {1107, 0, 1}, {1109, 1, 3}, {1109, 0, 3}, {1106, 0, 3}, {1111, 0, 3}, {1110, 1, 4},
    };
    for (const TextCase& c : a_text) {
        EXPECT_EQ(o.SetTextExportKind(c.iControl), c.iChanged) << c.iControl;
        EXPECT_EQ(o.GetTextExportKind(), c.lKind);
        EXPECT_EQ(o.GetTextExportKindId(), 1106 + c.lKind);
    }
    const TextCase a_html[] = {
        {1382, 0, 4}, {1383, 1, 2}, {1383, 0, 2}, {1107, 0, 2}, {1382, 1, 4},
    };
    for (const TextCase& c : a_html) {
        EXPECT_EQ(o.SetHtmlExportKind(c.iControl), c.iChanged) << c.iControl;
        EXPECT_EQ(o.GetHtmlExportKind(), c.lKind);
        EXPECT_EQ(o.GetHtmlExportKindId(), c.lKind == 4 ? 1382 : 1383);
    }
    // Kinds no control shows.
    testbytes::Load(o, MiscBytes(40, 0, 3), 40);
    EXPECT_EQ(o.GetTextExportKindId(), 1107);
    EXPECT_EQ(o.GetHtmlExportKindId(), 1383);

    MiscOptions names;
    EXPECT_EQ(names.SetExportFileName("C:\\out\\timetable.htm"), 1);
    EXPECT_EQ(names.GetExportFileName(), "C:\\out\\timetable");
    EXPECT_EQ(names.SetExportFileName("C:\\out\\timetable.htm"), 0);
    EXPECT_EQ(names.SetExportFileName("C:\\out\\timetable"), 0) << "the same name once the extension is gone";
    EXPECT_EQ(names.SetExportFileName("C:\\out\\Timetable.txt"), 1) << "bytes are compared";
    EXPECT_EQ(names.GetExportFileName(), "C:\\out\\Timetable");
}

} // namespace
