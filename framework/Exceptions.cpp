#include "framework/Exceptions.h"

const char* CArchiveException::CauseText(Cause e_cause)
{
    switch (e_cause) {
    case none: return "no error";
    case genericException: return "an unknown error occurred while reading or writing the file";
    case readOnly: return "the file was opened for reading only";
    case endOfFile: return "the file ends before all its data was read";
    case writeOnly: return "the file was opened for writing only";
    case badIndex: return "the file holds an invalid reference";
    case badClass: return "the file holds data of an unexpected kind";
    case badSchema: return "the file holds data in a layout this program does not know";
    }
    return "an unknown error occurred while reading or writing the file";
}

CArchiveException::CArchiveException(Cause e_cause, std::string s_text)
    : CException(s_text.empty() ? std::string(CauseText(e_cause)) : std::move(s_text)), m_cause(e_cause)
{
}

CFileException::CFileException(std::string s_path, std::string s_reason, Cause e_cause, std::string s_subject)
    : CException("'" + s_path + "': " + s_reason), sPath(std::move(s_path)), sReason(std::move(s_reason)),
      eCause(e_cause), sSubject(std::move(s_subject))
{
}
