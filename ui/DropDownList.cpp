// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DropDownList.h"

#include "data/Recordset.h"
#include "ui/TextConvert.h"

#include <wx/clntdata.h>

namespace {

class ItemBytes : public wxClientData {
public:
    explicit ItemBytes(std::string text, std::optional<std::string> qualifier = std::nullopt)
        : m_text(std::move(text)), m_qualifier(std::move(qualifier)) {}
    const std::string& Text() const { return m_text; }
    const std::optional<std::string>& Qualifier() const { return m_qualifier; }

private:
    std::string m_text;
    std::optional<std::string> m_qualifier;
};

const ItemBytes* SelectedItem(const SortedComboBox& box)
{
    int selection = box.GetSelection();
    if (selection == wxNOT_FOUND)
        return nullptr;
    return dynamic_cast<const ItemBytes*>(box.GetClientObject(selection));
}

int FindUnqualified(const SortedComboBox& box, const std::string& text)
{
    for (unsigned int i = 0; i < box.GetCount(); ++i) {
        auto* bytes = dynamic_cast<const ItemBytes*>(box.GetClientObject(i));
        if (bytes && bytes->Text() == text && !bytes->Qualifier())
            return static_cast<int>(i);
    }
    return wxNOT_FOUND;
}

}  // namespace

void AddString(SortedComboBox& box, const std::string& text)
{
    box.Append(ToWx(text), new ItemBytes(text));
}

void AddQualifiedString(SortedComboBox& box, const std::string& text, const std::string& qualifier)
{
    box.Append(ToWx(text + " (" + qualifier + ")"), new ItemBytes(text, qualifier));
}

bool DeleteString(SortedComboBox& box, const std::string& text)
{
    const int index = FindUnqualified(box, text);
    if (index == wxNOT_FOUND)
        return false;
    box.Delete(static_cast<unsigned int>(index));
    return true;
}

bool SelectString(SortedComboBox& box, const std::string& text)
{
    const int index = FindUnqualified(box, text);
    if (index == wxNOT_FOUND)
        return false;
    box.SetSelection(index);
    return true;
}

std::optional<std::string> GetSelectedQualifier(const SortedComboBox& box)
{
    const ItemBytes* bytes = SelectedItem(box);
    return bytes ? bytes->Qualifier() : std::nullopt;
}

std::string GetSelectedText(const SortedComboBox& box)
{
    int selection = box.GetSelection();
    if (selection == wxNOT_FOUND)
        return {};
    if (const ItemBytes* bytes = SelectedItem(box))
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
