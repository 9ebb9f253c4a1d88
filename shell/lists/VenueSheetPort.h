// How the venue view opens the venue sheet, which lives with the other
// editing sheets: the view fills a request with the working venue and the
// sheet's set-up, the port runs the sheet, and the view acts on its end.
//
// The program's sheets install the port at start-up; until then the stand-in
// ends every request with Cancel. Tests install the scripted port, which
// installs itself for its lifetime and puts the previous port back.
#pragma once

#include "framework/MessageBox.h"
#include "framework/Types.h"
#include "model/Venue.h"

#include <functional>
#include <string>
#include <vector>

class EventDoc;

// End codes of the venue sheet.
enum : int {
    VSR_OK = IDOK,
    VSR_CANCEL = IDCANCEL,
    VSR_PREVIOUS = 1149,
    VSR_NEXT = 1150,
    VSR_APPLY = 12321,
};

struct VenueSheetRequest {
    EventDoc* pDoc = nullptr;
    // The venue being edited (in), as the sheet left it (out).
    Venue Working;
    std::string sCaption = "Define venue";
    // The initial sizes of the page's style and facility key lists.
    int nStyleKeys = 10;
    int nFacilityKeys = 10;
    // The page the sheet opens at (in) and the page last active (out).
    int iPage = 0;
    // The edited venue's place in the caller's selection and its size (0
    // and 0: no walk, so no Next and Previous).
    int iItem = 0;
    int nItems = 0;
    // Asked when the sheet is about to end with OK, Apply, Next or
    // Previous, after its page gave up its values: FALSE keeps the sheet
    // open with the user's edits (the check has told the user why). None:
    // the sheet ends.
    std::function<BOOL(const Venue&)> fAccept{};
    // Apply, once the venue passed the check above: stores the venue as
    // the sheet holds it and gives it back as the event now holds it; the
    // sheet stays open on it. FALSE: nothing stored (the user was told),
    // the sheet stays with the edits. None: Apply stores nothing.
    std::function<BOOL(Venue&)> fApply{};
};

class IVenueSheetPort {
public:
    virtual ~IVenueSheetPort() = default;
    // Runs the sheet modally; one of the end codes above. The program's
    // sheet never ends with VSR_APPLY (its Apply goes to the request's
    // store); a port that does is taken as one that stored and wants the
    // same venue shown again.
    virtual int Run(VenueSheetRequest& request) = 0;
};

IVenueSheetPort& GetVenueSheetPort();
IVenueSheetPort* SetVenueSheetPort(IVenueSheetPort* p_port);

// A sheet played by the test: each run hands the request to the next step,
// which edits the working venue and gives the end code; a step's code for
// OK, Apply, Next or Previous is first put to the request's check, and a
// refused check makes the run take the following step (as the user would
// go on in the still open sheet). Without steps every run cancels.
class ScriptedVenueSheet : public IVenueSheetPort {
public:
    using Step = std::function<int(VenueSheetRequest&)>;

    ScriptedVenueSheet();
    ~ScriptedVenueSheet() override;
    ScriptedVenueSheet(const ScriptedVenueSheet&) = delete;
    ScriptedVenueSheet& operator=(const ScriptedVenueSheet&) = delete;

    int Run(VenueSheetRequest& request) override;

    std::vector<Step> vSteps;
    // Per run: the venue, page and walk place the sheet was opened with.
    struct Opened {
        Venue Working;
        std::string sCaption;
        int iPage;
        int iItem;
        int nItems;
    };
    std::vector<Opened> vOpened;
    // The checks refused.
    int nRefused = 0;

private:
    std::size_t iNext = 0;
    IVenueSheetPort* pPrevious;
};
