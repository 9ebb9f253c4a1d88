// A release number of the form version.revision (1.89 is stored as 189)
// with an optional qualifier text, for the about box, the start-up version
// check and the event file's release text.
#pragma once

#include "framework/Types.h"

#include <string>

class ZelRelease {
public:
    ZelRelease();
    explicit ZelRelease(UINT u_release);
    explicit ZelRelease(const std::string& s_pgmName);
    ZelRelease(const std::string& s_pgmName, UINT u_release, const std::string& s_qualifier);
    ZelRelease(const ZelRelease& other);
    ZelRelease& operator=(const ZelRelease& other);
    virtual ~ZelRelease() = default;

    const std::string& GetPgmName() const { return sPgmName; }
    UINT GetRelease() const { return uRelease; }
    UINT GetMajor() const { return uRelease / uDivisor; }
    UINT GetMinor() const { return uRelease % uDivisor; }
    void SetRelease(UINT u_release) { uRelease = u_release; }
    const std::string& GetQualifier() const { return sQualifier; }
    void SetQualifier(const std::string& s_qualifier) { sQualifier = s_qualifier; }

    // Each changes one half of the number and leaves it alone for a value
    // out of range.
    void SetVersionNumber(UINT u_version);
    void SetRevisionNumber(UINT u_revision);

    // "1.5" (version 1, revision 5) or a plain number: 189 is 1.89, a
    // number below 100 is a version with revision 0. Non-zero on success;
    // on failure the number is left as it was.
    BOOL Parse(const std::string& s_text);

    // "1.89", then the qualifier when there is one.
    std::string FormatRel() const;

private:
    const UINT uHighVersion = 99;
    const UINT uHighRevision = 99;
    const UINT uLowVersion = 1;
    const UINT uLowRevision = 0;
    const UINT uDivisor = 100;
    std::string sPgmName;
    UINT uRelease = 0;
    std::string sQualifier;
};
