// The text importer's fuzz target: any bytes are imported, with a column
// map and choices taken from the input's first bytes.
//
// Input: byte 0 holds the header mode (bits 0-1), whether the text comes
// from a file (bit 2), whether the wizard is cancelled (bit 3) and the
// number of map entries (bits 4-7); then one byte per entry choosing its
// field (0 none, 1 to 4 a field, anything else a name no field has); the
// rest is the text. The first step's guess of the layout is taken, except
// with header mode 3 (no header row), where the user picks the other
// layout and, in fixed width, each entry's byte also adds, removes or
// moves a column break, as the mouse does in the preview.
//
// A crash, a sanitizer report, an assertion, an exception, records
// delivered out of order or after the end, a cancelled wizard that
// delivers anything or changes the map, an empty text or one with control
// characters that is not refused before the wizard, or an error that is not a "Line %d: ..." line ends
// the run with a report (abort). Built with libFuzzer, or with the small
// driver of FuzzDriver.cpp.
#include "framework/Exceptions.h"
#include "framework/MessageBox.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/import/ZelImport.h"
#include "zelkit/lists/ZelListModel.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

[[noreturn]] void Fail(const std::string& s_what)
{
    std::fprintf(stderr, "fuzz_text_import: %s\n", s_what.c_str());
    std::abort();
}

const char* const aFieldNames[] = {"Name", "Town", "Note", "Phone"};

struct Seen {
    int nRecords = 0;
    int iLastRecord = 0;
    int iLastLine = 0;
    bool bEnded = false;
    int nMapped = 0;
};

int Check(int i_record, int i_line, void* p_user, const ZelArray<ZelImport::ColValue>& a_values)
{
    Seen& seen = *static_cast<Seen*>(p_user);
    if (seen.bEnded)
        Fail("a record after the end");
    if (i_record == -1) {
        if (i_line != -1 || a_values.GetSize() != 0)
            Fail("the end carries data");
        seen.bEnded = true;
        return 0;
    }
    if (i_record <= seen.iLastRecord || i_line < seen.iLastLine)
        Fail("records out of order");
    if (a_values.GetSize() > seen.nMapped)
        Fail("more values than mapped columns");
    for (int i = 0; i < a_values.GetSize(); ++i)
        if (a_values[i].Values.GetSize() != 1)
            Fail("a text value without exactly one value");
    seen.iLastRecord = i_record;
    seen.iLastLine = i_line;
    ++seen.nRecords;
    return 0;
}

class FuzzWizard : public IZelImportWizardPort {
public:
    std::vector<int> vChoices;
    int iHeaderMode = 0;
    bool bCancel = false;
    int nMapped = 0;
    int nRuns = 0;
    Seen* pSeen = nullptr;

    int Run(ZelImportWizardCore& wizard, const std::string&, const std::string&) override
    {
        ++nRuns;
        wizard.iHeaderMode = iHeaderMode;
        const BOOL b_fixed = wizard.DetectLayout();
        if (iHeaderMode == 3) {
            wizard.SetLayout(!b_fixed);
            if (!b_fixed) {
                for (int i_choice : vChoices) {
                    const UINT u_pos = static_cast<UINT>(i_choice / 3 % 64);
                    if (i_choice % 3 == 0)
                        wizard.AddColumnBreak(u_pos);
                    else if (i_choice % 3 == 1)
                        wizard.RemoveColumnBreak(u_pos);
                    else
                        wizard.MoveColumnBreak(static_cast<UINT>(i_choice % 64), u_pos);
                }
                const std::vector<UINT> v_starts = wizard.GetColumnStarts();
                if (v_starts.empty() || v_starts.front() != 0)
                    Fail("fixed-width columns that do not start at 0");
            }
        }
        const auto v_rows = wizard.PrepareColumns();
        if (static_cast<int>(v_rows.size()) != wizard.GetColumnCount())
            Fail("a column page row per column");
        nMapped = 0;
        for (int i = 0; i < wizard.GetColumnCount(); ++i) {
            int i_select = -1;
            const ZelStringArray a_choices = wizard.FieldChoices(i, i_select);
            if (i_select < 0 || i_select >= a_choices.GetSize())
                Fail("the selected choice is not offered");
            if (i < static_cast<int>(vChoices.size())) {
                const int i_choice = vChoices[i];
                if (i_choice >= 1 && i_choice <= 4)
                    wizard.ChooseField(i, aFieldNames[i_choice - 1]);
                else if (i_choice > 4)
                    wizard.SetColumnField(i, "Bygone");
            }
            if (!wizard.GetColumnMap()[i].empty())
                ++nMapped;
        }
        pSeen->nMapped = nMapped;
        return bCancel ? 2 : 12325;
    }
};

