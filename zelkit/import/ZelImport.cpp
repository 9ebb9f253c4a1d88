#include "zelkit/import/ZelImport.h"

#include "framework/Encoding.h"
#include "framework/FileDialog.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelLibrary.h"
#include "zelkit/services/ZelMessages.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <sys/stat.h>

namespace {

// The id the wizard ends with when the user presses Finish.
constexpr int ID_WIZFINISH = 12325;
// The error of a record that ran to the end of the data inside quotes,
// after "Line %d: ".
constexpr const char* kQuoteNeverClosed =
    "a quotation mark in this record is never closed; nothing from here to the end was imported";
// Bytes read from a file at a time.
constexpr std::size_t nReadChunk = 64 * 1024;

std::string Printf(const char* p_format, int i_a, int i_b = 0, int i_c = 0)
{
    char sz[160];
    std::snprintf(sz, sizeof sz, p_format, i_a, i_b, i_c);
    return sz;
}

// The length of the UTF-8 sequence a lead byte opens, 0 for a byte that
// cannot open one.
int Utf8Length(unsigned char u)
{
    if (u < 0x80)
        return 1;
    if (u >= 0xC2 && u <= 0xDF)
        return 2;
    if (u >= 0xE0 && u <= 0xEF)
        return 3;
    if (u >= 0xF0 && u <= 0xF4)
        return 4;
    return 0;
}

// Checks UTF-8 as it streams past: no overlong forms, no surrogates,
// nothing above U+10FFFF.
class Utf8Checker {
public:
    void Add(unsigned char u)
    {
        if (!bValid)
            return;
        if (nPending == 0) {
            const int n_len = Utf8Length(u);
            if (n_len == 0) {
                bValid = false;
                return;
            }
            if (n_len > 1)
                bMultiByte = true;
            nPending = n_len - 1;
            uLead = u;
            bSecond = true;
            return;
        }
        if ((u & 0xC0) != 0x80) {
            bValid = false;
            return;
        }
        if (bSecond) {
            // The second byte keeps the shortest form and the range.
            if ((uLead == 0xE0 && u < 0xA0) || (uLead == 0xED && u > 0x9F) || (uLead == 0xF0 && u < 0x90)
                || (uLead == 0xF4 && u > 0x8F))
                bValid = false;
            bSecond = false;
        }
        --nPending;
    }
    bool IsUtf8() const { return bValid && nPending == 0 && bMultiByte; }

private:
    bool bValid = true;
    bool bMultiByte = false;
    bool bSecond = false;
    int nPending = 0;
    unsigned char uLead = 0;
};

} // namespace

// ------------------------------------------------------------ field list

int ZelImportFieldDef::Add(const std::string& s_name, DWORD u_baseType, DWORD u_data, DWORD u_option, DWORD u_flags)
{
    FieldDef def;
    def.sName = s_name;
    def.uType = u_baseType | u_option | u_flags;
    def.uData = u_data;
    if (u_option == COLTYPE_SEPARATED_DASH)
        def.sSeparator = "-";
    else if (u_option == COLTYPE_SEPARATED_COMMA)
        def.sSeparator = ",";
    int i_low = 0;
    int i_high = Defs.GetSize();
    while (i_low < i_high) {
        const int i_mid = (i_low + i_high) / 2;
        if (Defs[i_mid].sName < s_name)
            i_low = i_mid + 1;
        else
            i_high = i_mid;
    }
    Defs.InsertAt(i_low, def);
    return i_low;
}

int ZelImportFieldDef::FindField(const std::string& s_name) const
{
    int i_low = 0;
    int i_high = Defs.GetSize();
    while (i_low < i_high) {
        const int i_mid = (i_low + i_high) / 2;
        if (Defs[i_mid].sName < s_name)
            i_low = i_mid + 1;
        else
            i_high = i_mid;
    }
    return i_low < Defs.GetSize() && Defs[i_low].sName == s_name ? i_low : -1;
}

const ZelImportFieldDef::FieldDef& ZelImportFieldDef::operator[](int i_index) const
{
    ZEL_ASSERT(0 <= i_index && i_index < Defs.GetSize());
    return Defs[i_index];
}

bool ZelImportFieldDef::operator==(const ZelImportFieldDef& other) const
{
    if (Defs.GetSize() != other.Defs.GetSize())
        return false;
    for (int i = 0; i < Defs.GetSize(); ++i)
        if (Defs[i].sName != other.Defs[i].sName || Defs[i].uType != other.Defs[i].uType
            || Defs[i].sSeparator != other.Defs[i].sSeparator)
            return false;
    return true;
}

