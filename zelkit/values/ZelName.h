// Names that clean themselves: every name is trimmed, its inner white space
// collapsed and its length limited when it is set, so that lists can sort
// and compare names without surprises. Person names keep their parts and
// show themselves in full, reversed or as initials; file names know their
// drive, folder, base name and extension.
//
// Stored forms begin with a 32-bit schema word (1). The limits are not
// stored: they belong to the owner, which constructs the name with them.
// A loaded text passes through the same setters as typed text, so a damaged
// or hand-made file cannot put a name longer than its limit into memory.
#pragma once

#include "framework/Types.h"

#include <initializer_list>
#include <string>
#include <vector>

class CArchive;
class ZelStringArray;

class ZelName {
public:
    explicit ZelName(int i_maxLength);
    ZelName(const ZelName& other) = default;
    ZelName(ZelName&& other) = default;
    ZelName& operator=(const ZelName& other) = default;
    virtual ~ZelName() = default;

    virtual void Serialize(CArchive& ar) = 0;
    virtual std::string GetName() const = 0;
    virtual void SetName(const std::string& s_name) = 0;
    // Two names are equal when their texts are, whatever their kind.
    virtual bool operator==(const ZelName& other) const;
    virtual bool operator!=(const ZelName& other) const;
    virtual BOOL IsEmpty() const;

    int GetMaxLength() const { return nMaxLength; }

    // Trims both ends and turns every run of white space into one blank.
    // Only characters below 128 count as white space: a byte above that is
    // a letter in the file's code page, never a separator.
    static void Normalize(std::string& s_text);
    static std::string Normalize(const std::string& s_text);
    static bool IsWhite(char c);
    // The words of a text, split at white space; returns their number.
    static int GetWords(const std::string& s_text, ZelStringArray& a_words);
    static std::vector<std::string> GetWords(const std::string& s_text);

    // The text cut to i_max characters (nothing for a limit below 1).
    static std::string Cut(const std::string& s_text, int i_max);
    // Cut(Normalize(s_text), i_max) without the blank a cut between two
    // words leaves at its end, made in the copy given: the result is in
    // the normal form, so that cutting it again changes nothing.
    static std::string NormalCut(std::string s_text, int i_max);
    // The same in place: a text in the form and within the limit is left
    // as it is, without a copy.
    static void NormalCutInPlace(std::string& s_text, int i_max);

protected:
    static void ReadSchema(CArchive& ar);
    // A text NormalCut leaves shorter than the limit was never cut.
    static bool IsBelowLimit(const std::string& s_text, int i_max)
    {
        return i_max > 0 && s_text.size() < static_cast<std::size_t>(i_max);
    }

    int nMaxLength;
};

class ZelObjectName : public ZelName {
public:
    explicit ZelObjectName(int i_maxLength);
    ZelObjectName(const std::string& s_name, int i_maxLength);
    ZelObjectName(const ZelObjectName& other) = default;
    ZelObjectName(ZelObjectName&& other) = default;
    ZelObjectName& operator=(const ZelObjectName& other) = default;

    void Serialize(CArchive& ar) override;
    std::string GetName() const override { return sName; }
    // The name without a copy.
    const std::string& GetNameText() const { return sName; }
    void SetName(const std::string& s_name) override;
    // SetName(GetName()) without the copies. Every setter leaves the
    // normal form within the limit, which a second pass keeps: only a
    // name at its limit is looked at again.
    void SetNameAgain()
    {
        if (!IsBelowLimit(sName, nMaxLength))
            NormalCutInPlace(sName, nMaxLength);
    }
    BOOL IsEmpty() const override { return sName.empty() ? TRUE : FALSE; }

private:
    std::string sName;
};

class ZelFileName : public ZelName {
public:
    explicit ZelFileName(int i_maxLength);
    ZelFileName(const std::string& s_path, int i_maxLength);
    ZelFileName(const ZelFileName& other) = default;
    ZelFileName(ZelFileName&& other) = default;
    ZelFileName& operator=(const ZelFileName& other) = default;

    void Serialize(CArchive& ar) override;
    std::string GetName() const override { return sPath; }
    // Trims both ends (a path may hold runs of blanks) and cuts to the
    // limit; a cut after a blank is trimmed again.
    void SetName(const std::string& s_path) override;

