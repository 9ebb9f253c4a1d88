// The label stock file's fuzz target: any bytes are read as a ".ldf" file.
// Bytes that load are stored, loaded and stored again, and the two stores
// must be the same bytes; bytes that do not load must fail with the
// archive exception and leave the groups held before as they were.
// (Names are normalised and cut as they load, so the bytes may change once:
// a name cut at its length can end in a blank that the next load trims.)
//
// A crash, a sanitizer report, an assertion, another exception, a failed
// load that changed the groups or two stores that differ end the run with
// a report (abort). Built with libFuzzer, or with the small driver of
// FuzzDriver.cpp.
#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/controls/ZelLabelPrint.h"
#include "zelkit/lists/ZelListModel.h"
#include "zelkit/controls/ZelLocale.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

[[noreturn]] void Fail(const std::string& s_what)
{
    std::fprintf(stderr, "fuzz_label_stock: %s\n", s_what.c_str());
    std::abort();
}

Bytes Store(ZelLabelStockFile& file)
{
    CArchive ar(CArchive::store);
    file.Serialize(ar);
    return ar.GetBuffer();
}

// Loads the bytes into the file and stores it again.
Bytes Reload(ZelLabelStockFile& file, const Bytes& v_bytes)
{
    CArchive ar{Bytes(v_bytes)};
    try {
        file.Serialize(ar);
    } catch (const CArchiveException& e) {
        Fail(std::string("a stored file does not load again: ") + e.GetText());
    }
    if (!ar.AtEnd())
        Fail("a stored file has bytes its load does not read");
    return Store(file);
}

// A file held before the load: one group with one stock.
void Prefill(ZelLabelStockFile& file)
{
    ZelLabelStockGroup group;
    group.SetGroupName("held");
    ZelLabelStock stock;
    stock.SetName("held stock");
    group.Add(stock);
    file.Add(group);
}

void RunOne(const Bytes& v_bytes)
{
    ZelLabelStockFile file;
    Prefill(file);
    const Bytes v_held = Store(file);
    try {
        CArchive ar{Bytes(v_bytes)};
        file.Serialize(ar);
    } catch (const CArchiveException&) {
        if (Store(file) != v_held)
            Fail("a load that failed changed the groups held");
        return;
    }
    // A name cut to its length may end in a blank that the next load
    // trims, so the bytes settle after one more load; from then on a
    // store and a load must give the same bytes.
    const Bytes v_first = Store(file);
    ZelLabelStockFile settled;
    const Bytes v_settled = Reload(settled, v_first);
    ZelLabelStockFile again;
    if (Reload(again, v_settled) != v_settled)
        Fail("the file stored, loaded and stored again gives other bytes");
    if (again.GetSize() != file.GetSize())
        Fail("a stored file loads with another number of groups");
    // What the program shows of every stock.
    for (int i = 0; i < again.GetSize(); ++i)
        for (int k = 0; k < again[i].GetSize(); ++k) {
            const ZelLabelDim& dim = again[i][k].GetDim();
            (void)dim.FormatDimension(dim.GetPaperDim());
            (void)dim.FormatDimension(dim.GetTopMargin());
            (void)dim.FormatTypeName();
            (void)dim.Parse(dim.FormatDimension(dim.GetWidth()));
        }
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
    // Millimetres, whatever the machine's locale.
    static ZelFixedLocale s_locale(IZelLocalePort::measureMetric, "%d/%m/%Y");
    try {
        RunOne(Bytes(p_data, p_data + n_size));
    } catch (const ZelAssertException& e) {
        Fail(std::string("an assertion failed: ") + e.GetText());
    } catch (const CException& e) {
        Fail(std::string("an exception left the load: ") + e.GetText());
    } catch (const std::exception& e) {
        Fail(std::string("an exception left the load: ") + e.what());
    }
    return 0;
}