// ---------------------------------------------------------------- reader

ZelImportData::ZelImportData(const std::string& s_fileName) : bFromFile(true), sFileName(s_fileName)
{
    pFile = std::fopen(s_fileName.c_str(), "rb");
    if (pFile == nullptr)
        return;
    struct stat st {};
    if (::fstat(fileno(pFile), &st) != 0 || S_ISDIR(st.st_mode)) {
        const int n_error = S_ISDIR(st.st_mode) ? EISDIR : errno;
        std::fclose(pFile);
        pFile = nullptr;
        errno = n_error;
        return;
    }
    vBuffer.resize(nReadChunk);
    bOpen = true;
    DecideEncoding();
}

ZelImportData::ZelImportData(const std::string* p_text) : bFromFile(false), pText(p_text)
{
    bOpen = p_text != nullptr;
    if (bOpen)
        DecideEncoding();
}

ZelImportData::~ZelImportData()
{
    if (pFile != nullptr)
        std::fclose(pFile);
}

void ZelImportData::DecideEncoding()
{
    // One pass over the source decides it; the records are read again
    // afterwards, a chunk at a time.
    iDataStart = 0;
    RewindSource();
    uDataEnd = UINT64_MAX;
    Utf8Checker check;
    int i_byte = 0;
    unsigned char a_bom[3] = {0, 0, 0};
    std::uint64_t n_seen = 0;
    // The same pass looks for what no text holds: the first control
    // character other than tab, carriage return and line feed.
    int i_line = 1;
    iControlLine = 0;
    uControlByte = 0;
    std::uint64_t u_controlAt = 0;
    while ((i_byte = NextByte()) >= 0) {
        const auto u = static_cast<unsigned char>(i_byte);
        if (n_seen < 3)
            a_bom[n_seen] = u;
        if (u == '\n')
            ++i_line;
        else if (iControlLine == 0 && ((u < 0x20 && u != '\t' && u != '\r') || u == 0x7F)) {
            iControlLine = i_line;
            uControlByte = u;
            u_controlAt = n_seen;
        }
        ++n_seen;
        check.Add(u);
    }
    // An end-of-file mark as the last byte is how old editors ended a
    // text: the text ends before it.
    if (iControlLine != 0 && uControlByte == 0x1A && u_controlAt + 1 == n_seen) {
        iControlLine = 0;
        uControlByte = 0;
        uDataEnd = u_controlAt;
    }
    const bool b_bom = n_seen >= 3 && a_bom[0] == 0xEF && a_bom[1] == 0xBB && a_bom[2] == 0xBF;
    bUtf8 = check.IsUtf8();
    iDataStart = bUtf8 && b_bom ? 3 : 0;
    uSourceSize = n_seen;
    Rewind();
}

void ZelImportData::RewindSource()
{
    if (bFromFile) {
        if (pFile != nullptr) {
            std::clearerr(pFile);
            std::fseek(pFile, static_cast<long>(iDataStart), SEEK_SET);
        }
        iBufPos = nBufLen = 0;
        uFilePos = iDataStart;
        bFileEnd = pFile == nullptr;
    } else {
        iTextPos = iDataStart;
    }
}

int ZelImportData::PeekByte()
{
    if (!bFromFile)
        return pText != nullptr && iTextPos < pText->size() && iTextPos < uDataEnd
                   ? static_cast<unsigned char>((*pText)[iTextPos])
                   : -1;
    if (uFilePos >= uDataEnd)
        return -1;
    if (iBufPos >= nBufLen) {
        if (bFileEnd)
            return -1;
        nBufLen = std::fread(vBuffer.data(), 1, vBuffer.size(), pFile);
        iBufPos = 0;
        if (nBufLen == 0) {
            // The end, or a read error: either way no more data.
            bFileEnd = true;
            return -1;
        }
    }
    return vBuffer[iBufPos];
}

int ZelImportData::NextByte()
{
    const int i_byte = PeekByte();
    if (i_byte < 0)
        return -1;
    if (!bFromFile) {
        ++iTextPos;
        return i_byte;
    }
    ++iBufPos;
    ++uFilePos;
    return i_byte;
}

std::uint64_t ZelImportData::GetSourcePosition() const { return bFromFile ? uFilePos : iTextPos; }

bool ZelImportData::AtEnd() { return PeekByte() < 0; }

void ZelImportData::Rewind()
{
    RewindSource();
    nLines = 0;
    iRecordLine = 0;
    bQuoteOpen = false;
    nCurRecord = 0;
}

