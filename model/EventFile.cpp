#include "model/EventFile.h"

#include "framework/Exceptions.h"
#include "framework/FileIO.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "zelkit/base/ZelStringArray.h"

#include <new>
#include <utility>

bool EventFile::HeadIsEvent(const std::uint8_t* p_head, std::size_t n_bytes)
{
    if (n_bytes < 4)
        return false;
    const std::uint32_t u_version = p_head[0] | (p_head[1] << 8) | (p_head[2] << 16)
                                    | (static_cast<std::uint32_t>(p_head[3]) << 24);
    return u_version >= 1 && u_version <= EventDoc::kCurrentFileVersion;
}

namespace {

// A count of bytes with its thousands marked, as the messages give it.
std::string GroupedDigits(std::uint64_t u)
{
    const std::string s_digits = std::to_string(u);
    std::string s;
    for (std::size_t i = 0; i < s_digits.size(); ++i) {
        if (i > 0 && (s_digits.size() - i) % 3 == 0)
            s += ',';
        s += s_digits[i];
    }
    return s;
}

// A damaged file, or bytes that were to be one. A file whose last save in
// place was cut short has the whole copy that save made beside it (or in
// the user's cache folder): the message names it, the newest first, since
// that is where the user's work is.
void ShowDamaged(const std::string& s_name, bool b_file)
{
    const std::vector<std::string> v_copies = b_file ? FindRescueCopies(s_name) : std::vector<std::string>();
    if (v_copies.empty())
        ShowMessageId(IDS_EVENT_FILE_DAMAGED, s_name, MB_OK | MB_ICONEXCLAMATION);
    else
        ShowMessageId2(IDS_EVENT_FILE_DAMAGED_RESCUED, s_name, v_copies.front(), MB_OK | MB_ICONEXCLAMATION);
}

BOOL LoadNamed(EventDoc& doc, std::vector<std::uint8_t> v_bytes, const std::string& s_name, bool b_file)
{
    try {
        doc.ReadEventFile(std::move(v_bytes));
        return TRUE;
    } catch (const CUserException&) {
        // The user chose Quit: the open ends without a further word.
    } catch (const CArchiveException&) {
        ShowDamaged(s_name, b_file);
    } catch (const CMemoryException&) {
        ShowDamaged(s_name, b_file);
    } catch (const std::bad_alloc&) {
        ShowDamaged(s_name, b_file);
    }
    return FALSE;
}

} // namespace

BOOL EventFile::Load(EventDoc& doc, const std::string& s_path)
{
    constexpr UINT uBox = MB_OK | MB_ICONEXCLAMATION;
    std::vector<std::uint8_t> v_bytes;
    try {
        v_bytes = ReadDocumentFile(s_path, kMaxFileBytes, 4, HeadIsEvent);
    } catch (const CFileException& e) {
        if (e.GetCause() == CFileException::notRegular)
            ShowMessageId(IDS_EVENT_FILE_NOT_REGULAR, s_path, uBox);
        else if (e.GetCause() == CFileException::tooLarge)
            ShowMessageId2(IDS_EVENT_FILE_TOO_LARGE, s_path, GroupedDigits(kMaxFileBytes), uBox);
        else if (e.GetCause() == CFileException::notFound && !e.GetSubject().empty())
            ShowMessageId2(IDS_EVENT_FILE_OPEN_FOLDER_MISSING, s_path, e.GetSubject(), uBox);
        else
            ShowMessageId2(IDS_EVENT_FILE_UNREADABLE, s_path, e.GetReason(), uBox);
        return FALSE;
    } catch (const CArchiveException&) {
        ShowDamaged(s_path, true);
        return FALSE;
    }
    return LoadNamed(doc, std::move(v_bytes), s_path, true);
}

BOOL EventFile::LoadBytes(EventDoc& doc, std::vector<std::uint8_t> v_bytes, const std::string& s_name)
{
    return LoadNamed(doc, std::move(v_bytes), s_name, false);
}

BOOL EventFile::Save(EventDoc& doc, const std::string& s_path)
{
    constexpr UINT uBox = MB_OK | MB_ICONEXCLAMATION;
    // A save that fails leaves the event as it was, its file version too,
    // so that overwriting an older file is still asked about.
    const UINT u_version = doc.GetFileVersion();
    try {
        WriteFileAtomically(s_path, doc.WriteEventFile());
        return TRUE;
    } catch (const CFileException& e) {
        switch (e.GetCause()) {
        case CFileException::readOnly:
            ShowMessageId(IDS_EVENT_FILE_READ_ONLY, s_path, uBox);
            break;
        case CFileException::notWritableByUser:
            ShowMessageId(IDS_EVENT_FILE_NOT_WRITABLE_BY_USER, s_path, uBox);
            break;
        case CFileException::notRegular:
            ShowMessageId(IDS_EVENT_FILE_SAVE_NOT_REGULAR, s_path, uBox);
            break;
        case CFileException::folderMissing:
            ShowMessageId2(IDS_EVENT_FILE_SAVE_FOLDER_MISSING, s_path, e.GetSubject(), uBox);
            break;
        case CFileException::partlyWritten: {
            ZelStringArray a_args;
            a_args.Add(s_path);
            a_args.Add(e.GetReason());
            a_args.Add(e.GetSubject());
            ShowMessageIdArray(IDS_EVENT_FILE_PARTLY_WRITTEN, a_args, uBox);
            break;
        }
        default:
            ShowMessageId2(IDS_EVENT_FILE_UNWRITABLE, s_path, e.GetReason(), uBox);
            break;
        }
    } catch (const CMemoryException&) {
        ShowMessageId2(IDS_EVENT_FILE_UNWRITABLE, s_path, CMemoryException().GetText(), uBox);
    } catch (const std::bad_alloc&) {
        ShowMessageId2(IDS_EVENT_FILE_UNWRITABLE, s_path, CMemoryException().GetText(), uBox);
    }
    doc.SetFileVersion(u_version);
    return FALSE;
}
