// Venues, and the per-venue records of groups, participants and the
// preferences: a group's allocation to a venue and a per-venue limit.
//
// Everything outside the venue list names a venue by its key; a venue's
// position is its timeslot column in every timetable day.
#pragma once

#include "framework/Types.h"
#include "model/KeyList.h"
#include "model/SchedLim.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/values/ZelName.h"

#include <algorithm>
#include <string>

class CArchive;
class EventDoc;

class Venue {
public:
    enum { kMaxNameLength = 50, kNumKeySlots = 10, kDefaultSetting = 99999 };

    // A new venue takes the next venue key.
    Venue();
    Venue(const Venue& src) = default;
    Venue& operator=(const Venue& src) = default;
    virtual ~Venue() = default;

    LONG GetKey() const { return lKey; }
    void SetKey(LONG l_key) { lKey = l_key; }
    std::string GetName() const { return Name.GetName(); }
    void SetName(const std::string& s_name) { Name.SetName(s_name); }
    const std::string& GetLocation() const { return sLocation; }
    void SetLocation(const std::string& s_location) { sLocation = s_location; }
    KeyList& GetStyles() { return Styles; }
    const KeyList& GetStyles() const { return Styles; }
    KeyList& GetFacilities() { return Facilities; }
    const KeyList& GetFacilities() const { return Facilities; }
    BOOL HasOldAvailability() const { return bOldAvailability; }
    LONG GetSetting() const { return lSetting; }
    void SetSetting(LONG l_setting) { lSetting = l_setting; }

    // Drops style and facility keys the document no longer has; TRUE when
    // any was dropped.
    BOOL Revalidate(EventDoc* p_doc);

    virtual void Serialize(CArchive& ar);

    // The program-wide venue key counter: the key the next venue takes.
    static LONG GetKeyCounter();
    static void SetKeyCounter(LONG l_next);

private:
    LONG lKey;
    ZelObjectName Name{kMaxNameLength};
    std::string sLocation;
    KeyList Styles{kNumKeySlots};
    KeyList Facilities{kNumKeySlots};
    BOOL bOldAvailability = 0;
    LONG lSetting = kDefaultSetting;
};

class VenueList {
public:
    int GetNumVenues() const { return Venues.GetSize(); }
    Venue& GetVenue(int i_index) { return Venues[i_index]; }
    const Venue& GetVenue(int i_index) const { return Venues[i_index]; }
    Venue& operator[](int i_index) { return Venues[i_index]; }
    const Venue& operator[](int i_index) const { return Venues[i_index]; }

    int FindByKey(LONG l_key) const;
    BOOL ContainsKey(LONG l_key) const { return FindByKey(l_key) >= 0; }
    // Exact, case-sensitive comparison of the name bytes.
    int FindByName(const std::string& s_name) const;
    // TRUE when another venue (another key) has the venue's name.
    BOOL IsDuplicateName(const Venue& venue) const;
    // The venue's name, or the empty text when no venue has the key.
    std::string GetNameOf(LONG l_key) const;

    // 2 when the name is used, 3 when the key is; else inserts the venue
    // at i_position (appends at or past the end) and returns 0.
    int AddVenue(const Venue& venue, int i_position = INT32_MAX);
    void RemoveAt(int i_index);
    // The keys of all venues in list order.
    void GetKeys(KeyList& out) const;
    void RevalidateAll(EventDoc* p_doc);
    void RemoveAll() { Venues.RemoveAll(); }
    void FreeExtra() { Venues.FreeExtra(); }

private:
    ZelArray<Venue> Venues;
};

// A group's allocation to one venue: how many of its placements go there,
// and whether those must be consecutive.
class VenueAlloc {
public:
    explicit VenueAlloc(LONG l_venueKey = -1) : lVenueKey(l_venueKey) {}
    virtual ~VenueAlloc() = default;
    VenueAlloc(const VenueAlloc&) = default;
    VenueAlloc& operator=(const VenueAlloc&) = default;

    bool operator==(const VenueAlloc& other) const;
    bool operator!=(const VenueAlloc& other) const { return !(*this == other); }

    // "Name=text", with " (consec)" for consecutive slots; empty for a venue
    // the document does not have.
    std::string GetText(const EventDoc* p_doc) const;

    LONG GetVenueKey() const { return lVenueKey; }
    virtual void Serialize(CArchive& ar);

    static int CompareKeys(const VenueAlloc* p_a, const VenueAlloc* p_b);

    LONG lVenueKey;
    SchedAlloc Alloc;
    BOOL bConsecutive = 0;
};

// A scheduling limit of a group or participant for one venue.
class VenueLimit {
public:
    explicit VenueLimit(LONG l_venueKey = -1) : lVenueKey(l_venueKey) {}
    virtual ~VenueLimit() = default;
    VenueLimit(const VenueLimit&) = default;
    VenueLimit& operator=(const VenueLimit&) = default;

    bool operator==(const VenueLimit& other) const;
    bool operator!=(const VenueLimit& other) const { return !(*this == other); }

    // "Name=text"; empty for an unknown venue or a limit without text.
    std::string GetText(const EventDoc* p_doc, BOOL b_blankZero = FALSE) const;

    LONG GetVenueKey() const { return lVenueKey; }
    virtual void Serialize(CArchive& ar);

    static int CompareKeys(const VenueLimit* p_a, const VenueLimit* p_b);

    LONG lVenueKey;
    SchedLim Limit;
};

template <>
struct ZelElementMinBytes<VenueAlloc> {
    static constexpr std::size_t value = 24;
};
template <>
struct ZelElementMinBytes<VenueLimit> {
    static constexpr std::size_t value = 20;
};

// The sorted per-venue arrays: ordered by venue key, found by venue key.
// Loading puts a stored array that is out of order back in order.
template <class T>
class VenueKeyedArray : public ZelSortedArray<T> {
public:
    VenueKeyedArray() : ZelSortedArray<T>(&T::CompareKeys) {}

    // The position of the element for l_venueKey, or -1 (the insertion
    // point in *p_insert_at).
    int FindKey(LONG l_venueKey, int* p_insert_at = nullptr) const
    {
        return this->Find(T(l_venueKey), p_insert_at);
    }
    // Inserts at the element's sorted position; returns it.
    int InsertSorted(const T& element)
    {
        int i_at = 0;
        this->Find(element, &i_at);
        this->InsertAt(i_at, element);
        return i_at;
    }

    void Serialize(CArchive& ar)
    {
        ZelArray<T>::Serialize(ar);
        if (ar.IsLoading()) {
            T* p_first = this->GetData();
            T* p_last = p_first + this->GetSize();
            auto less = [](const T& a, const T& b) { return T::CompareKeys(&a, &b) < 0; };
            if (!std::is_sorted(p_first, p_last, less))
                std::stable_sort(p_first, p_last, less);
        }
    }
};

using VenueAllocArray = VenueKeyedArray<VenueAlloc>;
using VenueLimitArray = VenueKeyedArray<VenueLimit>;
