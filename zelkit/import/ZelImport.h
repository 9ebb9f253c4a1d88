// The text importer: records of a delimited text (a file or a text in
// memory) go to the caller's callback as column values, after the user has
// mapped the text's columns to the caller's fields in the import wizard.
//
// ZelImportFieldDef is the caller's list of fields; ZelImportData reads
// records one at a time (a file is streamed, never held whole);
// ZelImportWizardCore is the wizard without its window (column captions
// and map, the header row, the field choices, the fixed-width guess);
// ZelImport runs it all. The file dialog and the wizard's window are
// reached through ports, so imports run headless in tests.
//
// An empty source, and one that is not text (a NUL or another control
// character than tab, carriage return and line feed anywhere in it), is
// refused with a message before the wizard opens. A single end-of-file
// mark (0x1A) as the last byte, which old editors write, ends the text.
//
// Encoding at this edge: a source that is valid UTF-8 (with or without a
// byte-order mark) is converted to code page 1252, anything else is read as
// code page 1252 bytes. A record holding a character the code page cannot
// hold is not imported; it becomes an error line naming the character.
//
// An import that runs longer than a moment shows its progress through a
// port (IZelImportProgressPort) with a Cancel; a cancelled import delivers
// no more records and ends without the final call, and its caller takes
// back what the records it had delivered changed.
#pragma once

#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/datetime/ZelOleDateTime.h"
#include "zelkit/base/ZelStringArray.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class ZelImportFieldDef {
public:
    // The low four bits are the base type, bits 4-7 the option, bit 8 a
    // flag.
    enum COLTYPE : DWORD {
        COLTYPE_STRING = 0x001,
        COLTYPE_SINGLE = 0x010,
        COLTYPE_SEPARATED_DASH = 0x020,
        COLTYPE_SEPARATED_COMMA = 0x030,
        COLTYPE_MULTILINE = 0x040,
        COLTYPE_REPEATABLE = 0x100,
    };

    struct FieldDef {
        virtual ~FieldDef() = default;
        DWORD GetColBaseType() const { return uType & 0x00F; }
        DWORD GetColOption() const { return uType & 0x0F0; }
        DWORD GetColFlags() const { return uType & 0xF00; }

        std::string sName;
        DWORD uType = 0;
        // The caller's own value (its field number); passed back only.
        DWORD uData = 0;
        // "-" or "," for the separated options, else empty.
        std::string sSeparator;
    };

    // Inserts in name order (before an equal name); its index.
    int Add(const std::string& s_name, DWORD u_baseType, DWORD u_data, DWORD u_option, DWORD u_flags);
    // Search by halving; -1 when none.
    int FindField(const std::string& s_name) const;
    int GetSize() const { return Defs.GetSize(); }
    const FieldDef& operator[](int i_index) const;
    // Same names, types and separators position by position (not data).
    bool operator==(const ZelImportFieldDef& other) const;
    bool operator!=(const ZelImportFieldDef& other) const { return !(*this == other); }

private:
    ZelArray<FieldDef> Defs;
};

// Reads the records of a text: a record ends at a line feed outside the
// text qualifier; carriage returns outside it are dropped.
class ZelImportData {
public:
    // A file, read as a stream (carriage return and line feed read as one
    // line feed, as a text-mode stream reads them). IsOpen tells whether
    // it could be opened; errno says why not.
    explicit ZelImportData(const std::string& s_fileName);
    // A text in memory, which must live as long as the reader.
    explicit ZelImportData(const std::string* p_text);
    ~ZelImportData();
    ZelImportData(const ZelImportData&) = delete;
    ZelImportData& operator=(const ZelImportData&) = delete;

    bool IsOpen() const { return bOpen; }
    const std::string& GetFileName() const { return sFileName; }
    // Whether the source is read as UTF-8.
    bool IsUtf8() const { return bUtf8; }
    // Whether the source is text: no NUL and no other control character
    // than tab, carriage return and line feed. Else the line (from 1) and
    // the byte of the first such character.
    bool IsText() const { return iControlLine == 0; }
    int GetControlLine() const { return iControlLine; }
    unsigned char GetControlByte() const { return uControlByte; }
    // A record as the user reads it on screen: a tab stands for the blanks
    // up to the next tab stop (every nTabStop characters), so that columns
    // typed with tabs line up as they do in an editor.
    static constexpr std::size_t nTabStop = 8;
    static std::string ExpandTabs(const std::string& s_record);