std::string ZelImportData::Convert(const std::string& s_raw)
{
    sRecordError.clear();
    if (!bUtf8)
        return s_raw;
    if (auto s_converted = Utf8ToCp1252(s_raw))
        return *s_converted;
    // Character by character: the first that the code page cannot hold is
    // named; each such character reads as '?'.
    std::string s_out;
    for (std::size_t i = 0; i < s_raw.size();) {
        const int n_len = std::max(1, Utf8Length(static_cast<unsigned char>(s_raw[i])));
        const std::string s_char = s_raw.substr(i, static_cast<std::size_t>(n_len));
        i += static_cast<std::size_t>(n_len);
        if (auto s_one = Utf8ToCp1252(s_char)) {
            s_out += *s_one;
            continue;
        }
        s_out += '?';
        if (sRecordError.empty()) {
            unsigned u_code = static_cast<unsigned char>(s_char[0]) & (0x7F >> n_len);
            for (std::size_t k = 1; k < s_char.size(); ++k)
                u_code = (u_code << 6) | (static_cast<unsigned char>(s_char[k]) & 0x3F);
            char sz[96];
            std::snprintf(sz, sizeof sz, "the character U+%04X cannot be held in the event's character set",
                          u_code);
            sRecordError = sz;
        }
    }
    return s_out;
}

std::string ZelImportData::ReadRecord()
{
    std::string s_record;
    ZelStringAdder adder(s_record);
    bool b_quoted = false;
    int i_byte = 0;
    iRecordLine = nLines + 1;
    // In fixed-width data a quotation mark is a character like any other
    // (an inch, an apostrophe): a line is a record.
    const char c_qualifier = bFixedWidth ? 0 : cQualifier;
    while ((i_byte = NextByte()) >= 0) {
        const char c = static_cast<char>(i_byte);
        if (c_qualifier != 0 && c == c_qualifier)
            b_quoted = !b_quoted;
        if (c == '\r' && bFromFile && PeekByte() == '\n')
            continue; // a text-mode stream reads CR LF as LF
        if (c == '\n') {
            ++nLines;
            if (!b_quoted)
                break;
        } else if (c == '\r' && !b_quoted) {
            continue;
        }
        adder.Add(c);
    }
    adder.Update();
    bQuoteOpen = b_quoted && i_byte < 0;
    ++nCurRecord;
    // Columns line up on screen with tabs at their tab stops; the preview
    // and the cut count the blanks they stand for.
    return bFixedWidth ? ExpandTabs(Convert(s_record)) : Convert(s_record);
}

std::string ZelImportData::ExpandTabs(const std::string& s_record)
{
    if (s_record.find('\t') == std::string::npos)
        return s_record;
    std::string s_expanded;
    for (char c : s_record) {
        if (c == '\t')
            s_expanded.append(nTabStop - s_expanded.size() % nTabStop, ' ');
        else
            s_expanded += c;
    }
    return s_expanded;
}

int ZelImportData::CutColumns(const std::string& s_record, ZelStringArray& a_cols) const
{
    a_cols.RemoveAll();
    if (s_record.find_first_not_of(' ') == std::string::npos)
        return 0;
    std::vector<UINT> v_starts(ColumnPositions.GetData(), ColumnPositions.GetData() + ColumnPositions.GetSize());
    std::sort(v_starts.begin(), v_starts.end());
    v_starts.erase(std::unique(v_starts.begin(), v_starts.end()), v_starts.end());
    if (v_starts.empty() || v_starts.front() != 0)
        v_starts.insert(v_starts.begin(), 0);
    for (std::size_t i = 0; i < v_starts.size(); ++i) {
        const std::size_t i_start = v_starts[i];
        const std::size_t i_end = i + 1 < v_starts.size() ? v_starts[i + 1] : s_record.size();
        std::string s_col;
        if (i_start < s_record.size())
            s_col = s_record.substr(i_start, std::min(i_end, s_record.size()) - i_start);
        const std::size_t i_first = s_col.find_first_not_of(' ');
        if (i_first == std::string::npos)
            s_col.clear();
        else
            s_col = s_col.substr(i_first, s_col.find_last_not_of(' ') - i_first + 1);
        a_cols.Add(s_col);
    }
    return a_cols.GetSize();
}

int ZelImportData::ReadColumns(ZelStringArray& a_cols)
{
    const std::string s_record = ReadRecord();
    if (bFixedWidth)
        return CutColumns(s_record, a_cols);
    return a_cols.SplitEx(s_record, cDelimiter, cQualifier, cEscape, 1, 0);
}

std::string ZelImportData::GetRecord(int n_record)
{
    if (n_record <= 1 || n_record < nCurRecord)
        Rewind();
    std::string s_record;
    while (nCurRecord < n_record) {
        if (AtEnd())
            return std::string();
        s_record = ReadRecord();
    }
    return s_record;
}

