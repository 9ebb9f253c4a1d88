#include "model/General.h"

#include "model/EventDoc.h"
#include "zelkit/ZelAssert.h"

EventDoc* GetArchiveDoc(CArchive& ar)
{
    auto* p_doc = dynamic_cast<EventDoc*>(ar.m_pDocument);
    if (p_doc == nullptr)
        __ZelAssert("ar.m_pDocument->IsKindOf(RUNTIME_CLASS(EventDoc))", __FILE_NAME__, __LINE__, nullptr);
    return p_doc;
}

UINT GetArchiveVersion(CArchive& ar)
{
    const UINT u_version = GetArchiveDoc(ar)->GetFileVersion();
    return u_version == 0 ? EventDoc::kCurrentFileVersion : u_version;
}

UINT GetArchiveVersionChecked(CArchive& ar)
{
    const UINT u_version = GetArchiveVersion(ar);
    if (ar.IsLoading() && u_version < 4) {
        DWORD u_schema = 0;
        ar >> u_schema;
        if (u_schema < 1 || u_schema > 3)
            CArchive::ThrowBadSchema("unknown object schema in a file older than version 4");
    }
    return u_version;
}

void SerializeUIntArray(CArchive& ar, ZelArray<UINT>& a_values)
{
    constexpr DWORD u_format = 0;
    if (ar.IsStoring()) {
        ar << u_format << static_cast<DWORD>(a_values.GetSize());
        for (int i = 0; i < a_values.GetSize(); ++i)
            ar << static_cast<DWORD>(a_values[i]);
        return;
    }
    DWORD u_read = 0;
    ar >> u_read;
    // A damaged file must fail to open, not end the program: the format
    // word is file data, so a wrong one is a bad schema, not an assertion.
    if (u_read != u_format)
        CArchive::ThrowBadSchema("CUIntArray serialization: version incorrect");
    DWORD n_count = 0;
    ar >> n_count;
    ar.CheckAvailable(n_count, 4);
    ZelArray<UINT> a_loaded;
    a_loaded.SetSize(static_cast<int>(n_count));
    for (DWORD i = 0; i < n_count; ++i) {
        DWORD u = 0;
        ar >> u;
        a_loaded[static_cast<int>(i)] = u;
    }
    a_values.Copy(a_loaded);
}

template <>
void SerializeElements<CHighTime>(CArchive& ar, CHighTime* p_elements, int n_count)
{
    for (int i = 0; i < n_count; ++i) {
        if (ar.IsStoring())
            ar << p_elements[i];
        else
            ar >> p_elements[i];
    }
}

template <>
void SerializeElements<ZelOleDateTime>(CArchive& ar, ZelOleDateTime* p_elements, int n_count)
{
    for (int i = 0; i < n_count; ++i) {
        if (ar.IsStoring())
            ar << static_cast<const CHighTime&>(p_elements[i]);
        else
            ar >> static_cast<CHighTime&>(p_elements[i]);
    }
}
