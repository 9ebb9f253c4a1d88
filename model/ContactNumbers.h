// The telephone, fax and e-mail details that groups and participants both
// keep, with the one file form both write them in.
#pragma once

#include "framework/Types.h"
#include "zelkit/values/ZelAddress.h"
#include "zelkit/values/ZelName.h"

#include <string>

class CArchive;

class ContactNumbers {
public:
    enum { kMaxPhoneLength = 50, kMaxEmailLength = 80 };

    std::string GetPhone() const { return Phone.GetName(); }
    void SetPhone(const std::string& s_phone) { Phone.SetName(s_phone); }
    std::string GetPhone2() const { return Phone2.GetName(); }
    void SetPhone2(const std::string& s_phone) { Phone2.SetName(s_phone); }
    std::string GetFax() const { return Fax.GetName(); }
    void SetFax(const std::string& s_fax) { Fax.SetName(s_fax); }
    const std::string& GetEmail() const { return Email.GetAddr(); }
    void SetEmail(const std::string& s_email) { Email.SetAddr(s_email); }

protected:
    ContactNumbers() = default;
    ContactNumbers(const ContactNumbers&) = default;
    ContactNumbers(ContactNumbers&&) = default;
    ContactNumbers& operator=(const ContactNumbers&) = default;
    ~ContactNumbers() = default;

    bool SameNumbers(const ContactNumbers& other) const;
    // Phone, second phone, e-mail, then the fax. Files before version 5
    // held one phone text and nothing else; the fax came with version 20.
    void SerializeNumbers(CArchive& ar, UINT u_version);

private:
    ZelObjectName Phone{kMaxPhoneLength};
    ZelObjectName Phone2{kMaxPhoneLength};
    ZelObjectName Fax{kMaxPhoneLength};
    ZelEmailAddr Email{kMaxEmailLength};
};
