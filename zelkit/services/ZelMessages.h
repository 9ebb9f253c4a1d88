// Message helpers of the library and the program: message boxes built
// from string-table entries with "%1"-style arguments, notification boxes
// that add the system's description of an error, and small text helpers.
// Boxes go through the framework's message-box port, so code using these
// runs headless in tests.
#pragma once

#include "framework/MessageBox.h"
#include "framework/Types.h"

#include <string>

class ZelStringArray;

// Shows s_text in the framework's message box; the button pressed.
int ZelMessageBox(const std::string& s_text, UINT u_type);
int ZelDisplayError(const std::string& s_text, UINT u_type);

// String i_id of the string tables with "%1", "%2" ... replaced by the
// arguments; empty when no table has the id.
std::string ZelFormatError(int i_id, const std::string& s_arg1);
std::string ZelFormatError(int i_id, const std::string& s_arg1, const std::string& s_arg2);
std::string ZelFormatError(int i_id, const ZelStringArray& a_args);

// The same texts shown in a message box; the button pressed.
int ZelDisplayError(int i_id, const std::string& s_arg1, UINT u_type);
int ZelDisplayError(int i_id, const std::string& s_arg1, const std::string& s_arg2, UINT u_type);
int ZelDisplayError(int i_id, const ZelStringArray& a_args, UINT u_type);

// The string-table entry i_id, or p_default when no table has it.
void ZelLoadResourceString(int i_id, const char* p_default, std::string& s_out);
std::string ZelLoadResourceString(int i_id, const char* p_default);

// l_value written in u_radix (2 to 36, lower-case digits) with "0x" in
// front for radix 16 and "0" for radix 8. Only radix 10 shows a sign; other
// radixes show the value's 32 bits as unsigned, so an exception code reads
// as "0xc0000005". Empty for a radix outside 2 to 36.
std::string ZelItoS(LONG l_value, UINT u_radix);

// The text of an HTTP status: "Not Found (404)", or "(999)" for a status
// the table does not name.
std::string GetHTTPError(DWORD u_code);

// The system's description of the error number n_error (an errno value).
std::string ZelSystemErrorText(int n_error);

// Error boxes for failures the user should know about. The format forms
// take printf formats; pass user text through the string forms.
class ZelNotify {
public:
    static void Error(const char* p_format, ...) __attribute__((format(printf, 1, 2)));
    static void Error(const std::string& s_text);
    // The text, ": " when the text is not empty, then the system's
    // description of the calling thread's last error (errno).
    static void SysError(const char* p_format, ...) __attribute__((format(printf, 1, 2)));
    static void SysError(const std::string& s_text);
    // The text, ": " when the text is not empty, then a sentence saying the
    // desktop's own dialogs failed (a file dialog that could not be shown).
    static void CommDlgError(const char* p_format, ...) __attribute__((format(printf, 1, 2)));
    static void CommDlgError(const std::string& s_text);

    // The sentence CommDlgError ends with.
    static const char* const szCommDlgText;
};
