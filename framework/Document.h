// The document an archive serves. The framework's archive carries a pointer
// to the document being saved or loaded, so that every class's Serialize can
// ask it, for example, which file version is being read.
#pragma once

class CArchive;

class CDocument {
public:
    virtual ~CDocument() = default;
    virtual void Serialize(CArchive& ar);

    bool IsModified() const { return bModified; }
    void SetModifiedFlag(bool b_modified = true) { bModified = b_modified; }

private:
    bool bModified = false;
};
