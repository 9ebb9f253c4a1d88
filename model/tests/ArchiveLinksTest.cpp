#include "model/General.h"
#include "testsupport/ArchiveBytes.h"

#include <gtest/gtest.h>

using testbytes::Builder;

namespace {

// A section that reads its version the checked way, as old sections do.
struct CheckedSection {
    UINT uVersion = 0;
    DWORD uValue = 0;
    void Serialize(CArchive& ar)
    {
        uVersion = GetArchiveVersionChecked(ar);
        ar >> uValue;
    }
};

TEST(ArchiveLinks, OldFilesCarryASchemaWordBeforeCheckedSections)
{
    struct Case {
        unsigned uVersion;
        testbytes::Bytes vBytes;
        bool bRefused;
    };
    const Case a_cases[] = {
        {2, Builder().Dwords({3, 77}), false},
        {3, Builder().Dwords({1, 77}), false},
        {2, Builder().Dwords({4, 77}), true},
        {1, Builder().Dwords({0, 77}), true},
        {4, Builder().Dwords({77}), false},
        {40, Builder().Dwords({77}), false},
    };
    for (const Case& c : a_cases) {
        CheckedSection s;
        if (c.bRefused) {
            EXPECT_THROW(testbytes::Load(s, c.vBytes, c.uVersion), CArchiveException) << c.uVersion;
        } else {
            testbytes::Load(s, c.vBytes, c.uVersion);
            EXPECT_EQ(s.uValue, 77u);
            EXPECT_EQ(s.uVersion, c.uVersion);
        }
    }
}

TEST(ArchiveLinks, ADocumentWithoutAVersionReadsAsCurrent)
{
    testbytes::VersionDoc doc(0);
    CArchive ar(CArchive::store, &doc);
    EXPECT_EQ(GetArchiveVersion(ar), 40u);
    EXPECT_EQ(GetArchiveDoc(ar), &doc);
}

struct UIntArrayHolder {
    ZelArray<UINT> a;
    void Serialize(CArchive& ar) { SerializeUIntArray(ar, a); }
};

TEST(ArchiveLinks, UIntArrays)
{
    UIntArrayHolder empty;
    EXPECT_EQ(testbytes::Store(empty), Builder().Dwords({0, 0}).Get());

    UIntArrayHolder h;
    testbytes::Load(h, Builder().Dwords({0, 2, 7, 9}), 40);
    ASSERT_EQ(h.a.GetSize(), 2);
    EXPECT_EQ(h.a[1], 9u);

    // A wrong format word or a count the data cannot hold fails the load
    // with the archive exception, never an assertion.
    try {
        testbytes::Load(h, Builder().Dwords({1, 0}), 40);
        FAIL();
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
        EXPECT_STREQ(e.what(), "CUIntArray serialization: version incorrect");
    }
    EXPECT_THROW(testbytes::Load(h, Builder().Dwords({0, 1000000, 1}), 40), CArchiveException);
    EXPECT_EQ(h.a.GetSize(), 2) << "a refused load leaves the array as it was";
}

} // namespace
