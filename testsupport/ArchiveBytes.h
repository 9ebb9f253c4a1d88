// Byte fixtures for archive forms: build the bytes a file holds, load them
// into an object as a given file version, and store an object to bytes.
#pragma once

#include "framework/Archive.h"
#include "model/EventDoc.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace testbytes {

using Bytes = std::vector<std::uint8_t>;

// Appends archive forms in file order.
class Builder {
public:
    Builder& Dword(std::uint32_t u)
    {
        for (int i = 0; i < 4; ++i)
            vBytes.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
        return *this;
    }
    Builder& Dwords(std::initializer_list<std::int64_t> a)
    {
        for (std::int64_t i : a)
            Dword(static_cast<std::uint32_t>(i));
        return *this;
    }
    Builder& Word(std::uint16_t u)
    {
        vBytes.push_back(static_cast<std::uint8_t>(u));
        vBytes.push_back(static_cast<std::uint8_t>(u >> 8));
        return *this;
    }
    Builder& Byte(std::uint8_t u)
    {
        vBytes.push_back(u);
        return *this;
    }
    Builder& Double(double d)
    {
        CArchive ar(CArchive::store);
        ar << d;
        return Raw(ar.GetBuffer());
    }
    // The framework's counted string.
    Builder& String(const std::string& s)
    {
        CArchive ar(CArchive::store);
        ar << s;
        return Raw(ar.GetBuffer());
    }
    // The framework's element count form.
    Builder& Count(std::uint32_t n)
    {
        CArchive ar(CArchive::store);
        ar.WriteCount(n);
        return Raw(ar.GetBuffer());
    }
    // A library name form: schema 1, then the text.
    Builder& Name(const std::string& s) { return Dword(1).String(s); }
    Builder& Raw(const Bytes& v)
    {
        vBytes.insert(vBytes.end(), v.begin(), v.end());
        return *this;
    }
    const Bytes& Get() const { return vBytes; }
    operator const Bytes&() const { return vBytes; }

private:
    Bytes vBytes;
};

// A document that only carries the file version of a fixture.
class VersionDoc : public EventDoc {
public:
    explicit VersionDoc(unsigned u_version) { SetFileVersion(u_version); }
};

// Loads t from the bytes as file version u_version; expects every byte read.
template <class T>
void Load(T& t, const Bytes& v_bytes, unsigned u_version, EventDoc* p_doc = nullptr)
{
    VersionDoc doc(u_version);
    EventDoc* p_use = p_doc ? p_doc : &doc;
    const unsigned u_saved = p_use->GetFileVersion();
    p_use->SetFileVersion(u_version);
    CArchive ar(v_bytes, p_use);
    try {
        t.Serialize(ar);
    } catch (...) {
        p_use->SetFileVersion(u_saved);
        throw;
    }
    p_use->SetFileVersion(u_saved);
    if (!ar.AtEnd())
        throw std::runtime_error("fixture not read to its end: " + std::to_string(ar.BytesRemaining()) + " bytes left");
}

// The bytes t stores (always the current version).
template <class T>
Bytes Store(T& t, EventDoc* p_doc = nullptr)
{
    VersionDoc doc(EventDoc::kCurrentFileVersion);
    CArchive ar(CArchive::store, p_doc ? p_doc : &doc);
    t.Serialize(ar);
    return ar.GetBuffer();
}

} // namespace testbytes
