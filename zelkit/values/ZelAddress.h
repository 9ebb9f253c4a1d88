// Postal and e-mail addresses, the contact values of groups and
// participants. Like names they clean themselves when set and store
// themselves with schema 1.
#pragma once

#include "framework/Types.h"

#include <cstdint>
#include <string>

class CArchive;

class ZelAddress {
public:
    // i_lineLength: the longest printed line; i_partLength: the longest
    // stored part.
    ZelAddress(int i_lineLength, int i_partLength);
    ZelAddress(const ZelAddress& other) = default;
    ZelAddress(ZelAddress&& other) = default;
    ZelAddress& operator=(const ZelAddress& other) = default;
    virtual ~ZelAddress() = default;

    virtual void Serialize(CArchive& ar) = 0;
    virtual std::string GetLine1() const = 0;
    virtual std::string GetLine2() const = 0;
    virtual std::string GetLine3() const = 0;
    virtual std::string GetPCode() const = 0;
    std::string GetPostCode() const { return GetPCode(); }

    int GetLineLength() const { return nLineLength; }
    int GetPartLength() const { return nPartLength; }

protected:
    static void ReadSchema(CArchive& ar);

    int nLineLength;
    int nPartLength;
};

// Three address lines and a post code. Groups and participants build it as
// (40, 9): lines of at most 40 characters, a post code of at most 9.
class ZelSimpleAddress : public ZelAddress {
public:
    ZelSimpleAddress(int i_lineLength, int i_partLength);
    ZelSimpleAddress(const ZelSimpleAddress& other) = default;
    ZelSimpleAddress(ZelSimpleAddress&& other) = default;
    ZelSimpleAddress& operator=(const ZelSimpleAddress& other) = default;

    void SetAddrLine1(const std::string& s_text);
    void SetAddrLine2(const std::string& s_text);
    void SetAddrLine3(const std::string& s_text);
    void SetPostCode(const std::string& s_text);
    void SetAddr(const std::string& s_line1, const std::string& s_line2, const std::string& s_line3,
                 const std::string& s_postCode);

    bool operator==(const ZelSimpleAddress& other) const;
    bool operator!=(const ZelSimpleAddress& other) const { return !(*this == other); }

    void Serialize(CArchive& ar) override;
    std::string GetLine1() const override { return sLine1; }
    std::string GetLine2() const override { return sLine2; }
    std::string GetLine3() const override { return sLine3; }
    std::string GetPCode() const override { return sPostCode; }

private:
    std::string sLine1;
    std::string sLine2;
    std::string sLine3;
    std::string sPostCode;
};

// Six parts and a post code, printed as three lines of two parts each.
class ZelFullAddress : public ZelAddress {
public:
    static constexpr int nParts = 7; // parts 1 to 6 and the post code

    ZelFullAddress(int i_lineLength, int i_partLength);
    ZelFullAddress(const ZelFullAddress& other) = default;
    ZelFullAddress(ZelFullAddress&& other) = default;
    ZelFullAddress& operator=(const ZelFullAddress& other) = default;

    void SetAddr(const std::string& s_part1, const std::string& s_part2, const std::string& s_part3,
                 const std::string& s_part4, const std::string& s_part5, const std::string& s_part6,
                 const std::string& s_postCode);
    // Part 1 to 6, or 7 for the post code.
    const std::string& GetPart(int i_part) const;

    bool operator==(const ZelFullAddress& other) const;
    bool operator!=(const ZelFullAddress& other) const { return !(*this == other); }

    void Serialize(CArchive& ar) override;
    std::string GetLine1() const override;
    // Parts 3 and 4; part 3 alone when nothing follows on line 3.
    std::string GetLine2() const override;
    std::string GetLine3() const override;
    std::string GetPCode() const override { return asPart[nParts - 1]; }

private:
    std::string Line(const std::string& s_a, const std::string& s_b) const;

    std::string asPart[nParts];
};

class ZelEmailAddr {
public:
    explicit ZelEmailAddr(int i_maxLength);
    ZelEmailAddr(const std::string& s_addr, int i_maxLength);
    ZelEmailAddr(const ZelEmailAddr& other) = default;
    ZelEmailAddr(ZelEmailAddr&& other) = default;
    ZelEmailAddr& operator=(const ZelEmailAddr& other) = default;
    virtual ~ZelEmailAddr() = default;

    // Stores the text without any white space, cut to the maximum length.
    void SetAddr(const std::string& s_addr);
    operator std::string() const { return sAddr; }
    const std::string& GetAddr() const { return sAddr; }
    int GetMaxLength() const { return nMaxLength; }

    bool operator==(const ZelEmailAddr& other) const { return sAddr == other.sAddr; }
    bool operator!=(const ZelEmailAddr& other) const { return sAddr != other.sAddr; }

    virtual void Serialize(CArchive& ar);

    // Trims both ends and deletes every white-space character inside (only
    // characters below 128 count as white space).
    static void Normalize(std::string& s_addr);
    static std::string Normalize(const std::string& s_addr);

private:
    std::int32_t nMaxLength;
    std::string sAddr;
};
