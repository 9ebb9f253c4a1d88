#include "model/ContactNumbers.h"

#include "framework/Archive.h"

bool ContactNumbers::SameNumbers(const ContactNumbers& other) const
{
    return Phone.GetName() == other.Phone.GetName() && Phone2.GetName() == other.Phone2.GetName()
        && Fax.GetName() == other.Fax.GetName() && Email == other.Email;
}

void ContactNumbers::SerializeNumbers(CArchive& ar, UINT u_version)
{
    if (ar.IsStoring()) {
        Phone.Serialize(ar);
        Phone2.Serialize(ar);
        Email.Serialize(ar);
        Fax.Serialize(ar);
        return;
    }
    if (u_version <= 4) {
        std::string s_phone;
        ar >> s_phone;
        Phone.SetName(s_phone);
    } else {
        Phone.Serialize(ar);
        Phone2.Serialize(ar);
        Email.Serialize(ar);
    }
    if (u_version >= 20)
        Fax.Serialize(ar);
}
