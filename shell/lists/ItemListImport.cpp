#include "shell/lists/ItemListImport.h"

#include "model/EventDoc.h"
#include "model/FreedMemory.h"
#include "model/ShellPorts.h"
#include "shell/frame/FileFolders.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/services/ZelMessages.h"

#include <algorithm>
#include <optional>

// ------------------------------------------------------------ the mark

ImportMark::ImportMark(EventDoc& doc)
    : Doc(doc),
      nGroups(doc.GetGroups().GetNumGroups()),
      nParticipants(doc.GetParticipants().GetNumParticipants()),
      nStyles(doc.GetStyles().GetCount()),
      nFacilities(doc.GetFacilities().GetCount()),
      nRoles(doc.GetParticipantRoles().GetCount()),
      nVenues(doc.GetVenues().GetNumVenues()),
      lGroupKey(Group::GetKeyCounter()),
      lParticipantKey(Participant::GetKeyCounter()),
      lPropertyKey(Property::GetKeyCounter()),
      lRoleKey(ParticipantRole::GetKeyCounter()),
      lVenueKey(Venue::GetKeyCounter()),
      bModified(doc.IsModified())
{
}

namespace {

// The positions from n_keep to the end, ascending.
ZelArray<int> PositionsFrom(int n_keep, int n_count)
{
    ZelArray<int> a_positions;
    a_positions.Reserve(std::max(0, n_count - n_keep));
    for (int i = n_keep; i < n_count; ++i)
        a_positions.Add(i);
    return a_positions;
}

template <class List>
void TrimKeyed(List& list, int n_keep)
{
    while (list.GetCount() > n_keep)
        list.Delete(list.GetCount() - 1);
}

} // namespace

void ImportMark::Restore()
{
    // An import only appends: what stands after the noted lengths is what
    // it added.
    // The lists give back the room they grew to take the records in.
    GroupList& groups = Doc.GetGroups();
    if (groups.GetNumGroups() > nGroups) {
        groups.RemoveGroups(PositionsFrom(nGroups, groups.GetNumGroups()));
        groups.FreeExtra();
    }
    ParticipantList& participants = Doc.GetParticipants();
    if (participants.GetNumParticipants() > nParticipants) {
        participants.RemoveParticipants(PositionsFrom(nParticipants, participants.GetNumParticipants()));
        participants.FreeExtra();
    }
    TrimKeyed(Doc.GetStyles(), nStyles);
    TrimKeyed(Doc.GetFacilities(), nFacilities);
    TrimKeyed(Doc.GetParticipantRoles(), nRoles);
    ZEL_ASSERT(Doc.GetVenues().GetNumVenues() == nVenues);
    Group::SetKeyCounter(lGroupKey);
    Participant::SetKeyCounter(lParticipantKey);
    Property::SetKeyCounter(lPropertyKey);
    ParticipantRole::SetKeyCounter(lRoleKey);
    Venue::SetKeyCounter(lVenueKey);
    Doc.SetModifiedFlag(bModified);
    // The panes drop the rows of the items taken out; the timetable was
    // never touched and stays as it is.
    Doc.UpdateViews(UpdateViewHint::e_general);
}

// ------------------------------------------------------------ error list

namespace {
IILVImportErrorsPort* g_pErrorsPort = nullptr;
}

IILVImportErrorsPort* SetILVImportErrorsPort(IILVImportErrorsPort* p_port)
{
    IILVImportErrorsPort* p_previous = g_pErrorsPort;
    g_pErrorsPort = p_port;
    return p_previous;
}

ILVImportErrors::ILVImportErrors(const std::string& s_title) : sTitle(s_title) {}

void ILVImportErrors::AddRow(const std::string& s_name, const std::string& s_error)
{
    ZelStringArray a_row;
    a_row.Add(s_name);
    a_row.Add(s_error);
    Rows.Add(a_row);
}

std::string ILVImportErrors::FormatHeading(const std::string& s_noun) const
{
    ZelStringArray a_args;
    a_args.Add(std::to_string(nAdded));
    a_args.Add(s_noun);
    a_args.Add(std::to_string(Rows.GetSize()));
    std::string s_heading = ZelFormatError(2000, a_args);
    if (s_heading.empty())
        s_heading = a_args[0] + " " + s_noun + " were added, " + a_args[2]
                    + " errors occurred.  Any error messages are shown below.";
    return s_heading;
}

void ILVImportErrors::ShowErrors(const std::string& s_noun)
{
    if (g_pErrorsPort != nullptr)
        g_pErrorsPort->Show(*this, FormatHeading(s_noun));
}

// --------------------------------------------------------------- mappings

const ZelStringArray* ItemListImport::MatchImportHeading(const std::string& s_name, const std::string& s_otherName)
{
    ZelArray<ILVFieldMapping>& a_maps = Host.GetFieldMappings();
    for (int i = 0; i < a_maps.GetSize(); ++i)
        if (a_maps[i].sName == s_name)
            return &a_maps[i].ColumnMap;
    if (!s_otherName.empty())
        for (int i = 0; i < a_maps.GetSize(); ++i)
            if (a_maps[i].sName == s_otherName)
                return &a_maps[i].ColumnMap;
    return nullptr;
}