int ZelImportData::GetColumns(int n_record, ZelStringArray& a_cols)
{
    const std::string s_record = GetRecord(n_record);
    if (bFixedWidth)
        return CutColumns(s_record, a_cols);
    return a_cols.SplitEx(s_record, cDelimiter, cQualifier, cEscape, 1, 0);
}

int ZelImportData::CountRecords()
{
    if (nRecordCount >= 0 && bCountFixed == bFixedWidth)
        return nRecordCount;
    bCountFixed = bFixedWidth;
    Rewind();
    int n_records = 0;
    while (!AtEnd()) {
        const std::string s_record = ReadRecord();
        // An empty record at the very end is the last line's line feed.
        if (!(s_record.empty() && AtEnd()))
            ++n_records;
    }
    Rewind();
    nRecordCount = n_records;
    return n_records;
}

// -------------------------------------------------------------- importer

namespace {

class CancellingWizardPort : public IZelImportWizardPort {
public:
    int Run(ZelImportWizardCore&, const std::string&, const std::string&) override { return 2; }
};

CancellingWizardPort g_cancelling;
IZelImportWizardPort* g_pWizardPort = &g_cancelling;

} // namespace

namespace {

// Without a window: the steady clock, and no window to show.
class NoProgressPort : public IZelImportProgressPort {
public:
    std::int64_t GetMilliseconds() override
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    bool Open(const std::string&) override { return false; }
    void Show(const std::string&, std::uint64_t, std::uint64_t) override {}
    bool Pump() override { return false; }
    void Close() override {}
};

NoProgressPort g_noProgress;
IZelImportProgressPort* g_pProgressPort = &g_noProgress;

// The progress of one import: the window opens once the records have come
// in for a moment, and then shows the position and answers the user at
// the pump's pace. The clock is read once every few records, so that a
// short import costs nothing.
class ImportProgress {
public:
    explicit ImportProgress(ZelImportData& reader)
        : Reader(reader), Port(ZelGetImportProgressPort()), llStart(Port.GetMilliseconds())
    {
    }
    ~ImportProgress()
    {
        if (bOpen)
            Port.Close();
    }
    ImportProgress(const ImportProgress&) = delete;
    ImportProgress& operator=(const ImportProgress&) = delete;

    // After each record: true when the user cancelled the import.
    bool Cancelled(int i_record)
    {
        if (++nSinceLook < nRecordsPerLook)
            return false;
        nSinceLook = 0;
        const std::int64_t ll_now = Port.GetMilliseconds();
        if (!bOpen) {
            if (bRefused || ll_now - llStart < ZelImport::llProgressDelayMs)
                return false;
            bOpen = Port.Open("Importing");
            bRefused = !bOpen;
            if (!bOpen)
                return false;
        } else if (ll_now - llLastPump < ZelImport::llProgressPumpMs) {
            return false;
        }
        llLastPump = ll_now;
        Port.Show("Record " + std::to_string(i_record), Reader.GetSourcePosition(), Reader.GetSourceSize());
        return Port.Pump();
    }

private:
    static constexpr int nRecordsPerLook = 16;

    ZelImportData& Reader;
    IZelImportProgressPort& Port;
    std::int64_t llStart;
    std::int64_t llLastPump = 0;
    int nSinceLook = 0;
    bool bOpen = false;
    bool bRefused = false;
};

} // namespace

IZelImportProgressPort& ZelGetImportProgressPort() { return *g_pProgressPort; }

IZelImportProgressPort* ZelSetImportProgressPort(IZelImportProgressPort* p_port)
{
    IZelImportProgressPort* p_previous = g_pProgressPort;
    g_pProgressPort = p_port != nullptr ? p_port : &g_noProgress;
    return p_previous == &g_noProgress ? nullptr : p_previous;
}

IZelImportWizardPort& ZelGetImportWizardPort() { return *g_pWizardPort; }

IZelImportWizardPort* ZelSetImportWizardPort(IZelImportWizardPort* p_port)
{
    IZelImportWizardPort* p_previous = g_pWizardPort;
    g_pWizardPort = p_port != nullptr ? p_port : &g_cancelling;
    return p_previous == &g_cancelling ? nullptr : p_previous;
}

