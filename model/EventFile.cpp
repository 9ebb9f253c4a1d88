#include "model/EventFile.h"

#include "framework/Exceptions.h"
#include "framework/FileIO.h"
#include "model/EventDoc.h"
#include "model/General.h"

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

BOOL EventFile::Load(EventDoc& doc, const std::string& s_path)
{
    std::vector<std::uint8_t> v_bytes;
    try {
        v_bytes = ReadDocumentFile(s_path, kMaxFileBytes, 4, HeadIsEvent);
    } catch (const CFileException& e) {
        ShowMessageId2(IDS_EVENT_FILE_UNREADABLE, s_path, e.GetReason(), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    } catch (const CArchiveException&) {
        ShowMessageId(IDS_EVENT_FILE_DAMAGED, s_path, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return LoadBytes(doc, std::move(v_bytes), s_path);
}

BOOL EventFile::LoadBytes(EventDoc& doc, std::vector<std::uint8_t> v_bytes, const std::string& s_name)
{
    try {
        doc.ReadEventFile(std::move(v_bytes));
        return TRUE;
    } catch (const CUserException&) {
        // The user chose Quit: the open ends without a further word.
    } catch (const CArchiveException&) {
        ShowMessageId(IDS_EVENT_FILE_DAMAGED, s_name, MB_OK | MB_ICONEXCLAMATION);
    } catch (const CMemoryException&) {
        ShowMessageId(IDS_EVENT_FILE_DAMAGED, s_name, MB_OK | MB_ICONEXCLAMATION);
    } catch (const std::bad_alloc&) {
        ShowMessageId(IDS_EVENT_FILE_DAMAGED, s_name, MB_OK | MB_ICONEXCLAMATION);
    }
    return FALSE;
}

BOOL EventFile::Save(EventDoc& doc, const std::string& s_path)
{
    // A save that fails leaves the event as it was, its file version too,
    // so that overwriting an older file is still asked about.
    const UINT u_version = doc.GetFileVersion();
    try {
        WriteFileAtomically(s_path, doc.WriteEventFile());
        return TRUE;
    } catch (const CFileException& e) {
        if (e.GetCause() == CFileException::readOnly)
            ShowMessageId(IDS_EVENT_FILE_READ_ONLY, s_path, MB_OK | MB_ICONEXCLAMATION);
        else
            ShowMessageId2(e.GetCause() == CFileException::partlyWritten ? IDS_EVENT_FILE_PARTLY_WRITTEN
                                                                         : IDS_EVENT_FILE_UNWRITABLE,
                           s_path, e.GetReason(), MB_OK | MB_ICONEXCLAMATION);
    } catch (const CMemoryException&) {
        ShowMessageId2(IDS_EVENT_FILE_UNWRITABLE, s_path, CMemoryException().GetText(), MB_OK | MB_ICONEXCLAMATION);
    } catch (const std::bad_alloc&) {
        ShowMessageId2(IDS_EVENT_FILE_UNWRITABLE, s_path, CMemoryException().GetText(), MB_OK | MB_ICONEXCLAMATION);
    }
    doc.SetFileVersion(u_version);
    return FALSE;
}
