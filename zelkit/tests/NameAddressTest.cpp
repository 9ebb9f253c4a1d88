#include "framework/Archive.h"
#include "zelkit/values/ZelAddress.h"
#include "zelkit/values/ZelName.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// A loading archive over what a storing one collected.
CArchive Reload(const CArchive& ar_store)
{
    return CArchive(ar_store.GetBuffer());
}

template <typename T>
T RoundTrip(T& value, T fresh)
{
    CArchive ar(CArchive::store);
    value.Serialize(ar);
    CArchive ar_load = Reload(ar);
    fresh.Serialize(ar_load);
    EXPECT_TRUE(ar_load.AtEnd());
    return fresh;
}

void ExpectBadSchema(CArchive& ar, auto&& load)
{
    try {
        load(ar);
        ADD_FAILURE() << "loaded without complaint";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
    }
}

TEST(NameTest, NormalizeTrimsAndCollapsesOnlyAsciiWhiteSpace)
{
    EXPECT_EQ(ZelName::Normalize(std::string("  Anna \t Maria\r\n  Berg ")), "Anna Maria Berg");
    EXPECT_EQ(ZelName::Normalize(std::string(" \t\n ")), "");
    // 0xA0 is a no-break space in code page 1252: part of the text, never
    // a separator; so are letters above 127.
    EXPECT_EQ(ZelName::Normalize(std::string("a\xA0 \xE9t\xE9")), "a\xA0 \xE9t\xE9");
    std::string s = "  x  y ";
    ZelName::Normalize(s);
    EXPECT_EQ(s, "x y");
}

TEST(NameTest, PersonNamesSplitIntoPartsAndShowThemselves)
{
    const std::string s_text = "   Anna    Maria  Berg   ";
    ZelFullName full(20, 30, 20);
    full.SetName(s_text);
    EXPECT_EQ(full.GetFirstName(), "Anna");
    EXPECT_EQ(full.GetOtherNames(), "Maria");
    EXPECT_EQ(full.GetLastName(), "Berg");
    EXPECT_EQ(full.GetName(), "Anna Berg");
    EXPECT_EQ(full.GetFullName(), "Anna Maria Berg");
    EXPECT_EQ(full.GetRevFullName(), "Berg, Anna Maria");
    EXPECT_EQ(full.GetInitials(), "AMB");
    EXPECT_EQ(full.GetMiddleInitials(), "M");
    EXPECT_EQ(full.GetFirstLastInitials(), "AB");
    EXPECT_EQ(full.GetMaxLength(), 72);

    ZelSimpleName simple(20, 30);
    simple.SetName(s_text);
    EXPECT_EQ(simple.GetFirstName(), "Anna");
    EXPECT_EQ(simple.GetLastName(), "Maria Berg");
    EXPECT_EQ(simple.GetName(), "Anna Maria Berg");
    EXPECT_EQ(simple.GetRevFullName(), "Maria Berg, Anna");
    EXPECT_EQ(simple.GetInitials(), "AMB");
    EXPECT_EQ(simple.GetFirstLastInitials(), "AM");
    EXPECT_EQ(simple.GetOtherNames(), "Maria Berg");

    // Many middle names; lower-case and accented initials come out upper case.
    full.SetName("jan van der \xe9lst");
    EXPECT_EQ(full.GetOtherNames(), "van der");
    EXPECT_EQ(full.GetLastName(), "\xe9lst");
    EXPECT_EQ(full.GetInitials(), "JVD\xc9");
    EXPECT_EQ(full.GetMiddleInitials(), "VD");
    EXPECT_EQ(full.GetFirstLastInitials(), "j\xe9"); // first letters as typed
}

TEST(NameTest, FewWordsLeaveLaterPartsEmpty)
{
    ZelFullName full(20, 30, 20);
    full.SetName("Anna Maria Berg");
    full.SetName("  Piet ");
    EXPECT_EQ(full.GetFirstName(), "Piet");
    EXPECT_EQ(full.GetOtherNames(), "");
    EXPECT_EQ(full.GetLastName(), "");
    EXPECT_EQ(full.GetName(), "Piet");
    EXPECT_EQ(full.GetFullName(), "Piet");
    EXPECT_FALSE(full.IsEmpty());

    full.SetName("Piet Berg");
    EXPECT_EQ(full.GetOtherNames(), "");
    EXPECT_EQ(full.GetLastName(), "Berg");

    full.SetName(" \t ");
    EXPECT_TRUE(full.IsEmpty());
    EXPECT_EQ(full.GetFullName(), "");
    EXPECT_EQ(full.GetRevFullName(), "");

    ZelSimpleName simple(20, 20);
    simple.SetName("Piet");
    EXPECT_EQ(simple.GetFirstName(), "Piet");
    EXPECT_EQ(simple.GetLastName(), "");
    simple.SetName("", " Berg ");
    EXPECT_EQ(simple.GetName(), "Berg");
    EXPECT_EQ(simple.GetRevFullName(), "Berg");
}

