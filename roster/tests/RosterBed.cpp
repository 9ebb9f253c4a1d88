#include "roster/tests/RosterBed.h"

#include "model/General.h"

namespace rostertest {

std::vector<std::string> ErrorLines(const RosterEngine& engine)
{
    static const UINT a_ids[] = {5045, 5047, 5048, 5049, 5050, 5051, 5052, 5053, 5054, 5058};
    std::vector<std::string> v_lines;
    const RosterErrorTable table = engine.GetErrorTable();
    for (const auto& v_row : table.vRows) {
        std::string s_id = v_row[2];
        for (const UINT u_id : a_ids) {
            if (v_row[2] == LoadResString(u_id, "?"))
                s_id = std::to_string(u_id);
        }
        if (v_row[2].rfind("The participant was not completely rostered.", 0) == 0)
            s_id = "5046";
        v_lines.push_back(v_row[0] + " / " + v_row[1] + " / " + s_id);
    }
    return v_lines;
}

testevent::EventBuilder& SmallEvent(testevent::EventBuilder& event)
{
    event.Days({"Mon", "Tue"})
        .Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"})
        .Style("Jazz")
        .Style("Folk")
        .Style("Rock")
        .Venue("Hall")
        .Venue("Barn")
        .Group("Trio", [](Group& g) { g.SetMaxGroupSize(2); })
        .Group("Ring", [](Group& g) { g.SetMaxGroupSize(2); })
        .Group("Duo", [](Group& g) { g.SetMaxGroupSize(2); })
        .Group("Band", [](Group& g) { g.SetMaxGroupSize(3); })
        .Group("Combo")
        .GroupStyles("Trio", {"Jazz"})
        .GroupStyles("Ring", {"Folk"})
        .GroupStyles("Duo", {"Folk"})
        .GroupStyles("Band", {"Rock"})
        .GroupStyles("Combo", {"Jazz"});
    return event;
}

testevent::EventBuilder& PlaceSmallEvent(testevent::EventBuilder& event)
{
    return event.Place(0, "Hall", "09:00", "Trio", true)
        .Place(0, "Barn", "09:00", "Ring", true)
        .Place(0, "Barn", "11:00", "Duo", true)
        .Place(1, "Hall", "10:00", "Band", true)
        .Place(1, "Barn", "10:00", "Combo", false)
        .Place(1, "Barn", "11:00", "Band", false);
}

} // namespace rostertest