int ZelImport::Import(const ZelImportFieldDef& defs, Callback pfn_callback, void* p_user, ZelStringArray* p_columnMap,
                      const std::string& s_fieldHeading)
{
    FileDialogRequest request;
    request.sTitle = "Import";
    request.sFolder = sStartFolder;
    request.vFilters = {{"Text file", "*.txt;*.csv"}, {"All files", "*.*"}};
    request.sDefaultExt = "txt";
    request.bMustExist = TRUE;
    // A cancelled dialog is the user's choice, not a failure: nothing to
    // report.
    if (!GetFileDialogPort().Ask(request) || request.sPath.empty())
        return resultCancelled;
    return Import(defs, pfn_callback, p_user, request.sPath, p_columnMap, s_fieldHeading);
}

int ZelImport::Import(const ZelImportFieldDef& defs, Callback pfn_callback, void* p_user, const std::string& s_fileName,
                      ZelStringArray* p_columnMap, const std::string& s_fieldHeading)
{
    ZelImportData reader(s_fileName);
    if (!reader.IsOpen()) {
        // File names are the file system's UTF-8; messages are code page
        // 1252.
        const std::string s_shown = Utf8ToCp1252(s_fileName).value_or(s_fileName);
        const int n_error = errno;
        std::string s_text = "Cannot access file '" + s_shown + "'";
        errno = n_error;
        ZelNotify::SysError(s_text);
        return resultFailed;
    }
    return Run(defs, reader, pfn_callback, p_user, p_columnMap, s_fieldHeading);
}

int ZelImport::ImportFromString(const ZelImportFieldDef& defs, Callback pfn_callback, void* p_user,
                                const std::string& s_text, ZelStringArray* p_columnMap,
                                const std::string& s_fieldHeading)
{
    ZelImportData reader(&s_text);
    return Run(defs, reader, pfn_callback, p_user, p_columnMap, s_fieldHeading);
}

int ZelImport::Run(const ZelImportFieldDef& defs, ZelImportData& reader, Callback pfn_callback, void* p_user,
                   ZelStringArray* p_columnMap, const std::string& s_fieldHeading)
{
    // An empty source has no column to map: the wizard would open on an
    // empty preview and a list without rows, with nothing to finish.
    reader.Rewind();
    if (reader.AtEnd()) {
        const std::string& s_file = reader.GetFileName();
        ZelNotify::Error(s_file.empty() ? std::string("There is nothing to import: the text is empty.")
                                        : "There is nothing to import: '" + Utf8ToCp1252(s_file).value_or(s_file)
                                              + "' is empty.");
        return resultFailed;
    }
    // Bytes that no text holds (a program, a picture, a file in UTF-16)
    // would come into the wizard as junk and go into names: refused, with
    // the line where the first of them stands.
    if (!reader.IsText()) {
        const std::string& s_file = reader.GetFileName();
        char sz[96];
        std::snprintf(sz, sizeof sz, "line %d holds the control character 0x%02X.", reader.GetControlLine(),
                      static_cast<unsigned>(reader.GetControlByte()));
        ZelNotify::Error((s_file.empty() ? std::string("The text is not plain text and cannot be imported: ")
                                         : "'" + Utf8ToCp1252(s_file).value_or(s_file)
                                               + "' is not a text file and cannot be imported: ")
                         + sz
                         + "\n\nOnly text can be imported: comma-separated or in fixed-width columns, in UTF-8 "
                           "or code page 1252.");
        return resultFailed;
    }
    ZelImportWizardCore wizard(defs, reader, p_columnMap);
    std::string s_caption;
    {
        ZelLocalResource local;
        s_caption = ZelLoadResourceString(ZelImportWizardCore::IDS_WIZARD_CAPTION, "Import Wizard");
    }
    // A wizard that does not end with Finish imports nothing and leaves the
    // caller's column map as it was.
    if (ZelGetImportWizardPort().Run(wizard, s_caption, s_fieldHeading) != ID_WIZFINISH)
        return resultCancelled;
    // The first step's preview may have read anywhere since the column page
    // set the reader at the first data record.
    wizard.RewindToData();

    {
        ZelWaitCursor wait;
        ImportProgress progress(reader);
        const ZelStringArray& a_map = wizard.GetColumnMap();
        ZelStringArray a_cols;
        ZelArray<ColValue> a_values;
        int i_record = 1;
        // A header row whose quote is never closed took the whole text.
        if (reader.IsQuoteOpen())
            Errors.Add("Line " + std::to_string(reader.GetRecordLine()) + ": " + kQuoteNeverClosed);
        while (!reader.AtEnd()) {
            const int n_cols = reader.ReadColumns(a_cols);
            if (n_cols == 0 && reader.AtEnd())
                break; // the last line's line feed
            // The callback gets the reader's line count; an error names the
            // line where its record began, where the user finds the fault
            // (a stray quote carries a record over the lines below it).
            const int i_line = reader.GetLineCount();
            const std::string s_line = "Line " + std::to_string(reader.GetRecordLine()) + ": ";
            if (reader.IsQuoteOpen()) {
                // The rest of the data went into this one record: it is not
                // delivered, and the user is told where the quote stands.
                Errors.Add(s_line + kQuoteNeverClosed);
            } else if (!reader.GetRecordError().empty()) {
                Errors.Add(s_line + reader.GetRecordError());
            } else if (n_cols == a_map.GetSize()) {
                a_values.RemoveAll();
                for (int i = 0; i < n_cols; ++i) {
                    if (a_map[i].empty())
                        continue;
                    const int i_field = defs.FindField(a_map[i]);
                    if (i_field < 0) {
                        Errors.Add(s_line + "unknown field '" + a_map[i] + "'");
                        continue;
                    }
                    const ZelImportFieldDef::FieldDef& def = defs[i_field];
                    ZEL_ASSERT(def.GetColBaseType() == ZelImportFieldDef::COLTYPE_STRING);
                    ZEL_ASSERT(def.GetColOption() == ZelImportFieldDef::COLTYPE_SINGLE
                               || def.GetColOption() == ZelImportFieldDef::COLTYPE_MULTILINE);
                    ColValue value;
                    value.uType = def.uType;
                    value.uData = def.uData;
                    if (wizard.HasColumnCaption(i))
                        value.sName = wizard.GetColumnCaption(i);
                    SingleValue single;
                    single.sText = a_cols[i];
                    single.uType = def.uType;
                    value.Values.Add(single);
                    a_values.Add(value);
                }
                pfn_callback(i_record, i_line, p_user, a_values);
            } else {
                Errors.Add(Printf("Line %d: wrong number of columns. Found %d expected %d", reader.GetRecordLine(),
                                  n_cols, a_map.GetSize()));
            }
            ++i_record;
            // A cancel ends the import where it stands, without the final
            // call: the caller takes back what the records changed.
            if (progress.Cancelled(i_record - 1))
                return resultStopped;
        }
        pfn_callback(-1, -1, p_user, ZelArray<ColValue>());
    }
    if (p_columnMap != nullptr && p_columnMap != &wizard.GetColumnMap()) {
        p_columnMap->SetSize(wizard.GetColumnMap().GetSize());
        for (int i = 0; i < wizard.GetColumnMap().GetSize(); ++i)
            (*p_columnMap)[i] = wizard.GetColumnMap()[i];
    }
    return resultDone;
}

