#include "model/Property.h"

LONG ktPropertyKeyGen = 0;

BOOL Property::SetName(const std::string& s_name)
{
    Name.SetName(s_name);
    return IsValid();
}

BOOL Property::IsValid() const
{
    return !Name.IsEmpty() && lKey >= 0;
}