// A name tells whether it is empty without making its text; the answer
// must be that of the text, whatever the parts and the limit.
TEST(NameTest, EmptyIsWhetherTheNamesTextIsEmpty)
{
    struct Case {
        const char* pFirst;
        const char* pMiddle;
        const char* pLast;
        int iMax;
    };
    const Case a_cases[] = {
        {"", "", "", 20},       {" \t", "", "\n ", 20}, {"", "Maria", "", 20}, {"", "", "Berg", 20},
        {" Piet ", "", "", 20}, {"Piet", "", "Berg", 0},  {"\x80", "", "", 20}, {"", "", "\v\f\r", 20},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(std::string("[") + c.pFirst + "|" + c.pMiddle + "|" + c.pLast + "] " + std::to_string(c.iMax));
        ZelFullName full(c.iMax, c.iMax, c.iMax);
        full.SetName(c.pFirst, c.pMiddle, c.pLast);
        EXPECT_EQ(full.IsEmpty() != FALSE, full.GetName().empty());
        ZelSimpleName simple(c.iMax, c.iMax);
        simple.SetName(c.pFirst, c.pLast);
        EXPECT_EQ(simple.IsEmpty() != FALSE, simple.GetName().empty());
        ZelObjectName object(c.iMax);
        object.SetName(c.pFirst);
        EXPECT_EQ(object.IsEmpty() != FALSE, object.GetName().empty());
    }
}

TEST(NameTest, LongTextsAreCutNeverRefused)
{
    ZelObjectName name(10);
    name.SetName("  A  very long   venue name ");
    EXPECT_EQ(name.GetName(), "A very lon");

    ZelFullName full(3, 4, 5);
    full.SetName("Alexandra Maximiliane Josephine Oppenheimer");
    EXPECT_EQ(full.GetFirstName(), "Ale");
    EXPECT_EQ(full.GetOtherNames(), "Maxi");
    EXPECT_EQ(full.GetLastName(), "Oppen");
    full.SetName("  Bartholomew ", "  ", "Ng   Lee  Wong");
    EXPECT_EQ(full.GetFirstName(), "Bar");
    EXPECT_EQ(full.GetLastName(), "Ng Le");

    ZelObjectName none(0);
    none.SetName("x");
    EXPECT_TRUE(none.IsEmpty());
}