// ---------------------------------------------------------------- wizard

ZelImportWizardCore::ZelImportWizardCore(const ZelImportFieldDef& defs, ZelImportData& reader,
                                         const ZelStringArray* p_startMap)
    : Defs(defs), Reader(reader)
{
    for (const char* p_word : {"name", "address", "phone", "fax"})
        HeaderKeywords.Add(p_word);
    if (p_startMap != nullptr)
        ColumnMap.Copy(*p_startMap);
    Reader.cDelimiter = ',';
    Reader.cQualifier = '"';
    Reader.cEscape = '\\';
    Reader.bFixedWidth = FALSE;
}

void ZelImportWizardCore::SetColumnCount(int n_cols)
{
    Captions.SetSize(n_cols);
    ColumnMap.SetSize(n_cols);
}

void ZelImportWizardCore::SetColumnCaption(int i_col, const std::string& s_caption)
{
    if (i_col >= 0 && i_col < Captions.GetSize())
        Captions[i_col] = s_caption;
}

void ZelImportWizardCore::SetColumnField(int i_import_col, const std::string& s_name)
{
    ZEL_ASSERT(i_import_col < ColumnMap.GetSize());
    ColumnMap[i_import_col] = s_name;
}

int ZelImportWizardCore::GetColumnField(int i_import_col) const
{
    ZEL_ASSERT(i_import_col < ColumnMap.GetSize());
    if (ColumnMap[i_import_col].empty())
        return -1;
    return Defs.FindField(ColumnMap[i_import_col]);
}

bool ZelImportWizardCore::IsFieldMapped(const std::string& s_name) const
{
    for (int i = 0; i < ColumnMap.GetSize(); ++i)
        if (ColumnMap[i] == s_name)
            return true;
    return false;
}

bool ZelImportWizardCore::IsHeaderRecord(const ZelStringArray& a_cols) const
{
    for (int i = 0; i < a_cols.GetSize(); ++i) {
        std::string s_lower = a_cols[i];
        // Lower case of the ASCII letters only: the keywords are ASCII.
        for (char& c : s_lower)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        for (int k = 0; k < HeaderKeywords.GetSize(); ++k)
            if (s_lower.find(HeaderKeywords[k]) != std::string::npos)
                return true;
    }
    return false;
}