    // "C:" for "C:\data\event.eve"; empty without a drive.
    std::string GetDriveName() const;
    // The folder after the drive, with its last separator ("\data\").
    std::string GetDirName() const;
    std::string GetFileName(bool b_withExtension = true) const;
    // After the last "." of the file name; empty when it has none.
    std::string GetExtension() const;
    void RemoveExtension();
    // Adds ".ext" to a file name that has none (a trailing "." is dropped).
    void AddExtension(const std::string& s_ext);

    // Base name and extension hold only valid characters; false for a path
    // without a file name.
    BOOL IsValid() const;
    static BOOL IsValid(const std::string& s_text);
    static BOOL IsValidChar(char c);

private:
    std::size_t FileNameStart() const;

    std::string sPath;
};

class ZelPersonName : public ZelName {
public:
    // The whole name may hold all three parts and the two blanks between.
    ZelPersonName(int i_maxFirst, int i_maxMiddle, int i_maxLast);
    ZelPersonName(const ZelPersonName& other) = default;
    ZelPersonName(ZelPersonName&& other) = default;
    ZelPersonName& operator=(const ZelPersonName& other) = default;

    virtual std::string GetFirstName() const = 0;
    virtual std::string GetInitials() const = 0;
    virtual std::string GetFirstLastInitials() const = 0;
    virtual std::string GetOtherNames() const = 0;
    virtual std::string GetMiddleInitials() const = 0;
    virtual std::string GetLastName() const = 0;
    virtual std::string GetFullName() const = 0;
    virtual std::string GetRevFullName() const = 0;

    // The first letter of every word of the texts, in upper case.
    static std::string InitialsOf(std::initializer_list<std::string> a_texts);
    static std::string FirstLetters(const std::string& s_first, const std::string& s_last);
    // A character in upper case, in the file's code page.
    static char ToUpper(char c);

protected:
    int nMaxFirst;
    int nMaxMiddle;
    int nMaxLast;
};

// A first name and a last name that holds every word after the first.
class ZelSimpleName : public ZelPersonName {
public:
    ZelSimpleName(int i_maxFirst, int i_maxLast);
    ZelSimpleName(const ZelSimpleName& other) = default;
    ZelSimpleName(ZelSimpleName&& other) = default;
    ZelSimpleName& operator=(const ZelSimpleName& other) = default;

    void Serialize(CArchive& ar) override;
    std::string GetName() const override;
    // Whether the name is empty, told without making it: every list test
    // of a person's validity asks.
    BOOL IsEmpty() const override;
    void SetName(const std::string& s_name) override;
    void SetName(const std::string& s_first, const std::string& s_last);
    // SetName(GetFirstName(), GetLastName()) without the copies.
    void SetNameAgain()
    {
        if (!IsBelowLimit(sFirst, nMaxFirst))
            NormalCutInPlace(sFirst, nMaxFirst);
        if (!IsBelowLimit(sLast, nMaxLast))
            NormalCutInPlace(sLast, nMaxLast);
    }

    std::string GetFirstName() const override { return sFirst; }
    std::string GetInitials() const override;
    std::string GetFirstLastInitials() const override;
    std::string GetOtherNames() const override { return sLast; }
    std::string GetMiddleInitials() const override { return GetOtherNames(); }
    std::string GetLastName() const override { return sLast; }
    std::string GetFullName() const override;
    std::string GetRevFullName() const override;

private:
    std::string sFirst;
    std::string sLast;
};

// A first name, middle names and a last name.
class ZelFullName : public ZelPersonName {
public:
    ZelFullName(int i_maxFirst, int i_maxMiddle, int i_maxLast);
    ZelFullName(const ZelFullName& other) = default;
    ZelFullName(ZelFullName&& other) = default;
    ZelFullName& operator=(const ZelFullName& other) = default;

    void Serialize(CArchive& ar) override;
    // First and last name (the middle names are left out).
    std::string GetName() const override;
    // Whether the name is empty, told without making it: every list test
    // of a person's validity asks.
    BOOL IsEmpty() const override;
    void SetName(const std::string& s_name) override;
    void SetName(const std::string& s_first, const std::string& s_middle, const std::string& s_last);

    std::string GetFirstName() const override { return sFirst; }
    std::string GetInitials() const override;
    std::string GetFirstLastInitials() const override;
    std::string GetOtherNames() const override { return sMiddle; }
    std::string GetMiddleInitials() const override;
    std::string GetLastName() const override { return sLast; }
    std::string GetFullName() const override;
    std::string GetRevFullName() const override;

private:
    std::string sFirst;
    std::string sMiddle;
    std::string sLast;
};