// A cut between two words never leaves the blank that parted them: two
// names equal up to their limit are equal at once, and a name stored and
// read back (a load sets it from the stored text) is the same name. Each
// kind of name, each of its parts.
TEST(NameTest, ACutLeavesNoBlankAtItsEnd)
{
    struct Case {
        int iMax;
        const char* pText;
        const char* pCut;
    };
    const Case cases[] = {
        {10, "abcdefghi j", "abcdefghi"},
        {10, "abcdefghi  \t j", "abcdefghi"},
        {10, "  ab   c ", "ab c"},
        {10, "abcdefghijkl", "abcdefghij"},
        {10, "abcdefgh j", "abcdefgh j"},
        {10, "abcdefghij k", "abcdefghij"},
        {1, " a b", "a"},
        {0, "x", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pText);
        ZelObjectName name(c.iMax);
        name.SetName(c.pText);
        EXPECT_EQ(name.GetNameText(), c.pCut);
        EXPECT_EQ(RoundTrip(name, ZelObjectName(c.iMax)).GetName(), c.pCut);
        EXPECT_TRUE(name == ZelObjectName(c.pCut, c.iMax));
        name.SetNameAgain();
        EXPECT_EQ(name.GetNameText(), c.pCut);

        ZelSimpleName person(c.iMax, c.iMax);
        person.SetName(c.pText, c.pText);
        EXPECT_EQ(person.GetFirstName(), c.pCut);
        EXPECT_EQ(person.GetLastName(), c.pCut);
        const ZelSimpleName person_read = RoundTrip(person, ZelSimpleName(c.iMax, c.iMax));
        EXPECT_EQ(person_read.GetFirstName(), c.pCut);
        EXPECT_EQ(person_read.GetLastName(), c.pCut);
        person.SetNameAgain();
        EXPECT_EQ(person.GetFirstName(), c.pCut);
        EXPECT_EQ(person.GetLastName(), c.pCut);

        ZelFullName full(c.iMax, c.iMax, c.iMax);
        full.SetName(c.pText, c.pText, c.pText);
        const ZelFullName full_read = RoundTrip(full, ZelFullName(c.iMax, c.iMax, c.iMax));
        for (const ZelFullName* p_full : {static_cast<const ZelFullName*>(&full), &full_read}) {
            EXPECT_EQ(p_full->GetFirstName(), c.pCut);
            EXPECT_EQ(p_full->GetOtherNames(), c.pCut);
            EXPECT_EQ(p_full->GetLastName(), c.pCut);
        }

        // A path is trimmed, not normalised: only the blank at the cut goes.
        ZelFileName path(c.iMax);
        path.SetName(c.pText);
        const std::string s_path = path.GetName();
        EXPECT_TRUE(s_path.empty() || !ZelName::IsWhite(s_path.back())) << "[" << s_path << "]";
        EXPECT_EQ(RoundTrip(path, ZelFileName(c.iMax)).GetName(), s_path);
        path.SetName(s_path);
        EXPECT_EQ(path.GetName(), s_path);
    }
}

TEST(NameTest, NamesCompareByTheirText)
{
    ZelObjectName a("Main  hall", 50);
    ZelObjectName b(" Main hall ", 50);
    ZelObjectName c("Side hall", 50);
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a != c);
    ZelFullName p(20, 30, 20);
    p.SetName("Main x hall");
    // A person's name text leaves the middle names out.
    EXPECT_TRUE(p == a);
    EXPECT_TRUE(a == p);
}

TEST(NameTest, FileNameParts)
{
    struct Case {
        const char* pPath;
        const char* pDrive;
        const char* pDir;
        const char* pFile;
        const char* pBase;
        const char* pExt;
    };
    const Case a_cases[] = {
        {"C:\\data\\event.eve", "C:", "\\data\\", "event.eve", "event", "eve"},
        {"/home/ann/events/spring.fair.eve", "", "/home/ann/events/", "spring.fair.eve", "spring.fair", "eve"},
        {"C:event.eve", "C:", "", "event.eve", "event", "eve"},
        {"event", "", "", "event", "event", ""},
        {"/data.d/event", "", "/data.d/", "event", "event", ""},
        {"/data/", "", "/data/", "", "", ""},
    };
    for (const Case& c : a_cases) {
        const ZelFileName f(c.pPath, 2048);
        EXPECT_EQ(f.GetDriveName(), c.pDrive) << c.pPath;
        EXPECT_EQ(f.GetDirName(), c.pDir) << c.pPath;
        EXPECT_EQ(f.GetFileName(true), c.pFile) << c.pPath;
        EXPECT_EQ(f.GetFileName(false), c.pBase) << c.pPath;
        EXPECT_EQ(f.GetExtension(), c.pExt) << c.pPath;
    }
}

