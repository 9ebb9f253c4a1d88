// The event document on screen: a thin wx document over the model's
// EventDoc, which the views attach to and which takes the document's own
// commands (define event, build, check, preferences, scheduling rules,
// mail, close) with their enable rules. Path, title and modified flag are
// the event's own; the document lives as long as the program and is never
// deleted with its views.
#pragma once

#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "model/Timetable.h"
#include "zelkit/datetime/CHighTime.h"

#include <functional>
#include <string>
#include <wx/docview.h>

// The hint a view's OnUpdate receives for the codes 1 to 5 (code 0 comes
// without a hint).
class CViewHint : public wxObject {
public:
    explicit CViewHint(const UpdateViewHint& hint) : Hint(hint) {}
    UpdateViewHint Hint;
};

class CEventDocument : public wxDocument {
public:
    CEventDocument();
    ~CEventDocument() override;

    EventDoc& GetEvent() { return Doc; }
    const EventDoc& GetEvent() const { return Doc; }

    // The title the frame shows: the file's name, or the document's name
    // ("Event") for an event never saved.
    std::string GetDisplayTitle() const;

    // Every view updates, with the hint (null: a change of anything).
    void UpdateViews(const UpdateViewHint* p_hint);

    // The framework's flows that may save the event (save, save as, the
    // question before a close, a new or another event, the end of the
    // program) run through here: each file they save is handed to the
    // callback (the recent-file list). The result is the flow's.
    BOOL RecordSaves(const std::function<BOOL()>& f_flow);
    void SetOnSaved(std::function<void(const std::string& s_path)> f_onSaved) { fOnSaved = std::move(f_onSaved); }

    // The commands that open an editing sheet (define event, preferences,
    // scheduling rules) are enabled only once their sheet exists; the
    // module that brings a sheet says so at start-up.
    static void SetSheetAvailable(UINT u_command, bool b_available);
    static bool IsSheetAvailable(UINT u_command);

    // The message bar's word that the last build made a valid timetable
    // holds only while the timetable is still the one that build made: the
    // same object, built at the same time and still valid. An edit that
    // drops the placements, a cancelled rebuild, a close or an open ends
    // it, and the frame then takes the message back.
    static const char* BuiltMessage();
    bool BuiltMessageHolds() const;
    void ForgetBuiltMessage() { bBuiltMessage = false; }

    // wx's side of the document.
    bool IsModified() const override { return Doc.IsModified(); }
    void Modify(bool b_modified) override { Doc.SetModifiedFlag(b_modified); }
    bool OnSaveModified() override;
    bool DeleteContents() override { return true; }
    // The document outlives its views.
    void OnChangedViewList() override {}

private:
    void OnCommand(wxCommandEvent& event);
    void OnUpdateCommand(wxUpdateUIEvent& event);

    EventDoc Doc;
    std::function<void(const std::string&)> fOnSaved;
    // The timetable the built message speaks of.
    bool bBuiltMessage = false;
    const Timetable* pBuiltTimetable = nullptr;
    CHighTime dtBuilt;
};