    bool AtEnd();
    void Rewind();
    // The next record's text (converted), empty at the end.
    std::string ReadRecord();
    // The next record split into columns; their number.
    int ReadColumns(ZelStringArray& a_cols);
    // Record n counted from 1 (rewinding when needed); empty past the end.
    std::string GetRecord(int n_record);
    int GetColumns(int n_record, ZelStringArray& a_cols);
    // The records from the first to the end, without an empty last one;
    // counted once.
    int CountRecords();
    // The bytes of the source (the file's size when it is known, else 0)
    // and how far the records read so far reach into them.
    std::uint64_t GetSourceSize() const { return uSourceSize; }
    std::uint64_t GetSourcePosition() const;
    // The line feeds read so far.
    int GetLineCount() const { return nLines; }
    // The line (from 1) on which the last record read began: a quoted
    // field may carry a record over several lines, and the user looks for
    // its fault where it starts.
    int GetRecordLine() const { return iRecordLine; }
    // Whether the last record read ran to the end of the data inside an
    // open quote: everything after that quote was taken into it.
    bool IsQuoteOpen() const { return bQuoteOpen; }
    int GetCurrentRecord() const { return nCurRecord; }
    // Empty when the last record read converted whole; else the error
    // naming the character that code page 1252 cannot hold (without the
    // "Line %d: " in front). Such a record reads with '?' in its place.
    const std::string& GetRecordError() const { return sRecordError; }

    // Fixed-width data are cut at the column positions (the first 0) in
    // place of splitting at the delimiter: a record is one line (the text
    // qualifier has no meaning there), a tab stands for the blanks up to
    // the next multiple of eight, and each column's text is taken without
    // its surrounding blanks. A line shorter than a column's start gives
    // that column empty; a blank line gives no columns.
    char cDelimiter = ',';
    char cQualifier = '"';
    char cEscape = '\\';
    BOOL bFixedWidth = FALSE;
    ZelArray<UINT> ColumnPositions;
    // A record cut at the column positions; the number of columns.
    int CutColumns(const std::string& s_record, ZelStringArray& a_cols) const;

private:
    // The next byte of the source, -1 at its end.
    int NextByte();
    int PeekByte();
    void RewindSource();
    void DecideEncoding();
    std::string Convert(const std::string& s_raw);

    bool bFromFile;
    bool bOpen = false;
    std::string sFileName;
    std::FILE* pFile = nullptr;
    std::vector<unsigned char> vBuffer;
    std::size_t iBufPos = 0;
    std::size_t nBufLen = 0;
    // How far into the file the bytes taken so far reach, and the
    // source's size (counted when the encoding is decided).
    std::uint64_t uFilePos = 0;
    std::uint64_t uSourceSize = 0;
    bool bFileEnd = false;
    const std::string* pText = nullptr;
    std::size_t iTextPos = 0;
    // Where the data start: after a byte-order mark of a UTF-8 source;
    // where they end: before an end-of-file mark.
    std::size_t iDataStart = 0;
    std::uint64_t uDataEnd = UINT64_MAX;
    int iControlLine = 0;
    unsigned char uControlByte = 0;
    bool bUtf8 = false;
    int nLines = 0;
    int iRecordLine = 0;
    bool bQuoteOpen = false;
    int nCurRecord = 0;
    int nRecordCount = -1;
    // The layout the count was made in: fixed width counts lines, not
    // records.
    BOOL bCountFixed = FALSE;
    std::string sRecordError;
};

class ZelImport {
public:
    struct SingleValue {
        virtual ~SingleValue() = default;
        std::string sText;
        ZelOleDateTime dtValue;
        DWORD uType = 0;
    };
    struct ColValue {
        virtual ~ColValue() = default;
        DWORD uType = 0;
        DWORD uData = 0;
        ZelArray<SingleValue> Values;
        // The column's caption from the wizard.
        std::string sName;
    };
    // Once per record (record number from 1, line count), then once with
    // -1, -1 and no values. The result is ignored.
    using Callback = int (*)(int i_record, int i_line, void* p_user, const ZelArray<ColValue>& a_values);

