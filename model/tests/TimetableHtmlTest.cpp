#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "model/Timetable.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using testevent::EventBuilder;

namespace {

// Choir & <Band> holds the Hall for three slots running; the Barn has one
// placement of a group without members. Names carry characters HTML gives
// a meaning to, and one beyond ASCII.
void ConcertDay(EventBuilder& event)
{
    event.Days({"Mon"}).Slots(0, {"09:00-10:00", "10:00-11:00", "11:00-12:00", "12:00-13:00"}).TwentyFourHour();
    event.Venue("Hall").Venue("Barn \"B\"");
    event.Participant("Ann Lee").Participant("Zo\xEB Kay").Participant("Max Moe");
    event.Group("Choir & <Band>").Group("Solo");
    event.Member("Choir & <Band>", "Ann Lee", "alto").Member("Choir & <Band>", "Zo\xEB Kay");
    event.Timetable();
    for (const char* p_start : {"09:00", "10:00", "11:00"})
        event.Place(0, "Hall", p_start, "Choir & <Band>");
    event.Place(0, "Barn \"B\"", "10:00", "Solo");
}

Timetable::HtmlOptions AllOptions()
{
    Timetable::HtmlOptions options;
    options.bLinks = TRUE;
    options.bMembers = TRUE;
    options.bRoles = TRUE;
    options.iMemberLayout = 1;
    options.bCombine = TRUE;
    return options;
}

std::string ByDay(EventBuilder& event)
{
    std::ostringstream os;
    event.Doc().GetTimetableObject()->ExportHtmlByDay(&event.Doc(), os);
    return os.str();
}

std::string ByParticipant(EventBuilder& event)
{
    std::ostringstream os;
    event.Doc().GetTimetableObject()->ExportHtmlByParticipant(&event.Doc(), os);
    return os.str();
}

TEST(TimetableHtml, ByDayGolden)
{
    EventBuilder event;
    ConcertDay(event);
    event.Doc().GetTimetableObject()->SetHtmlOptions(AllOptions());
    EXPECT_EQ(ByDay(event),
        "<p><u><i>Note: The timetable is invalid or incomplete.</i></u> This means the following information may be "
        "incorrect. Use 'Check timetable' or 'Build timetable' before exporting to ensure the information is "
        "valid.</p><p />\n"
        "<a name=\"TT_DAY_INDEX\"><i>Select the day you want to view:</i></a><br />\n"
        "<table border>\n"
        "<tr><td><a href=\"#TT_DAY_1\">Mon</a></td></tr>\n"
        "</table>\n"
        "<h4><a name=\"TT_DAY_1\"><u>Mon</u></a></h4>\n"
        "<table border>\n"
        "<tr><th></th><th>Hall</th><th>Barn &quot;B&quot;</th></tr>\n"
        "<tr><td>09:00</td><td rowspan=\"3\"><a href=\"#GRTAGChoirBand\">Choir &amp; &lt;Band&gt;</a>"
        "<br />Ann Lee (alto)<br />Zo\xC3\xAB Kay</td><td><br /></td></tr>\n"
        "<tr><td>10:00</td><td><a href=\"#GRTAGSolo\">Solo</a><br /></td></tr>\n"
        "<tr><td>11:00</td><td><br /></td></tr>\n"
        "<tr><td>12:00</td><td><br /></td><td><br /></td></tr>\n"
        "</table>\n"
        "<p><a href=\"#TT_DAY_INDEX\">Select another day</a></p>\n");
}

TEST(TimetableHtml, OptionsShapeTheCells)
{
    EventBuilder event;
    ConcertDay(event);
    Timetable& timetable = *event.Doc().GetTimetableObject();

    // Without combining, links or members each slot has its own cell with
    // the bare name; with times, the rows show whole slots.
    Timetable::HtmlOptions plain;
    plain.bTimes = TRUE;
    timetable.SetHtmlOptions(plain);
    const std::string s_plain = ByDay(event);
    EXPECT_EQ(s_plain.find("rowspan"), std::string::npos);
    EXPECT_NE(s_plain.find("<tr><td>10:00 to 11:00</td><td>Choir &amp; &lt;Band&gt;</td><td>Solo</td></tr>"),
              std::string::npos)
        << s_plain;

    // A wrapping list of members, without roles.
    Timetable::HtmlOptions wrapping = AllOptions();
    wrapping.iMemberLayout = 0;
    wrapping.bRoles = FALSE;
    timetable.SetHtmlOptions(wrapping);
    EXPECT_NE(ByDay(event).find("<br />Ann Lee, Zo\xC3\xAB Kay</td>"), std::string::npos);
}

TEST(TimetableHtml, AValidTimetableBeginsWithItsCreationDate)
{
    EventBuilder event;
    ConcertDay(event);
    Timetable& timetable = *event.Doc().GetTimetableObject();
    timetable.SetValid(TRUE);
    timetable.SetCreationDate(CHighTime(2026, 12, 8, 14, 5, 9));
    const std::string s_line =
        "<p><font size=\"-1\"><i>This timetable was created on 08-Dec-2026 at 14:05:09</i></font></p><p />\n";
    EXPECT_EQ(ByDay(event).substr(0, s_line.size()), s_line);
}

TEST(TimetableHtml, ByParticipantShowsEachParticipantsDays)
{
    EventBuilder event;
    ConcertDay(event);
    event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00"}).Timetable();
    event.Place(1, "Hall", "09:00", "Choir & <Band>");
    event.Member("Solo", "Max Moe");
    // A day with only other groups is not shown for the participant.
    event.Place(0, "Barn \"B\"", "09:00", "Solo");

    std::string s_page = ByParticipant(event);
    EXPECT_EQ(s_page.find("<a name=\"TT_PART_INDEX\"><i>Select the participant you want to view:</i></a><br />\n"
                          "<table border>\n"
                          "<tr><td><a href=\"#TT_PART_1\">Ann Lee</a></td><td><a href=\"#TT_PART_2\">Zo\xC3\xAB Kay"
                          "</a></td><td><a href=\"#TT_PART_3\">Max Moe</a></td></tr>\n"
                          "</table>\n"),
              s_page.find("<a name"));
    const std::size_t n_ann = s_page.find("<h4><a name=\"TT_PART_1\"><u>Ann Lee</u></a></h4>\n"
                                          "<table border>\n<tr><th>Tue</th>");
    EXPECT_NE(n_ann, std::string::npos) << s_page;
    const std::size_t n_max = s_page.find("<h4><a name=\"TT_PART_3\"><u>Max Moe</u></a></h4>\n"
                                          "<table border>\n<tr><th>Mon</th>");
    ASSERT_NE(n_max, std::string::npos) << s_page;
    const std::string s_max = s_page.substr(n_max);
    EXPECT_EQ(s_max.find("Choir"), std::string::npos) << "only the participant's own groups";
    EXPECT_NE(s_max.find("<tr><td>09:00</td><td><br /></td><td>Solo</td></tr>"), std::string::npos) << s_max;
    EXPECT_NE(s_max.find("<p><a href=\"#TT_PART_INDEX\">Select another participant</a></p>"), std::string::npos);

    // Names come from the participant list's name column when the views
    // give one.
    ScriptedFieldTexts texts;
    texts.SetParticipantText([](const Participant& p, int i_column) {
        return i_column == 0 ? "Lee, " + p.GetNameObject().GetFirstName() : std::string();
    });
    s_page = ByParticipant(event);
    EXPECT_NE(s_page.find("<u>Lee, Ann</u>"), std::string::npos);
}

TEST(TimetableHtml, TimeLabels)
{
    const Day::SlotDef nine(EventBuilder::At("09:00"), EventBuilder::At("01:00"));
    const Day::SlotDef one(EventBuilder::At("13:00"), EventBuilder::At("00:30"));
    struct Case {
        const Day::SlotDef* pFirst;
        const Day::SlotDef* pLast;
        BOOL bFull;
        BOOL b24Hour;
        const char* pLabel;
    };
    const Case a_cases[] = {
        {&nine, &nine, FALSE, TRUE, "09:00"},
        {&nine, &nine, TRUE, TRUE, "09:00 to 10:00"},
        {&nine, &one, FALSE, TRUE, "09:00 to 13:30"},
        {&one, &one, FALSE, FALSE, "01:00pm"},
        {&nine, &one, FALSE, FALSE, "09:00am to 01:30pm"},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(Timetable::GetTimeLabel(*c.pFirst, *c.pLast, c.bFull, c.b24Hour), c.pLabel);
    EXPECT_EQ(Timetable::GetDayAnchor(0), "TT_DAY_1");
    EXPECT_EQ(Timetable::GetPartAnchor(11), "TT_PART_12");
}

} // namespace