TEST(NameTest, FileNameExtensionsAndValidity)
{
    ZelFileName f("  /data/labels  ", 2048);
    EXPECT_EQ(f.GetName(), "/data/labels");
    f.AddExtension("ldf");
    EXPECT_EQ(f.GetName(), "/data/labels.ldf");
    f.AddExtension("xyz"); // has one already
    EXPECT_EQ(f.GetName(), "/data/labels.ldf");
    f.RemoveExtension();
    EXPECT_EQ(f.GetName(), "/data/labels");
    f.SetName("/data/labels.");
    f.AddExtension(".ldf");
    EXPECT_EQ(f.GetName(), "/data/labels.ldf");
    f.SetName("/data.d/labels");
    f.RemoveExtension(); // a dot in a folder is no extension
    EXPECT_EQ(f.GetName(), "/data.d/labels");

    EXPECT_TRUE(ZelFileName("/data/My (new) labels #2.ldf", 2048).IsValid());
    EXPECT_TRUE(ZelFileName("/data/\xc9t\xe9.ldf", 2048).IsValid());
    EXPECT_FALSE(ZelFileName("/data/a*b.ldf", 2048).IsValid());
    EXPECT_FALSE(ZelFileName("/data/a?.ldf", 2048).IsValid());
    EXPECT_FALSE(ZelFileName("/data/x.l\"f", 2048).IsValid());
    EXPECT_FALSE(ZelFileName("", 2048).IsValid());
    EXPECT_FALSE(ZelFileName("/data/", 2048).IsValid());
    for (char c : std::string("$%'-_@~`!()^#&+,;=[] aZ09"))
        EXPECT_TRUE(ZelFileName::IsValidChar(c)) << c;
    for (char c : std::string("*?<>|\"/\\:\t"))
        EXPECT_FALSE(ZelFileName::IsValidChar(c)) << c;
}

TEST(NameTest, ArchiveFormsRoundTripAndRefuseOtherSchemas)
{
    ZelFullName full(20, 30, 20);
    full.SetName("Anna Maria Berg");
    const ZelFullName back = RoundTrip(full, ZelFullName(20, 30, 20));
    EXPECT_EQ(back.GetFullName(), "Anna Maria Berg");

    ZelSimpleName simple(20, 30);
    simple.SetName("Anna Maria Berg");
    EXPECT_EQ(RoundTrip(simple, ZelSimpleName(20, 30)).GetLastName(), "Maria Berg");

    ZelFileName file("/x/y.eve", 2048);
    EXPECT_EQ(RoundTrip(file, ZelFileName(2048)).GetName(), "/x/y.eve");

    // The object name's bytes: schema word 1, then a counted string.
    ZelObjectName name("Hall", 50);
    CArchive ar(CArchive::store);
    name.Serialize(ar);
    const std::vector<std::uint8_t> v_expected = {1, 0, 0, 0, 4, 'H', 'a', 'l', 'l'};
    EXPECT_EQ(ar.GetBuffer(), v_expected);

    // A name stored longer than its owner's limit is cut on loading.
    CArchive ar_long(CArchive::store);
    ar_long << std::uint32_t(1) << std::string("  A  much too long name");
    CArchive ar_load = Reload(ar_long);
    ZelObjectName small(6);
    small.Serialize(ar_load);
    EXPECT_EQ(small.GetName(), "A much");

    for (std::uint32_t u_schema : {0u, 2u, 0xFFFFFFFFu}) {
        CArchive ar_bad(CArchive::store);
        ar_bad << u_schema << std::string("x") << std::string("y") << std::string("z");
        for (int i = 0; i < 4; ++i) {
            CArchive ar_in = Reload(ar_bad);
            ExpectBadSchema(ar_in, [i](CArchive& a) {
                ZelObjectName o(50);
                ZelFileName f(50);
                ZelSimpleName s(20, 20);
                ZelFullName n(20, 30, 20);
                ZelName* a_names[] = {&o, &f, &s, &n};
                a_names[i]->Serialize(a);
            });
        }
    }
}

TEST(AddressTest, EmailLosesAllWhiteSpaceAndIsCut)
{
    ZelEmailAddr mail(80);
    mail.SetAddr("  anna . berg @ example.org \t\r\n");
    EXPECT_EQ(static_cast<std::string>(mail), "anna.berg@example.org");
    EXPECT_EQ(ZelEmailAddr::Normalize(std::string(" a b\tc ")), "abc");
    ZelEmailAddr small(" abcdefgh ", 5);
    EXPECT_EQ(small.GetAddr(), "abcde");
    EXPECT_TRUE(ZelEmailAddr("a @b", 80) == ZelEmailAddr("a@b ", 20));
    EXPECT_TRUE(ZelEmailAddr("a@b", 80) != ZelEmailAddr("a@c", 80));
}