    // What an import ended with. A cancelled file dialog or wizard is not
    // an import: nothing was delivered and the column map is untouched.
    // A stopped import is one the user cancelled while its records came
    // in: some were delivered, the final call did not come, and the column
    // map is untouched.
    enum Result : int { resultFailed = 0, resultDone = 1, resultCancelled = 2, resultStopped = 3 };
    // How long an import runs before its progress shows, and how often it
    // then lets the window answer, in milliseconds.
    static constexpr std::int64_t llProgressDelayMs = 500;
    static constexpr std::int64_t llProgressPumpMs = 100;

    // The column map, when given, is where the wizard starts and, after
    // Finish, receives the user's mapping; the field heading heads the
    // wizard's column of chosen fields.
    int Import(const ZelImportFieldDef& defs, Callback pfn_callback, void* p_user, const std::string& s_fileName,
               ZelStringArray* p_columnMap, const std::string& s_fieldHeading);
    int ImportFromString(const ZelImportFieldDef& defs, Callback pfn_callback, void* p_user, const std::string& s_text,
                         ZelStringArray* p_columnMap, const std::string& s_fieldHeading);
    // Asks for the file first ("Import": text files or all files), in the
    // start folder when one was set.
    int Import(const ZelImportFieldDef& defs, Callback pfn_callback, void* p_user, ZelStringArray* p_columnMap,
               const std::string& s_fieldHeading);
    void SetStartFolder(const std::string& s_folder) { sStartFolder = s_folder; }

    // Not cleared between imports.
    const ZelStringArray& GetErrors() const { return Errors; }

protected:
    int Run(const ZelImportFieldDef& defs, ZelImportData& reader, Callback pfn_callback, void* p_user,
            ZelStringArray* p_columnMap, const std::string& s_fieldHeading);

private:
    ZelStringArray Errors;
    std::string sStartFolder;
};

// The import wizard without its window: the column captions and the
// column-to-field map, the header row, the rows of the column page and the
// fields offered for a column, and the first-step page's fixed-width
// guess.
class ZelImportWizardCore {
public:
    static constexpr UINT IDS_WIZARD_CAPTION = 55021; // "Import Wizard"
    static constexpr UINT IDS_COLUMN_N = 55022;       // "Column %d"
    static constexpr UINT IDS_DO_NOT_IMPORT = 55023;  // "(do not import)"

    ZelImportWizardCore(const ZelImportFieldDef& defs, ZelImportData& reader, const ZelStringArray* p_startMap);
    virtual ~ZelImportWizardCore() = default;

    void SetColumnCount(int n_cols);
    int GetColumnCount() const { return ColumnMap.GetSize(); }
    void SetColumnCaption(int i_col, const std::string& s_caption);
    const std::string& GetColumnCaption(int i_col) const { return Captions[i_col]; }
    bool HasColumnCaption(int i_col) const { return i_col >= 0 && i_col < Captions.GetSize(); }
    void SetColumnField(int i_col, const std::string& s_name);
    // The index of the field mapped to the column; -1 for none.
    int GetColumnField(int i_col) const;
    bool IsFieldMapped(const std::string& s_name) const;
    const ZelStringArray& GetColumnMap() const { return ColumnMap; }

    // 0 detects a header row, 1 takes the first record as one, any other
    // value none.
    int iHeaderMode = 0;
    ZelStringArray HeaderKeywords;

    // A column page row: the column's caption and its sample text.
    struct ColumnRow {
        std::string sCaption;
        std::string sSample;
    };
    // Reads the captions and a sample record, sizes the map to the columns
    // and leaves the reader at the first data record.
    std::vector<ColumnRow> PrepareColumns();
    bool IsHeaderRecord(const ZelStringArray& a_cols) const;
    // The texts offered for the column: "(do not import)" and the fields
    // not yet mapped elsewhere (unless repeatable); i_select the entry of
    // the column's own field (0 when none).
    ZelStringArray FieldChoices(int i_col, int& i_select) const;
    // A chosen text: a field's name maps it, anything else clears it.
    void ChooseField(int i_col, const std::string& s_text);
    // Finish is offered once a column is mapped.
    bool CanFinish() const;

