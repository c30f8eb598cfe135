#include "DropDownList.h"

#include "Recordset.h"
#include "TextConvert.h"

#include <wx/clntdata.h>

namespace {

class ItemBytes : public wxClientData {
public:
    explicit ItemBytes(std::string text) : m_text(std::move(text)) {}
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

}  // namespace

void AddString(SortedComboBox& box, const std::string& text)
{
    box.Append(ToWx(text), new ItemBytes(text));
}

std::string GetSelectedText(const SortedComboBox& box)
{
    int selection = box.GetSelection();
    if (selection == wxNOT_FOUND)
        return {};
    if (auto* bytes = dynamic_cast<ItemBytes*>(box.GetClientObject(selection)))
        return bytes->Text();
    return FromWx(box.GetString(selection));
}

void FillFromQuery(SortedComboBox& box, CDatabase* pDatabase, const std::string& sql, const std::string& column)
{
    CRecordset rs(pDatabase);
    rs.Open(CRecordset::forwardOnly, sql, CRecordset::none);
    // Adding thousands of items one by one would redraw the box each time.
    box.Freeze();
    try {
        while (!rs.IsEOF()) {
            std::string value;
            rs.GetFieldValue(column, value);
            AddString(box, value);
            rs.MoveNext();
        }
    } catch (...) {
        box.Thaw();
        throw;
    }
    box.Thaw();
    rs.Close();
    if (box.GetCount() > 0)
        box.SetSelection(0);
}
