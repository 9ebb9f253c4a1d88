#include "zelkit/values/ZelTimeslotCombination.h"

#include "framework/Archive.h"

#include <algorithm>
#include <cstdint>

LONG ktTSCombKey = 0;

namespace {
constexpr std::uint32_t uCombinationSchema = 1;
// A stored combination takes at least its schema, its key, the name's
// schema and the name's length byte.
constexpr std::size_t nMinCombinationBytes = 4 + 4 + 4 + 1;
} // namespace

// ------------------------------------------------- ZelTimeslotCombination

ZelTimeslotCombination::ZelTimeslotCombination() : Name(nMaxNameLength) {}

ZelTimeslotCombination::ZelTimeslotCombination(const std::string& s_name) : Name(s_name, nMaxNameLength) {}

ZelTimeslotCombination::ZelTimeslotCombination(const ZelObjectName& name) : Name(name.GetName(), nMaxNameLength) {}

void ZelTimeslotCombination::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << uCombinationSchema;
        ZelKeyedObject::Serialize(ar);
        Name.Serialize(ar);
        return;
    }
    std::uint32_t u_schema = 0;
    ar >> u_schema;
    if (u_schema != uCombinationSchema)
        CArchive::ThrowBadSchema("unknown combination schema " + std::to_string(u_schema));
    ZelKeyedObject::Serialize(ar);
    Name.Serialize(ar);
}

// --------------------------------------------- ZelTimeslotCombinationList

ZelTimeslotCombinationList::ZelTimeslotCombinationList()
    : ZelKeyedObjectList<ZelTimeslotCombination>(nInitialRoom, nListLimit)
{
}

void ZelTimeslotCombinationList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << uCombinationSchema << static_cast<std::int32_t>(nMaxObjects) << static_cast<std::int32_t>(nObjects);
        for (int i = 0; i < nObjects; ++i)
            Objects[i].Serialize(ar);
        return;
    }

    std::uint32_t u_schema = 0;
    ar >> u_schema;
    if (u_schema != uCombinationSchema)
        CArchive::ThrowBadSchema("unknown combination list schema " + std::to_string(u_schema));
    std::int32_t n_max_objects = 0;
    std::int32_t n_count = 0;
    ar >> n_max_objects >> n_count;
    // Counts come from the file: a damaged one must fail the load with a
    // message, not end the program, so these are archive errors rather than
    // assertions.
    if (n_count < 0 || n_count > n_max_objects)
        CArchive::ThrowBadSchema("Too many combination names for current version");
    if (n_count > nMaxObjects)
        CArchive::ThrowBadSchema("Too many combination names for current version");
    ar.CheckAvailable(static_cast<std::uint64_t>(n_count), nMinCombinationBytes);

    ZelArray<ZelTimeslotCombination> a_loaded;
    a_loaded.SetSize(n_count);
    for (int i = 0; i < n_count; ++i)
        a_loaded[i].Serialize(ar);

    Objects = std::move(a_loaded);
    nObjects = n_count;
    bIndexBuilt = FALSE;
    RebuildIndex();

    // The file does not hold the key counter: new combinations of this run
    // must still get keys that no loaded combination has.
    std::int64_t ll_next = ktTSCombKey;
    std::vector<LONG> v_keys;
    v_keys.reserve(static_cast<std::size_t>(nObjects));
    for (int i = 0; i < nObjects; ++i) {
        ll_next = std::max<std::int64_t>(ll_next, std::int64_t(Objects[i].GetKey()) + 1);
        v_keys.push_back(Objects[i].GetKey());
    }
    ktTSCombKey = ZelKeyCounter::Settle(ll_next, std::move(v_keys), ktTSCombKey);
}