    // The fixed-width guess of the first-step page over up to four sample
    // records; the column starts (the first 0) go to the reader for fixed
    // width, which is emptied otherwise. TRUE for fixed width.
    BOOL DetectLayout();
    // Fixed width when the records that are not blank do not all hold the
    // delimiter and a column start other than the first lines up in them
    // (their lengths may differ: a last column's trailing blanks are often
    // left off); v_starts the starts then, else empty.
    static bool IsFixedWidth(const std::vector<std::string>& v_records, std::vector<UINT>& v_starts,
                             char c_delimiter = 0);
    // Where columns start in the records (the first at 0): every position
    // with a blank before it and a non-blank at it in each record that
    // reaches it (at least two records reach it when two are not blank),
    // and two blanks before it in one of them at least. Blank records say
    // nothing.
    static std::vector<UINT> GuessColumnStarts(const std::vector<std::string>& v_records);
    // The user's choice on the first step: fixed width (TRUE) or
    // delimited. Fixed width without column starts yet takes those of the
    // sample records.
    void SetLayout(BOOL b_fixed);
    std::vector<UINT> GetColumnStarts() const;
    // The user's edits of the column breaks: a break is the start of a
    // column other than the first. FALSE when nothing changed (position 0,
    // a break already there or none there). A break moved onto another or
    // to the start goes.
    BOOL AddColumnBreak(UINT u_pos);
    BOOL MoveColumnBreak(UINT u_from, UINT u_to);
    BOOL RemoveColumnBreak(UINT u_pos);
    // Up to four records from the first, as the layout reads them.
    std::vector<std::string> SampleRecords();
    // A record as the first step's preview draws it: tabs at their tab
    // stops as the fixed-width layout reads them (so that the breaks stand
    // where they are drawn), any other control character (the line break
    // in a quoted field) as one blank.
    static std::string PreviewText(const std::string& s_record);
    // The reader back at the first data record (after the header row the
    // column page found), for the import after Finish.
    void RewindToData();

    ZelImportData& GetReader() { return Reader; }
    const ZelImportFieldDef& GetFieldDefs() const { return Defs; }

protected:
    const ZelImportFieldDef& Defs;
    ZelImportData& Reader;
    ZelStringArray Captions;
    ZelStringArray ColumnMap;
    // What the column page last found: whether it ran, and a header row.
    bool bPrepared = false;
    bool bHeader = false;
};

// How the wizard is shown: its window in the program, a script in tests.
class IZelImportWizardPort {
public:
    virtual ~IZelImportWizardPort() = default;
    // Shows the wizard; the id it ended with (12325 for Finish).
    virtual int Run(ZelImportWizardCore& wizard, const std::string& s_caption, const std::string& s_fieldHeading) = 0;
};
// Until a window port is installed every wizard is cancelled.
IZelImportWizardPort& ZelGetImportWizardPort();
IZelImportWizardPort* ZelSetImportWizardPort(IZelImportWizardPort* p_port);

// How an import's progress is shown: a window with a status line, a bar and
// a Cancel, over the other windows of the program, which take no input
// while it shows. The importer reads the port's clock, opens the window
// once the records have come in for a moment, and from then on puts its
// position on screen and lets the window answer every tenth of a second.
class IZelImportProgressPort {
public:
    virtual ~IZelImportProgressPort() = default;
    // Milliseconds since a fixed point; never goes back.
    virtual std::int64_t GetMilliseconds() = 0;
    // Shows the window with its title; false when none can be shown (the
    // import then runs on without one).
    virtual bool Open(const std::string& s_title) = 0;
    // The status line and the bar at u_done of u_total (u_total 0: the bar
    // stays empty).
    virtual void Show(const std::string& s_status, std::uint64_t u_done, std::uint64_t u_total) = 0;
    // Dispatches the events waiting for the window; true once the user has
    // cancelled.
    virtual bool Pump() = 0;
    // Ends the window.
    virtual void Close() = 0;
};
// Until a window port is installed imports show no progress and cannot be
// cancelled; the clock is the process's steady clock.
IZelImportProgressPort& ZelGetImportProgressPort();
IZelImportProgressPort* ZelSetImportProgressPort(IZelImportProgressPort* p_port);