TEST(AddressTest, FullAddressPrintsThreeLines)
{
    ZelFullAddress addr(20, 12);
    addr.SetAddr("12", "Station Road", "Springfield", "North", "", "", "AB1 2CD");
    EXPECT_EQ(addr.GetLine1(), "12 Station Road");
    EXPECT_EQ(addr.GetLine2(), "Springfield"); // parts 5 and 6 empty: part 3 alone
    EXPECT_EQ(addr.GetLine3(), "");
    EXPECT_EQ(addr.GetPCode(), "AB1 2CD");

    addr.SetAddr("12", "Station Road", "Springfield", "North", "Region", "", "AB1 2CD");
    EXPECT_EQ(addr.GetLine2(), "Springfield North");
    EXPECT_EQ(addr.GetLine3(), "Region");

    // Parts are cut to the part limit, lines to the line limit.
    addr.SetAddr("1234567890123456", "abcdefghijklmnop", "", "", "", "", "1234567890123456");
    EXPECT_EQ(addr.GetPart(1), "123456789012");
    EXPECT_EQ(addr.GetLine1(), "123456789012 abcdefg");
    EXPECT_EQ(addr.GetPCode(), "123456789012");
}

TEST(AddressTest, SimpleAddressKeepsLinesToTheLineLimitAndThePostCodeToItsOwn)
{
    ZelSimpleAddress addr(40, 9);
    addr.SetAddr("12 Station Road, behind the old market hall", "Springfield", "", "AB1 2CD 99 X");
    EXPECT_EQ(addr.GetLine1(), "12 Station Road, behind the old market h");
    EXPECT_EQ(addr.GetLine2(), "Springfield");
    EXPECT_EQ(addr.GetPostCode(), "AB1 2CD 9");

    ZelSimpleAddress copy(40, 9);
    copy = addr;
    EXPECT_TRUE(copy == addr);
    copy.SetAddrLine3("x");
    EXPECT_TRUE(copy != addr);
}

TEST(AddressTest, ArchiveFormsRoundTripAndRefuseOtherSchemas)
{
    ZelSimpleAddress simple(40, 9);
    simple.SetAddr("l1", "l2", "l3", "pc");
    EXPECT_TRUE(RoundTrip(simple, ZelSimpleAddress(40, 9)) == simple);

    ZelFullAddress full(40, 20);
    full.SetAddr("a", "b", "c", "d", "e", "f", "g");
    EXPECT_TRUE(RoundTrip(full, ZelFullAddress(40, 20)) == full);

    ZelEmailAddr mail("a@b.org", 80);
    CArchive ar(CArchive::store);
    mail.Serialize(ar);
    const std::vector<std::uint8_t> v_expected = {1, 0, 0, 0, 80, 0, 0, 0, 7, 'a', '@', 'b', '.', 'o', 'r', 'g'};
    EXPECT_EQ(ar.GetBuffer(), v_expected);
    CArchive ar_load = Reload(ar);
    ZelEmailAddr back(80);
    back.Serialize(ar_load);
    EXPECT_TRUE(back == mail);

    // A stored address longer than the owner allows is cut to the owner's
    // limit, whatever maximum the file claims.
    CArchive ar_long(CArchive::store);
    ar_long << std::uint32_t(1) << std::int32_t(1000) << std::string("abc def@x.org");
    CArchive ar_in = Reload(ar_long);
    ZelEmailAddr owner(5);
    owner.Serialize(ar_in);
    EXPECT_EQ(owner.GetAddr(), "abcde");

    CArchive ar_bad(CArchive::store);
    ar_bad << std::uint32_t(2);
    for (int i = 0; i < 7; ++i)
        ar_bad << std::string("x");
    for (int i = 0; i < 3; ++i) {
        CArchive ar_b = Reload(ar_bad);
        ExpectBadSchema(ar_b, [i](CArchive& a) {
            ZelSimpleAddress s(40, 9);
            ZelFullAddress f(40, 9);
            ZelEmailAddr m(80);
            if (i == 0)
                s.Serialize(a);
            else if (i == 1)
                f.Serialize(a);
            else
                m.Serialize(a);
        });
    }
}

TEST(AddressTest, TruncatedDataFailsWithTheArchiveException)
{
    ZelFullAddress full(40, 20);
    full.SetAddr("a", "b", "c", "d", "e", "f", "g");
    CArchive ar(CArchive::store);
    full.Serialize(ar);
    std::vector<std::uint8_t> v_bytes = ar.GetBuffer();
    v_bytes.resize(v_bytes.size() - 3);
    CArchive ar_load(v_bytes);
    ZelFullAddress back(40, 20);
    EXPECT_THROW(back.Serialize(ar_load), CArchiveException);
}

} // namespace