BOOL ItemListImport::MapImportFields(const std::string& s_name, const ZelStringArray* p_columnMap)
{
    ZelArray<ILVFieldMapping>& a_maps = Host.GetFieldMappings();
    int i_found = -1;
    for (int i = 0; i < a_maps.GetSize() && i_found < 0; ++i)
        if (a_maps[i].sName == s_name)
            i_found = i;
    bool b_changed = false;
    if (p_columnMap != nullptr) {
        bool b_same = i_found == 0 && a_maps[0].ColumnMap.GetSize() == p_columnMap->GetSize();
        for (int i = 0; b_same && i < p_columnMap->GetSize(); ++i)
            b_same = a_maps[0].ColumnMap[i] == (*p_columnMap)[i];
        if (!b_same) {
            ILVFieldMapping mapping;
            mapping.sName = s_name;
            mapping.ColumnMap.Copy(*p_columnMap);
            if (i_found >= 0)
                a_maps.RemoveAt(i_found);
            a_maps.InsertAt(0, mapping);
            b_changed = true;
        }
    } else if (i_found >= 0) {
        a_maps.RemoveAt(i_found);
        b_changed = true;
    }
    while (a_maps.GetSize() > nMaxMappings) {
        a_maps.RemoveAt(a_maps.GetSize() - 1);
        b_changed = true;
    }
    if (!b_changed)
        return FALSE;
    Host.SetModifiedFlag();
    return TRUE;
}

// ---------------------------------------------------------------- imports

int ItemListImport::RecordCallback(int i_record, int i_line, void* p_user,
                                   const ZelArray<ZelImport::ColValue>& a_values)
{
    auto* p_import = static_cast<ItemListImport*>(p_user);
    ZEL_ASSERT(p_import != nullptr);
    return p_import->Host.ImportRecord(i_record, i_line, a_values, p_import->pErrors);
}

void ItemListImport::ImportFile(const std::string& s_name, const std::string& s_otherName,
                                const std::string& s_fileName)
{
    Run(s_name, s_otherName, s_otherName, nullptr, s_fileName);
}

void ItemListImport::ImportFromString(const std::string& s_name, const std::string& s_text)
{
    Run(s_name, std::string(), s_name, &s_text, std::string());
}

void ItemListImport::Run(const std::string& s_startName, const std::string& s_otherName,
                         const std::string& s_storeName, const std::string* p_text, const std::string& s_fileName)
{
    const ZelImportFieldDef* p_defs = Host.GetImportFields();
    if (p_defs == nullptr)
        return;
    ZelStringArray a_map;
    if (const ZelStringArray* p_start = MatchImportHeading(s_startName, s_otherName))
        a_map.Copy(*p_start);
    ILVImportErrors errors("Import errors");
    pErrors = &errors;
    std::optional<ImportMark> mark;
    if (EventDoc* p_doc = Host.GetImportDoc())
        mark.emplace(*p_doc);
    const std::string s_heading = Host.GetSingularTitle() + " " + ZelLoadResourceString(59168, "Field");
    ZelImport import;
    // The file dialog starts where the event's exports start.
    EventDoc* p_importDoc = Host.GetImportDoc();
    import.SetStartFolder(FileFolders::EventFolder(p_importDoc != nullptr ? p_importDoc->GetPathName() : std::string()));
    int i_result = ZelImport::resultFailed;
    if (p_text != nullptr)
        i_result = import.ImportFromString(*p_defs, &RecordCallback, this, *p_text, &a_map, s_heading);
    else if (s_fileName.empty())
        i_result = import.Import(*p_defs, &RecordCallback, this, &a_map, s_heading);
    else
        i_result = import.Import(*p_defs, &RecordCallback, this, s_fileName, &a_map, s_heading);
    if (i_result == ZelImport::resultStopped) {
        // Cancelled while the records came in: everything goes back as it
        // was, and there is nothing to report.
        Host.ImportStopped();
        if (mark)
            mark->Restore();
        pErrors = nullptr;
        // The items the records made and the pane's rows for them, freed
        // now, go back to the system, as a build's memory does: else the
        // process would hold them for as long as it runs.
        ReturnFreedMemory();
        return;
    }
    for (int i = 0; i < import.GetErrors().GetSize(); ++i)
        errors.AddRow(std::string(), import.GetErrors()[i]);
    // Only a mapping that was used is remembered: a cancelled or failed
    // import leaves the mappings and the document as they were.
    if (i_result == ZelImport::resultDone)
        MapImportFields(s_storeName, &a_map);
    if (errors.GetRowCount() > 0)
        errors.ShowErrors(Host.GetCountNoun());
    pErrors = nullptr;
    // A failed or cancelled import keeps nothing of what it read.
    if (i_result != ZelImport::resultDone)
        ReturnFreedMemory();
}
