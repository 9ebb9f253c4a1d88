// Named combinations of timeslots. The slots of a combination carry its key
// in their combination key; the combinations of an event form one keyed
// list that the event file stores after the timetable.
#pragma once

#include "zelkit/base/ZelKeyedObject.h"
#include "zelkit/values/ZelName.h"

#include <string>

// The process-wide key counter of combinations.
extern LONG ktTSCombKey;

class ZelTimeslotCombination : public ZelKeyedObject<&ktTSCombKey> {
public:
    static constexpr int nMaxNameLength = 50;

    ZelTimeslotCombination();
    explicit ZelTimeslotCombination(const std::string& s_name);
    explicit ZelTimeslotCombination(const ZelObjectName& name);
    // Copies keep the key of their source.
    ZelTimeslotCombination(const ZelTimeslotCombination& other) = default;
    ZelTimeslotCombination& operator=(const ZelTimeslotCombination& other) = default;

    void SetName(const std::string& s_name) { Name.SetName(s_name); }
    void SetName(const ZelObjectName& name) { Name.SetName(name.GetName()); }
    // The name's text (what the keyed list compares and shows).
    std::string GetName() const override { return Name.GetName(); }
    // The name value itself.
    const ZelObjectName& GetObjectName() const { return Name; }

    // Schema 1, the key, the name.
    void Serialize(CArchive& ar) override;

private:
    ZelObjectName Name;
};

class ZelTimeslotCombinationList : public ZelKeyedObjectList<ZelTimeslotCombination> {
public:
    static constexpr int nInitialRoom = 100;
    static constexpr int nListLimit = 999999;

    ZelTimeslotCombinationList();
    ZelTimeslotCombinationList(const ZelTimeslotCombinationList& other) = default;
    ZelTimeslotCombinationList& operator=(const ZelTimeslotCombinationList& other) = default;
    ~ZelTimeslotCombinationList() override = default;

    // Schema 1, the maximum object count, the object count, then each
    // combination. Loading refuses an unknown schema and a count above the
    // stored maximum or this list's own; it replaces the list only once
    // every combination was read, and moves the key counter past every
    // loaded key, so that combinations made later never take a loaded key.
    virtual void Serialize(CArchive& ar);
};
