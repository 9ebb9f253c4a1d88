// The framework's exception family. Code written against the framework
// catches these by reference; each carries a readable text for the message
// that reports it.
#pragma once

#include <exception>
#include <string>

class CException : public std::exception {
public:
    explicit CException(std::string s_text = {}) : sText(std::move(s_text)) {}
    const char* what() const noexcept override { return sText.c_str(); }
    const std::string& GetText() const { return sText; }

protected:
    std::string sText;
};

// Raised by the archive and by every Serialize that meets data it refuses.
class CArchiveException : public CException {
public:
    enum Cause {
        none = 0,
        genericException = 1,
        readOnly = 2,
        endOfFile = 3,
        writeOnly = 4,
        badIndex = 5,
        badClass = 6,
        badSchema = 7,
    };

    explicit CArchiveException(Cause e_cause, std::string s_text = {});
    Cause m_cause;

    // The English sentence for a cause, used when no text was given.
    static const char* CauseText(Cause e_cause);
};

// The user chose to end an operation (for example "Quit" when a load asks
// whether to continue); the operation stops without a further message.
class CUserException : public CException {
public:
    CUserException() : CException("operation ended by the user") {}
};

class CMemoryException : public CException {
public:
    CMemoryException() : CException("out of memory") {}
};

class CResourceException : public CException {
public:
    explicit CResourceException(std::string s_text = "resource not found") : CException(std::move(s_text)) {}
};

// A file could not be opened, read or written.
class CFileException : public CException {
public:
    enum Cause {
        generic = 0,
        // The file is protected against writing; nothing was written.
        readOnly = 1,
        // Writing the file in place failed part way: the file may hold part
        // of the new bytes; the reason names where a complete copy is.
        partlyWritten = 2,
        // There is no such file (nor, for a path through a file, folder);
        // the subject names the folder on the way that is missing, if one is.
        notFound = 3,
        // The path names a folder, a device, a pipe or a socket.
        notRegular = 4,
        // The file is larger than the kind of file asked for can be.
        tooLarge = 5,
        // The file has write bits, but none for this user; nothing was written.
        notWritableByUser = 6,
        // The folder a new file goes in is missing; the subject names it.
        folderMissing = 7,
    };

    CFileException(std::string s_path, std::string s_reason, Cause e_cause = generic, std::string s_subject = {});
    const std::string& GetPath() const { return sPath; }
    // What went wrong, without the path ("cannot open the file: ...").
    const std::string& GetReason() const { return sReason; }
    Cause GetCause() const { return eCause; }
    // A further path the cause names (the missing folder, the complete copy
    // a write in place left), empty when there is none.
    const std::string& GetSubject() const { return sSubject; }

private:
    std::string sPath;
    std::string sReason;
    Cause eCause;
    std::string sSubject;
};