void RunOne(const std::uint8_t* p_data, std::size_t n_size)
{
    if (n_size == 0)
        return;
    const std::uint8_t u_flags = p_data[0];
    FuzzWizard wizard;
    wizard.iHeaderMode = u_flags & 3;
    const bool b_file = (u_flags & 4) != 0;
    wizard.bCancel = (u_flags & 8) != 0;
    std::size_t i_pos = 1;
    ZelStringArray a_map;
    const int n_map = u_flags >> 4;
    for (int i = 0; i < n_map && i_pos < n_size; ++i) {
        wizard.vChoices.push_back(p_data[i_pos++]);
        a_map.Add(wizard.vChoices.back() % 3 == 0 ? "Town" : "");
    }
    const ZelStringArray a_before = a_map;
    const std::string s_text(reinterpret_cast<const char*>(p_data + i_pos), n_size - i_pos);

    ZelImportFieldDef defs;
    defs.Add("Name", ZelImportFieldDef::COLTYPE_STRING, 1, ZelImportFieldDef::COLTYPE_SINGLE, 0);
    defs.Add("Town", ZelImportFieldDef::COLTYPE_STRING, 2, ZelImportFieldDef::COLTYPE_SINGLE, 0);
    defs.Add("Note", ZelImportFieldDef::COLTYPE_STRING, 3, ZelImportFieldDef::COLTYPE_MULTILINE,
             ZelImportFieldDef::COLTYPE_REPEATABLE);
    defs.Add("Phone", ZelImportFieldDef::COLTYPE_STRING, 4, ZelImportFieldDef::COLTYPE_SINGLE, 0);

    // The message of an empty text goes to a box nobody sees.
    ScriptedMessageBox boxes;
    IZelImportWizardPort* p_previous = ZelSetImportWizardPort(&wizard);
    Seen seen;
    wizard.pSeen = &seen;
    ZelImport import;
    int i_result = 0;
    auto run = [&] {
        if (b_file) {
            static const std::string s_path = "/tmp/fuzz-text-import-" + std::to_string(::getpid()) + ".csv";
            std::ofstream(s_path, std::ios::binary | std::ios::trunc) << s_text;
            i_result = import.Import(defs, &Check, &seen, s_path, &a_map, "Field");
        } else {
            i_result = import.ImportFromString(defs, &Check, &seen, s_text, &a_map, "Field");
        }
    };
    run();
    ZelSetImportWizardPort(p_previous);
    // An end-of-file mark as the last byte ends the text before it: a text
    // of that mark alone is as empty as no text.
    std::string s_body = s_text;
    if (!s_body.empty() && s_body.back() == '\x1A')
        s_body.pop_back();
    if (s_body.empty() || s_body == "\xEF\xBB\xBF") {
        if (i_result != ZelImport::resultFailed || wizard.nRuns != 0 || seen.nRecords != 0 || seen.bEnded
            || boxes.Boxes().size() != 1)
            Fail("an empty text was not refused before the wizard");
        return;
    }
    // A control character other than tab, carriage return and line feed
    // (an end-of-file mark as the last byte aside) is no text: refused
    // before the wizard.
    bool b_text = true;
    for (std::size_t i = 0; i < s_text.size(); ++i) {
        const auto u = static_cast<unsigned char>(s_text[i]);
        if ((u < 0x20 && u != '\t' && u != '\r' && u != '\n' && !(u == 0x1A && i + 1 == s_text.size())) || u == 0x7F)
            b_text = false;
    }
    if (!b_text) {
        if (i_result != ZelImport::resultFailed || wizard.nRuns != 0 || seen.nRecords != 0 || seen.bEnded
            || boxes.Boxes().size() != 1)
            Fail("a text with control characters was not refused before the wizard");
        return;
    }
    if (wizard.bCancel) {
        if (i_result != ZelImport::resultCancelled || seen.nRecords != 0 || seen.bEnded)
            Fail("a cancelled wizard delivered records");
        if (a_map.GetSize() != a_before.GetSize())
            Fail("a cancelled wizard changed the map");
        for (int i = 0; i < a_map.GetSize(); ++i)
            if (a_map[i] != a_before[i])
                Fail("a cancelled wizard changed the map");
        return;
    }
    if (i_result != ZelImport::resultDone || !seen.bEnded)
        Fail("a finished import without its end");
    for (int i = 0; i < import.GetErrors().GetSize(); ++i)
        if (import.GetErrors()[i].rfind("Line ", 0) != 0)
            Fail("an error that names no line: " + import.GetErrors()[i]);
}

} // namespace

// Built without the library's window classes: no list control exists
// whose model a sort could ask for.
ZelListModel* ZelListModelOf(ZelListCtrl*)
{
    return nullptr;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* p_data, std::size_t n_size)
{
    try {
        RunOne(p_data, n_size);
    } catch (const ZelAssertException& e) {
        Fail(std::string("an assertion failed: ") + e.GetText());
    } catch (const CException& e) {
        Fail(std::string("an exception left the import: ") + e.GetText());
    } catch (const std::exception& e) {
        Fail(std::string("an exception left the import: ") + e.what());
    }
    return 0;
}