std::vector<ZelImportWizardCore::ColumnRow> ZelImportWizardCore::PrepareColumns()
{
    ZelStringArray a_first;
    bool b_header = false;
    if (iHeaderMode == 0) {
        Reader.GetColumns(1, a_first);
        b_header = IsHeaderRecord(a_first);
    } else {
        b_header = iHeaderMode == 1;
    }
    const int n_cols = Reader.GetColumns(1, a_first);
    SetColumnCount(n_cols);
    std::string s_format;
    {
        ZelLocalResource local;
        s_format = ZelLoadResourceString(IDS_COLUMN_N, "Column %d");
    }
    for (int i = 0; i < n_cols; ++i)
        Captions[i] = b_header ? a_first[i] : Printf(s_format.c_str(), i + 1);
    if (!b_header)
        Reader.Rewind();

    ZelStringArray a_sample;
    Reader.ReadColumns(a_sample);
    std::vector<ColumnRow> v_rows;
    for (int i = 0; i < n_cols; ++i)
        v_rows.push_back({Captions[i], i < a_sample.GetSize() ? a_sample[i] : std::string()});

    bPrepared = true;
    bHeader = b_header;
    RewindToData();
    return v_rows;
}

void ZelImportWizardCore::RewindToData()
{
    if (!bPrepared)
        return;
    Reader.Rewind();
    if (bHeader)
        Reader.ReadRecord();
}

ZelStringArray ZelImportWizardCore::FieldChoices(int i_col, int& i_select) const
{
    ZelStringArray a_choices;
    {
        ZelLocalResource local;
        a_choices.Add(ZelLoadResourceString(IDS_DO_NOT_IMPORT, "(do not import)"));
    }
    const std::string s_own = i_col >= 0 && i_col < ColumnMap.GetSize() ? ColumnMap[i_col] : std::string();
    i_select = 0;
    for (int i = 0; i < Defs.GetSize(); ++i) {
        const ZelImportFieldDef::FieldDef& def = Defs[i];
        if (def.sName != s_own && IsFieldMapped(def.sName) && !(def.uType & ZelImportFieldDef::COLTYPE_REPEATABLE))
            continue;
        if (!s_own.empty() && def.sName == s_own && i_select == 0)
            i_select = a_choices.GetSize();
        a_choices.Add(def.sName);
    }
    return a_choices;
}

void ZelImportWizardCore::ChooseField(int i_col, const std::string& s_text)
{
    if (i_col < 0 || i_col >= ColumnMap.GetSize())
        return;
    SetColumnField(i_col, Defs.FindField(s_text) >= 0 ? s_text : std::string());
}

bool ZelImportWizardCore::CanFinish() const
{
    for (int i = 0; i < ColumnMap.GetSize(); ++i)
        if (!ColumnMap[i].empty())
            return true;
    return false;
}

namespace {

bool IsBlank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

} // namespace

// The fixed-width guess over the sample records (up to four): fixed width
// when the records that are not blank do not all hold the delimiter (a
// comma in a column of remarks is data) and their columns line up at a
// start other than the first. Their lengths may differ: editors leave off
// the blanks that pad a last column.
bool ZelImportWizardCore::IsFixedWidth(const std::vector<std::string>& v_records, std::vector<UINT>& v_starts,
                                       char c_delimiter)
{
    v_starts.clear();
    if (std::all_of(v_records.begin(), v_records.end(), IsBlank))
        return false;
    if (c_delimiter != 0 && std::all_of(v_records.begin(), v_records.end(), [c_delimiter](const std::string& s) {
            return IsBlank(s) || s.find(c_delimiter) != std::string::npos;
        }))
        return false;
    std::vector<UINT> v_found = GuessColumnStarts(v_records);
    if (v_found.size() < 2)
        return false;
    v_starts = std::move(v_found);
    return true;
}

