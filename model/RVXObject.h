// Named keyed items of the event (styles, facilities, participant roles)
// and their lists.
//
// Every such item is a key from its type's counter plus a name of at most
// 50 characters; its stored form begins with the key as one 32-bit word and
// the name in the name's own form. The lists keep room for 100 items before
// their first growth and take up to 100000000; they add lookups by name and
// the joined-names texts the list views and rule texts show.
#pragma once

#include "framework/Archive.h"
#include "framework/Types.h"
#include "model/KeyList.h"
#include "zelkit/base/ZelKeyedObject.h"
#include "zelkit/values/ZelName.h"

#include <string>

template <LONG* pKeyGen>
class RVXObject : public ZelKeyedObject<pKeyGen> {
public:
    static constexpr int kMaxNameLength = 50;

    RVXObject() = default;
    RVXObject(const RVXObject& src) = default;
    RVXObject& operator=(const RVXObject& src) = default;

    // The key, then the name.
    void Serialize(CArchive& ar) override
    {
        ZelKeyedObject<pKeyGen>::Serialize(ar);
        Name.Serialize(ar);
    }

    std::string GetName() const override { return Name.GetName(); }
    const ZelObjectName& GetNameObject() const { return Name; }

protected:
    ZelObjectName Name{kMaxNameLength};
};

template <class T>
class RVXObjectList : public ZelKeyedObjectList<T> {
public:
    static constexpr int kInitialRoom = 100;
    static constexpr int kMaxObjects = 100000000;

    RVXObjectList() : ZelKeyedObjectList<T>(kInitialRoom, kMaxObjects) {}

    // The position of the item whose name equals the text taken as a name
    // (cleaned and cut as a name is), or -1.
    int FindByName(const std::string& s_name) const
    {
        const ZelObjectName name(s_name, T::kMaxNameLength);
        for (int i = 0; i < this->nObjects; ++i) {
            if (this->Objects[i].GetNameObject() == name)
                return i;
        }
        return -1;
    }

    // Every item's name joined with "," and no space, from the last item of
    // the list to the first.
    std::string GetAllNamesText() const { return JoinNames(nullptr); }

protected:
    // As GetAllNamesText, limited to the items whose key p_keys holds when
    // it is given.
    std::string JoinNames(const KeyList* p_keys) const
    {
        std::string s_text;
        for (int i = this->nObjects - 1; i >= 0; --i) {
            const T& item = this->Objects[i];
            if (p_keys != nullptr && p_keys->Find(item.GetKey()) < 0)
                continue;
            if (!s_text.empty())
                s_text += ',';
            s_text += item.GetName();
        }
        return s_text;
    }
};
