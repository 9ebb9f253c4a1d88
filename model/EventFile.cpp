#include "model/EventFile.h"

#include "framework/Exceptions.h"
#include "framework/FileIO.h"
#include "model/EventDoc.h"
#include "model/General.h"

#include <new>
#include <utility>

BOOL EventFile::Load(EventDoc& doc, const std::string& s_path)
{
    std::vector<std::uint8_t> v_bytes;
    try {
        v_bytes = ReadWholeFile(s_path);
    } catch (const CFileException& e) {
        ShowMessageId2(IDS_EVENT_FILE_UNREADABLE, s_path, e.GetReason(), MB_OK | MB_ICONEXCLAMATION);
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
        ShowMessageId2(IDS_EVENT_FILE_UNWRITABLE, s_path, e.GetReason(), MB_OK | MB_ICONEXCLAMATION);
    } catch (const CMemoryException&) {
        ShowMessageId2(IDS_EVENT_FILE_UNWRITABLE, s_path, CMemoryException().GetText(), MB_OK | MB_ICONEXCLAMATION);
    } catch (const std::bad_alloc&) {
        ShowMessageId2(IDS_EVENT_FILE_UNWRITABLE, s_path, CMemoryException().GetText(), MB_OK | MB_ICONEXCLAMATION);
    }
    doc.SetFileVersion(u_version);
    return FALSE;
}
