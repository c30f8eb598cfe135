// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Database.h"

#include <string>
#include <vector>

// One query on the connection: forward-only, read-only, read column by column
// by name, always as text. Open runs the SQL text and fetches the first row.
class CRecordset {
public:
    enum OpenType { dynaset = 0, snapshot = 1, forwardOnly = 2 };
    enum Options : unsigned { none = 0 };

    explicit CRecordset(CDatabase* pDatabase);
    ~CRecordset();
    CRecordset(const CRecordset&) = delete;
    CRecordset& operator=(const CRecordset&) = delete;

    // False only when the connection is closed and cannot be opened again;
    // any failure of the query throws CDBException (the statement is closed
    // before the error leaves).
    bool Open(int nOpenType, const std::string& strSQL, unsigned dwOptions = none);
    bool IsOpen() const { return m_hstmt != SQL_NULL_HSTMT; }
    bool IsEOF() const { return m_bEOF; }

    // Texts for the "?" markers of the statement the next Open runs, in
    // order. Each reaches the driver as a bound character parameter, never
    // as part of the SQL text; Open without them runs its text as given.
    void SetParameters(std::vector<std::string> values) { m_pendingParameters = std::move(values); }

    // The named column of the current row as text; a NULL reads as "".
    // The name must match a result column exactly, letter case included.
    void GetFieldValue(const std::string& strName, std::string& strValue);
    std::string GetFieldValue(const std::string& strName)
    {
        std::string value;
        GetFieldValue(strName, value);
        return value;
    }
    void MoveNext();
    void Close();

    CDatabase* m_pDatabase;

private:
    void Fetch();
    std::size_t ColumnIndex(const std::string& strName) const;
    void BindParameters(std::vector<std::string> values);

    SQLHSTMT m_hstmt = SQL_NULL_HSTMT;
    std::vector<std::string> m_columnNames;
    // Values of the current row already read: the driver hands each column
    // out once per row, so a second read is answered from here.
    std::vector<std::string> m_rowValues;
    std::vector<bool> m_rowValueRead;
    bool m_bEOF = true;
    // Parameters given for the next Open, and those bound to the open
    // statement with their lengths, which must stay put until it closes.
    std::vector<std::string> m_pendingParameters;
    std::vector<std::string> m_parameters;
    std::vector<SQLLEN> m_parameterLengths;
};
