#include "model/EventDoc.h"
#include "model/Property.h"
#include "testsupport/ArchiveBytes.h"

#include <gtest/gtest.h>

using testbytes::Builder;

namespace {

template <class T>
T Named(const std::string& s_name)
{
    T item;
    item.SetName(s_name);
    return item;
}

TEST(Property, StylesAndFacilitiesShareOneKeyCounter)
{
    Property::SetKeyCounter(500);
    const Style style;
    const Facility facility;
    EXPECT_EQ(style.GetKey(), 500);
    EXPECT_EQ(facility.GetKey(), 501);
    EXPECT_EQ(Property::GetKeyCounter(), 502);

    Style copy(style);
    EXPECT_EQ(copy.GetKey(), 500) << "a copy keeps its source's key";
    Style assigned;
    EXPECT_EQ(assigned.GetKey(), 502) << "a scratch object consumes a key too";
    assigned = Named<Style>("Jazz");
    EXPECT_EQ(assigned.GetName(), "Jazz");
    EXPECT_EQ(Property::GetKeyCounter(), 504);
}

TEST(Property, NamesAreCleanedAndValidityNeedsANameAndAKey)
{
    Style style;
    EXPECT_FALSE(style.IsValid());
    EXPECT_TRUE(style.SetName("  Big   Band "));
    EXPECT_EQ(style.GetName(), "Big Band");
    EXPECT_FALSE(style.SetName("   "));
    EXPECT_TRUE(style.SetName(std::string(60, 'x')));
    EXPECT_EQ(style.GetName().size(), 50u) << "cut to 50 characters, not refused";

    // The stored form is the key, then the name; a negative key is invalid.
    Style loaded;
    testbytes::Load(loaded, Builder().Dword(77).Name(" Folk "), 40);
    EXPECT_EQ(loaded.GetKey(), 77);
    EXPECT_EQ(loaded.GetName(), "Folk");
    EXPECT_TRUE(loaded.IsValid());
    EXPECT_EQ(testbytes::Store(loaded), Builder().Dword(77).Name("Folk").Get());
    testbytes::Load(loaded, Builder().Dword(0xFFFFFFFF).Name("Folk"), 40);
    EXPECT_EQ(loaded.GetKey(), -1);
    EXPECT_FALSE(loaded.IsValid());
}

TEST(StyleList, LookupsAndNameTexts)
{
    StyleList styles;
    EXPECT_EQ(styles.GetMaxObjects(), 100000000);
    const Style alpha = Named<Style>("Alpha");
    const Style beta = Named<Style>("Beta");
    const Style gamma = Named<Style>("Gamma");
    for (const Style& s : {alpha, beta, gamma})
        ASSERT_EQ(styles.Add(s), StyleList::added);

    EXPECT_EQ(styles.GetAllNamesText(), "Gamma,Beta,Alpha");
    KeyList keys(5);
    keys.Add(alpha.GetKey());
    keys.Add(gamma.GetKey());
    keys.Add(-7);
    EXPECT_EQ(styles.GetNamesText(keys), "Gamma,Alpha") << "list order, last first, whatever the key order";
    EXPECT_EQ(styles.GetNamesText(KeyList(3)), "");

    EXPECT_EQ(styles.FindByName(" Beta  "), 1) << "the text is taken as a name";
    EXPECT_EQ(styles.FindByName("beta"), -1);
    EXPECT_EQ(styles.FindByKey(gamma.GetKey()), 2);
    EXPECT_EQ(styles.FindByKey(-1), -1);

    // The load rules: invalid, same name with another key, same key.
    EXPECT_EQ(styles.Add(Style()), StyleList::notValid);
    EXPECT_EQ(styles.Add(Named<Style>("Beta")), StyleList::nameExists);
    Style renamed = beta;
    renamed.SetName("Delta");
    EXPECT_EQ(styles.Add(renamed), StyleList::keyExists);
    EXPECT_EQ(styles.GetCount(), 3);

    FacilityList facilities;
    const Facility piano = Named<Facility>("Piano");
    facilities.Add(piano);
    facilities.Add(Named<Facility>("Stage"));
    EXPECT_EQ(facilities.GetAllNamesText(), "Stage,Piano");
    KeyList facility_keys(2);
    facility_keys.Add(piano.GetKey());
    EXPECT_EQ(facilities.GetNames(facility_keys), "Piano");
}

TEST(Venue, RevalidateDropsStylesAndFacilitiesTheEventNoLongerHas)
{
    testbytes::VersionDoc doc(40);
    const Style kept = Named<Style>("Kept");
    const Style gone = Named<Style>("Gone");
    const Facility piano = Named<Facility>("Piano");
    doc.GetStyles().Add(kept);
    doc.GetFacilities().Add(piano);

    Venue hall;
    hall.SetName("Hall");
    hall.GetStyles().Add(gone.GetKey());
    hall.GetStyles().Add(kept.GetKey());
    hall.GetFacilities().Add(piano.GetKey());
    Venue annex;
    annex.SetName("Annex");
    annex.GetFacilities().Add(gone.GetKey()); // a style key is no facility
    doc.GetVenues().AddVenue(hall);
    doc.GetVenues().AddVenue(annex);

    doc.GetVenues().RevalidateAll(&doc);
    const Venue& hall_after = doc.GetVenues()[0];
    EXPECT_EQ(hall_after.GetStyles().GetCount(), 1);
    EXPECT_EQ(hall_after.GetStyles().Find(kept.GetKey()), 1) << "the kept key stays in its slot";
    EXPECT_EQ(hall_after.GetFacilities().GetCount(), 1);
    EXPECT_EQ(doc.GetVenues()[1].GetFacilities().GetCount(), 0);

    EXPECT_FALSE(doc.GetVenues()[0].Revalidate(&doc)) << "nothing left to drop";
    doc.GetStyles().Delete(0);
    EXPECT_TRUE(doc.GetVenues()[0].Revalidate(&doc)) << "the index follows the deletion";
    EXPECT_EQ(doc.GetVenues()[0].GetStyles().GetCount(), 0);
}

} // namespace
