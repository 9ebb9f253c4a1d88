// An import cancelled while its records come in hands back the memory
// they took, as a build hands back its map: the resident size of the
// process falls back to about where it was before the import. The cancel
// comes at a fixed look of the progress window, on a clock that moves as
// the records are read, so the records taken in are always the same.
#include "generators/ProcessFigures.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "shell/lists/GroupViewCore.h"
#include "shell/lists/ItemListImport.h"
#include "shell/tests/ImportRows.h"
#include "zelkit/import/ZelImport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The wizard: every column mapped to the field its heading names, Finish.
class HeadingWizard : public IZelImportWizardPort {
public:
    HeadingWizard() { pPrevious = ZelSetImportWizardPort(this); }
    ~HeadingWizard() override { ZelSetImportWizardPort(pPrevious); }
    int Run(ZelImportWizardCore& wizard, const std::string&, const std::string&) override
    {
        const std::vector<ZelImportWizardCore::ColumnRow> v_rows = wizard.PrepareColumns();
        for (std::size_t i = 0; i < v_rows.size(); ++i)
            wizard.ChooseField(static_cast<int>(i), v_rows[i].sCaption);
        return 12325;
    }

private:
    IZelImportWizardPort* pPrevious;
};

} // namespace

// An import of 40,000 groups cancelled part way (at the thirtieth look of
// the progress window, on a clock that moves as the records are read):
// the groups, participants and styles its records had made are gone, and
// so is the memory they took, handed back to the system.
TEST(ImportMemory, ACancelledImportHandsBackTheMemoryItsRecordsTook)
{
    class CancelAtPump : public IZelImportProgressPort {
    public:
        CancelAtPump() { pPrevious = ZelSetImportProgressPort(this); }
        ~CancelAtPump() override { ZelSetImportProgressPort(pPrevious); }
        std::int64_t GetMilliseconds() override { return llNow += 2; }
        bool Open(const std::string&) override { return true; }
        void Show(const std::string&, std::uint64_t u_done, std::uint64_t u_total) override
        {
            dDone = u_total == 0 ? 0.0 : double(u_done) / double(u_total);
        }
        // The resident size as the user cancels, with the records in.
        bool Pump() override
        {
            if (++nPumps < nCancelAt)
                return false;
            lPeakKib = StatusKib("VmRSS");
            return true;
        }
        void Close() override {}
        const int nCancelAt = 30;
        std::int64_t llNow = 0;
        int nPumps = 0;
        long lPeakKib = 0;
        double dDone = 0;

    private:
        IZelImportProgressPort* pPrevious;
    };
    std::string s_text = "Group Name,Contact Name,Contact Email,Styles,Group Members,Notes\n";
    for (int i = 0; i < 40000; ++i) {
        const std::string s_n = std::to_string(i);
        s_text += "Ensemble " + s_n + ",Robin Hale " + s_n + ",group" + s_n + "@example.org,Jazz,Pat Player" + s_n
                  + ",Imported for the spring fair and kept a while " + s_n + "\n";
    }
    const std::string s_path =
        (std::filesystem::temp_directory_path() / ("rvx-" + std::to_string(::getpid()) + "-many.csv")).string();
    std::ofstream(s_path, std::ios::binary) << s_text;
    s_text = std::string();
    ScriptedMessageBox boxes;
    ScriptedViews views;
    HeadingWizard wizard;
    EventDoc doc;
    ImportRows<GroupViewCore> groups(doc, "Group");
    views.fOnUpdate = [&groups](const UpdateViewHint* p_hint) { groups.OnUpdate(p_hint); };
    groups.InitialUpdate();
    const std::vector<std::uint8_t> v_before = doc.WriteEventFile();

    CancelAtPump progress;
    const long l_before = StatusKib("VmRSS");
    ItemListImport(groups).ImportFile("many", "many", s_path);
    const long l_after = StatusKib("VmRSS");
    std::filesystem::remove(s_path);

    ASSERT_TRUE(groups.bStopped);
    EXPECT_EQ(doc.GetGroups().GetNumGroups(), 0);
    EXPECT_EQ(doc.WriteEventFile(), v_before);
    ASSERT_GT(l_before, 0);
    // The records had taken tens of megabytes by the time of the cancel;
    // most of it is back with the system.
    const long l_took = progress.lPeakKib - l_before;
    EXPECT_GT(l_took, 16 * 1024) << "the import took memory as it ran (cancelled at " << progress.dDone << ")";
    EXPECT_LT(l_after - l_before, l_took / 4) << "resident " << l_before / 1024 << " MiB before, "
                                              << progress.lPeakKib / 1024 << " MiB while the records came in, "
                                              << l_after / 1024 << " MiB after the cancel";
}
