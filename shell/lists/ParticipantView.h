// The participant pane (top right): the event's participants in six
// columns, added, changed and deleted through the participant sheet, sorted
// by a header click (the name column cycles through its four orders),
// printed as a list or as address labels, mailed, given the preferences'
// defaults in bulk, un-rostered and imported from text. The work without a
// window is ParticipantViewCore's.
#pragma once

#include "shell/frame/CommandIds.h"
#include "shell/lists/ItemLVLabels.h"
#include "shell/lists/ParticipantViewCore.h"

#include <memory>

class wxContextMenuEvent;

class ParticipantView : public ItemLVLabels {
public:
    // The help context of the view: the command help base and 32808.
    static constexpr DWORD uHelpContext = 0x18028;
    // Commands of the view.
    enum : UINT {
        ID_SEND_MAIL = 32844,
        ID_UNROSTER = 32865,
        ID_UNROSTER_TOOL = 32866,
        ID_APPLY_ALL_PREFS = ID_APPLY_ALL_PARTICIPANT_PREFS,
        ID_APPLY_LIMITS_PREFS = ID_APPLY_PARTICIPANT_LIMITS_PREFS,
        ID_APPLY_ROSTER_PREFS = ID_APPLY_PARTICIPANT_ROSTER_PREFS,
    };

    ParticipantView();
    ~ParticipantView() override;


    ParticipantViewCore& GetCore() { return *pCore; }
    // The context menu, its items enabled by the selection.
    std::unique_ptr<wxMenu> MakeContextMenu() override;

    // ---- IShellView ----
    std::string GetClassName() const override { return "ParticipantView"; }

    // ---- ItemListCore ----
    void FillList() override;
    BOOL AddRecordByName(const ZelFullName& name, std::string& s_error, BOOL b_flag) override
    {
        return pCore->AddRecordByName(name, s_error, b_flag);
    }
    void DoAddDialog() override { pCore->DoAddDialog(); }
    void DeleteRecord(LPARAM l_key, BOOL b_last) override { pCore->DeleteRecord(l_key, b_last); }
    void DeleteRecords(const LPARAM* p_keys, int n_keys) override { pCore->DeleteRecords(p_keys, n_keys); }
    int DoChangeDialog(LPARAM l_key, LPARAM& l_out, int i_position, int n_count) override
    {
        return pCore->DoChangeDialog(l_key, l_out, i_position, n_count);
    }
    int GetRecordCount() override;
    std::string GetPluralTitle() override { return "Participants"; }
    std::string GetSingularTitle() override { return "Participant"; }
    std::string GetSingularNoun() override { return "participant"; }
    std::string GetPluralNoun() override { return "participants"; }
    std::string GetCountNoun() override { return "participant(s)"; }
    BOOL SelectPrintColumns() override { return pCore->SelectPrintColumns(); }
    BOOL FilterUpdateHint(const UpdateViewHint& hint) override { return ParticipantViewCore::FilterUpdateHint(hint); }
    std::string GetFieldText(ILVRecord p_record, int i_column) override;
    std::string GetListText(int i_row, int i_column) override { return GetFieldText(GetRecord(i_row), i_column); }
    ILVRecord GetRecord(int i_row) override { return pCore->GetRecord(i_row); }
    int GetRecordValue(int i_row) override { return pCore->GetRecordValue(i_row); }
    std::string GetRecordText(ILVRecord p_record, int i_column) override;
    std::string GetCellText(int i_row, int i_column) override;
    void Sort(int i_column) override { pCore->Sort(i_column); }
    // Fits the columns to the texts computed for them as well: the list
    // holds only the names.
    void AutoSize(int i_column) override;
    void AutoSizeAll() override;

    // ---- ItemLVLabels ----
    std::string GetLabelText(IPrintCanvas& dc, int i_row, CRect& rc) override;

    // ---- import ----
    const ZelImportFieldDef* GetImportFields() override { return &ImportFields; }
    int ImportRecord(int i_record, int i_line, const ZelArray<ZelImport::ColValue>& a_values,
                     ILVImportErrors* p_errors) override
    {
        return pCore->ImportRecord(i_record, i_line, a_values, p_errors);
    }
    void ImportFromText(const std::string& s_key, const std::string& s_text) override;
    void ImportFromFile(const std::string& s_key, const std::string& s_name, const std::string& s_path) override;

private:
    void BindParticipantCommands();
    void FitComputedColumns(int i_first, int i_last);

    std::unique_ptr<ParticipantViewCore> pCore;
    ZelImportFieldDef ImportFields;
};

// Puts the participant view into the frame's top-right pane; the program
// calls it at start-up.
bool RegisterParticipantView();