std::vector<UINT> ZelImportWizardCore::GuessColumnStarts(const std::vector<std::string>& v_all)
{
    std::vector<std::string> v_records;
    for (const std::string& s : v_all)
        if (!IsBlank(s))
            v_records.push_back(s);
    std::vector<UINT> v_starts{0};
    std::size_t n_len = 0;
    for (const std::string& s : v_records)
        n_len = std::max(n_len, s.size());
    // A position past a record's end reads as a blank.
    const auto blank = [](const std::string& s, std::size_t p) { return p >= s.size() || s[p] == ' '; };
    // A start found in one record only, where the others have ended, is
    // a word of that record's last column, not a column.
    const std::size_t n_confirm = std::min<std::size_t>(2, v_records.size());
    // Words of one column are one blank apart; columns are padded: a
    // start has two blanks or more before it in at least one record.
    for (std::size_t p = 1; p < n_len; ++p) {
        bool b_start = true;
        bool b_padded = false;
        std::size_t n_reached = 0;
        for (const std::string& s : v_records) {
            if (p >= s.size())
                continue; // a short record says nothing about this column
            ++n_reached;
            if (!blank(s, p - 1) || blank(s, p)) {
                b_start = false;
                break;
            }
            b_padded = b_padded || (p >= 2 && blank(s, p - 2));
        }
        if (b_start && b_padded && n_reached >= std::max<std::size_t>(n_confirm, 1))
            v_starts.push_back(static_cast<UINT>(p));
    }
    return v_starts;
}

std::vector<std::string> ZelImportWizardCore::SampleRecords()
{
    std::vector<std::string> v_records;
    Reader.Rewind();
    for (int i = 0; i < 4 && !Reader.AtEnd(); ++i) {
        std::string s_record = Reader.ReadRecord();
        // The last line's line feed ends the data, not an empty record.
        if (s_record.empty() && Reader.AtEnd())
            break;
        v_records.push_back(std::move(s_record));
    }
    Reader.Rewind();
    return v_records;
}

std::string ZelImportWizardCore::PreviewText(const std::string& s_record)
{
    std::string s_shown = ZelImportData::ExpandTabs(s_record);
    for (char& c : s_shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return s_shown;
}

BOOL ZelImportWizardCore::DetectLayout()
{
    // The samples are read as lines, as fixed-width data are.
    Reader.bFixedWidth = TRUE;
    const std::vector<std::string> v_records = SampleRecords();
    std::vector<UINT> v_starts;
    const bool b_fixed = IsFixedWidth(v_records, v_starts, Reader.cDelimiter);
    Reader.ColumnPositions.RemoveAll();
    for (UINT u : v_starts)
        Reader.ColumnPositions.Add(u);
    Reader.bFixedWidth = b_fixed ? TRUE : FALSE;
    return Reader.bFixedWidth;
}

void ZelImportWizardCore::SetLayout(BOOL b_fixed)
{
    Reader.bFixedWidth = b_fixed ? TRUE : FALSE;
    if (b_fixed && Reader.ColumnPositions.GetSize() < 2) {
        Reader.ColumnPositions.RemoveAll();
        for (UINT u : GuessColumnStarts(SampleRecords()))
            Reader.ColumnPositions.Add(u);
    }
    Reader.Rewind();
}

std::vector<UINT> ZelImportWizardCore::GetColumnStarts() const
{
    std::vector<UINT> v_starts(Reader.ColumnPositions.GetData(),
                               Reader.ColumnPositions.GetData() + Reader.ColumnPositions.GetSize());
    v_starts.push_back(0);
    std::sort(v_starts.begin(), v_starts.end());
    v_starts.erase(std::unique(v_starts.begin(), v_starts.end()), v_starts.end());
    return v_starts;
}

namespace {

void StoreStarts(ZelArray<UINT>& a_positions, const std::vector<UINT>& v_starts)
{
    a_positions.RemoveAll();
    for (UINT u : v_starts)
        a_positions.Add(u);
}

} // namespace

BOOL ZelImportWizardCore::AddColumnBreak(UINT u_pos)
{
    std::vector<UINT> v_starts = GetColumnStarts();
    if (u_pos == 0 || std::find(v_starts.begin(), v_starts.end(), u_pos) != v_starts.end())
        return FALSE;
    v_starts.insert(std::upper_bound(v_starts.begin(), v_starts.end(), u_pos), u_pos);
    StoreStarts(Reader.ColumnPositions, v_starts);
    return TRUE;
}

BOOL ZelImportWizardCore::RemoveColumnBreak(UINT u_pos)
{
    std::vector<UINT> v_starts = GetColumnStarts();
    const auto it = std::find(v_starts.begin(), v_starts.end(), u_pos);
    if (u_pos == 0 || it == v_starts.end())
        return FALSE;
    v_starts.erase(it);
    StoreStarts(Reader.ColumnPositions, v_starts);
    return TRUE;
}

BOOL ZelImportWizardCore::MoveColumnBreak(UINT u_from, UINT u_to)
{
    if (u_from == u_to || !RemoveColumnBreak(u_from))
        return FALSE;
    AddColumnBreak(u_to);
    return TRUE;
}
