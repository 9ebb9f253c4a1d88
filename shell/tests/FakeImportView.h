// An item list view for import tests: two fields (Name, Town); every
// record with a Name is added, the others are reported.
#pragma once

#include "shell/lists/ItemListImport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline std::vector<std::string> ToVector(const ZelStringArray& a)
{
    std::vector<std::string> v;
    for (int i = 0; i < a.GetSize(); ++i)
        v.push_back(a[i]);
    return v;
}

class FakeView : public IItemListImportHost {
public:
    FakeView()
    {
        Defs.Add("Name", ZelImportFieldDef::COLTYPE_STRING, 1, ZelImportFieldDef::COLTYPE_SINGLE, 0);
        Defs.Add("Town", ZelImportFieldDef::COLTYPE_STRING, 2, ZelImportFieldDef::COLTYPE_SINGLE, 0);
    }
    const ZelImportFieldDef* GetImportFields() override { return bCanImport ? &Defs : nullptr; }
    int ImportRecord(int i_record, int, const ZelArray<ZelImport::ColValue>& a_values, ILVImportErrors* p_errors) override
    {
        if (i_record < 0)
            return 0;
        EXPECT_NE(p_errors, nullptr);
        std::string s_record;
        for (int i = 0; i < a_values.GetSize(); ++i)
            s_record += (i > 0 ? "|" : "") + a_values[i].Values[0].sText;
        vRecords.push_back(s_record);
        for (int i = 0; i < a_values.GetSize(); ++i)
            if (a_values[i].uData == 1 && !a_values[i].Values[0].sText.empty()) {
                vNames.push_back(a_values[i].Values[0].sText);
                ++p_errors->nAdded;
                return 0;
            }
        p_errors->AddRow("", "A group must have a name.");
        return 0;
    }
    std::string GetSingularTitle() const override { return "Group"; }
    std::string GetCountNoun() const override { return "groups"; }
    ZelArray<ILVFieldMapping>& GetFieldMappings() override { return Mappings; }
    void SetModifiedFlag() override { ++nModified; }

    ZelImportFieldDef Defs;
    bool bCanImport = true;
    ZelArray<ILVFieldMapping> Mappings;
    int nModified = 0;
    std::vector<std::string> vNames;
    // Each record's values in column order, joined by "|".
    std::vector<std::string> vRecords;
};

