// Importing records into an item list view, without its window: the view's
// remembered column mappings (most recent first, at most nine), the runs of
// the text importer for a file and for a text, and the error list that the
// importer's and the view's own failures go to.
//
// The view takes part through IItemListImportHost: its field definitions,
// one call per record read, its titles, its mappings (ILVFieldMapping of
// the view's layout) and the document's modified flag. The error list is shown
// through a port (ILVImportErrorsDlg, the dialog, in the program; a
// recording port in tests).
//
// An import the user cancels while its records come in leaves the event as
// it was before it: ImportMark notes what an import can change and puts it
// back, and the memory the records took goes back to the system.
#pragma once

#include "framework/Types.h"
#include "model/ViewLayout.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/import/ZelImport.h"
#include "zelkit/base/ZelStringArray.h"

#include <cstdint>
#include <string>

class EventDoc;

// What an import of records can change in the event, noted before it: the
// lengths of the lists it appends to (groups, participants, styles,
// facilities, participant roles), the key counters the saved event keeps,
// and the document's modified state. Restore takes out every item appended
// since, sets the counters and the state back, and has the views refill,
// so that the event saves to the same bytes as before the import.
class ImportMark {
public:
    explicit ImportMark(EventDoc& doc);
    void Restore();

private:
    EventDoc& Doc;
    int nGroups;
    int nParticipants;
    int nStyles;
    int nFacilities;
    int nRoles;
    int nVenues;
    LONG lGroupKey;
    LONG lParticipantKey;
    LONG lPropertyKey;
    LONG lRoleKey;
    LONG lVenueKey;
    bool bModified;
};

// The import error list: rows of a name and an error, and the number of
// records the view added.
class ILVImportErrors {
public:
    explicit ILVImportErrors(const std::string& s_title);

    void AddRow(const std::string& s_name, const std::string& s_error);
    int GetRowCount() const { return Rows.GetSize(); }
    const ZelArray<ZelStringArray>& GetRows() const { return Rows; }
    const std::string& GetTitle() const { return sTitle; }
    // The views add one for each record they add.
    int nAdded = 0;

    // "%1 %2 were added, %3 errors occurred.  Any error messages are shown
    // below." with the added count, the noun and the number of rows.
    std::string FormatHeading(const std::string& s_noun) const;
    // Shows the list with that heading.
    void ShowErrors(const std::string& s_noun);

private:
    std::string sTitle;
    ZelArray<ZelStringArray> Rows;
};

class IILVImportErrorsPort {
public:
    virtual ~IILVImportErrorsPort() = default;
    virtual void Show(const ILVImportErrors& errors, const std::string& s_heading) = 0;
};
// Until the program installs the dialog, lists are not shown.
IILVImportErrorsPort* SetILVImportErrorsPort(IILVImportErrorsPort* p_port);

// What an item list view gives its imports.
class IItemListImportHost {
public:
    virtual ~IItemListImportHost() = default;
    // The view's fields; null when the view cannot import.
    virtual const ZelImportFieldDef* GetImportFields() = 0;
    // One record read: create or update it, count it in errors.nAdded when
    // added, add rows for its problems.
    virtual int ImportRecord(int i_record, int i_line, const ZelArray<ZelImport::ColValue>& a_values,
                             ILVImportErrors* p_errors) = 0;
    // "Group", and "groups" for the heading of the error list.
    virtual std::string GetSingularTitle() const = 0;
    virtual std::string GetCountNoun() const = 0;
    // The remembered mappings, saved with the view's layout.
    virtual ZelArray<ILVFieldMapping>& GetFieldMappings() = 0;
    virtual void SetModifiedFlag() = 0;
    // The event the records go into; null when the view has none, and a
    // cancelled import then has nothing to put back.
    virtual EventDoc* GetImportDoc() { return nullptr; }
    // The user cancelled while the records came in: the final call will
    // not come; the view lets go of what it keeps for an import's records.
    virtual void ImportStopped() {}
};

class ItemListImport {
public:
    // The most mappings kept.
    static constexpr int nMaxMappings = 9;

    explicit ItemListImport(IItemListImportHost& host) : Host(host) {}

    // The map stored under s_name, else under s_otherName (when given);
    // null when neither is stored.
    const ZelStringArray* MatchImportHeading(const std::string& s_name, const std::string& s_otherName);
    // Stores the map under the name at the front (or drops the name's
    // mapping when there is no map); keeps nine. TRUE when anything
    // changed, after which the document is marked modified.
    BOOL MapImportFields(const std::string& s_name, const ZelStringArray* p_columnMap);
    // Imports the file (asking for it when the name is empty) starting
    // from the mapping of s_name or s_otherName and remembering the one
    // used under s_otherName. An import cancelled while its records come
    // in leaves the event, the mappings and the modified state as they
    // were, and shows no error list.
    void ImportFile(const std::string& s_name, const std::string& s_otherName, const std::string& s_fileName);
    // Imports a text, its mapping found and remembered under s_name.
    void ImportFromString(const std::string& s_name, const std::string& s_text);

    // The error list of the import or drop under way; null otherwise.
    ILVImportErrors* GetCurrentErrors() const { return pErrors; }
    void SetCurrentErrors(ILVImportErrors* p_errors) { pErrors = p_errors; }

private:
    static int RecordCallback(int i_record, int i_line, void* p_user, const ZelArray<ZelImport::ColValue>& a_values);
    void Run(const std::string& s_startName, const std::string& s_otherName, const std::string& s_storeName,
             const std::string* p_text, const std::string& s_fileName);

    IItemListImportHost& Host;
    ILVImportErrors* pErrors = nullptr;
};
