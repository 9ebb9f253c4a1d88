// The application profile: small per-user values filed by section and
// entry, as windows keep their positions between runs. The profile lives in
// the settings store under the program's per-user key
// ("Software\<company>\<product>"), one subkey per section.
#pragma once

#include "framework/Types.h"

#include <string>

class IZelProfile {
public:
    virtual ~IZelProfile() = default;
    // The entry's number, or i_default when it is missing or not a number.
    virtual int GetProfileInt(const std::string& s_section, const std::string& s_entry, int i_default) = 0;
    // False when the value could not be written.
    virtual bool WriteProfileInt(const std::string& s_section, const std::string& s_entry, int i_value) = 0;
};

// The profile over the settings store.
class ZelAppProfile : public IZelProfile {
public:
    // The program's key below the user hive, "Software\<company>\<product>";
    // empty until the program or its window side names it.
    static void SetRegistryKey(const std::string& s_key);
    static const std::string& GetRegistryKey();

    int GetProfileInt(const std::string& s_section, const std::string& s_entry, int i_default) override;
    bool WriteProfileInt(const std::string& s_section, const std::string& s_entry, int i_value) override;
};

// The profile in use (the settings store unless a test put its own).
IZelProfile& ZelGetProfile();
// Installs a profile (null: the settings store again); returns the previous.
IZelProfile* ZelSetProfile(IZelProfile* p_profile);
