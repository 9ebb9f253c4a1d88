// The assertion contract of both deliverables.
//
// A failed check never returns: it shows the "Unexpected error" report
// (which can mail it to the support address) and throws ZelAssertException.
// The build and rostering drivers catch it and go on; the program's run
// loop catches it and ends the program.
#pragma once

#include <cstdint>
#include <string>

// Checks run only while this is non-zero; initially 1.
extern std::int32_t __ZelAssertOn;

// Reports the failure and throws ZelAssertException; never returns.
[[noreturn]] void __ZelAssert(const char* p_expr, const char* p_file, long l_line, const char* p_other);

// Builds the report text, shows it, and returns it.
std::string ZelSendError(const char* p_expr, const char* p_file, long l_line, const char* p_other);

void ZelAssertSetEmail(const char* p_email);
void ZelAssertSetProductInfo(const char* p_product);
const std::string& ZelAssertGetEmail();
const std::string& ZelAssertGetProductInfo();

// What a failed check throws. It holds the first 127 characters of the
// report. It is thrown by value (not by pointer as the contract once had
// it), so a catcher owns nothing and cannot leak or double-free it.
class ZelAssertException {
public:
    explicit ZelAssertException(const std::string& s_text);
    virtual ~ZelAssertException() = default;
    const char* GetText() const { return szText; }

private:
    char szText[128];
};

#define ZEL_ASSERT_INFO(cond, other)                                   \
    do {                                                               \
        if (__ZelAssertOn && !(cond))                                  \
            __ZelAssert(#cond, __FILE_NAME__, __LINE__, (other));      \
    } while (0)

#define ZEL_ASSERT(cond) ZEL_ASSERT_INFO(cond, nullptr)

// Turns checks off for a scope (tests of what unchecked code does).
class ZelAssertOff {
public:
    ZelAssertOff() : iSaved(__ZelAssertOn) { __ZelAssertOn = 0; }
    ~ZelAssertOff() { __ZelAssertOn = iSaved; }
    ZelAssertOff(const ZelAssertOff&) = delete;
    ZelAssertOff& operator=(const ZelAssertOff&) = delete;

private:
    std::int32_t iSaved;
};
