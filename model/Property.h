// Styles and facilities: named keyed items that groups, participants and
// venues refer to by key. Styles are labels the build and the rostering
// match; facilities are what venues offer and groups need.
//
// Both kinds take their keys from one counter, so a style key never equals
// a facility key. Every constructed Property takes a key, also a scratch
// object used while loading or editing.
#pragma once

#include "framework/Types.h"
#include "model/KeyList.h"
#include "model/RVXObject.h"

#include <string>

// The key counter styles and facilities share: the key the next one takes.
extern LONG ktPropertyKeyGen;

class Property : public RVXObject<&ktPropertyKeyGen> {
public:
    Property() = default;
    Property(const Property& src) = default;
    Property& operator=(const Property& src) = default;

    // Sets the name (cleaned and cut as a name is); TRUE when the item is
    // valid afterwards.
    BOOL SetName(const std::string& s_name);
    // A name that is not empty and a key that is not negative.
    BOOL IsValid() const override;

    // The shared counter, for the event file.
    static LONG GetKeyCounter() { return ktPropertyKeyGen; }
    static void SetKeyCounter(LONG l_next) { ktPropertyKeyGen = l_next; }
};

class Style : public Property {};

class Facility : public Property {};

class StyleList : public RVXObjectList<Style> {
public:
    // The names of the styles whose keys the list holds, last style first.
    std::string GetNamesText(const KeyList& keys) const { return JoinNames(&keys); }
};

class FacilityList : public RVXObjectList<Facility> {
public:
    // The names of the facilities whose keys the list holds, last first.
    std::string GetNames(const KeyList& keys) const { return JoinNames(&keys); }
};
