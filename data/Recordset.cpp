// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Recordset.h"

#include "data/DBException.h"

#include <algorithm>

CRecordset::CRecordset(CDatabase* pDatabase) : m_pDatabase(pDatabase) {}

CRecordset::~CRecordset()
{
    Close();
}

bool CRecordset::Open(int nOpenType, const std::string& strSQL, unsigned dwOptions)
{
    std::vector<std::string> parameters = std::move(m_pendingParameters);
    m_pendingParameters.clear();
    if (nOpenType != forwardOnly || dwOptions != none)
        throw CDBException("Record sets are forward-only and read-only.");
    if (!m_pDatabase)
        throw CDBException("The record set has no database connection.");
    Close();
    if (!m_pDatabase->IsOpen() && !m_pDatabase->Reconnect())
        return false;

    m_hstmt = m_pDatabase->AllocStatement();
    try {
        SQLCHAR* text = reinterpret_cast<SQLCHAR*>(const_cast<char*>(strSQL.c_str()));
        if (!SQL_SUCCEEDED(SQLPrepare(m_hstmt, text, static_cast<SQLINTEGER>(strSQL.size()))))
            ThrowOdbcError(SQL_HANDLE_STMT, m_hstmt);
        BindParameters(std::move(parameters));
        m_pDatabase->CountStatement();
        SQLRETURN rc = SQLExecute(m_hstmt);
        if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA)
            ThrowOdbcError(SQL_HANDLE_STMT, m_hstmt);

        SQLSMALLINT count = 0;
        if (!SQL_SUCCEEDED(SQLNumResultCols(m_hstmt, &count)))
            ThrowOdbcError(SQL_HANDLE_STMT, m_hstmt);
        m_columnNames.clear();
        for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i) {
            SQLCHAR name[256];
            SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
            SQLULEN size = 0;
            if (!SQL_SUCCEEDED(SQLDescribeCol(m_hstmt, i, name, sizeof name, &nameLength, &type, &size,
                                              &digits, &nullable)))
                ThrowOdbcError(SQL_HANDLE_STMT, m_hstmt);
            m_columnNames.emplace_back(reinterpret_cast<char*>(name));
        }
        m_bEOF = false;
        Fetch();
    } catch (...) {
        Close();
        throw;
    }
    return true;
}

void CRecordset::BindParameters(std::vector<std::string> values)
{
    m_parameters = std::move(values);
    m_parameterLengths.assign(m_parameters.size(), 0);
    for (std::size_t i = 0; i < m_parameters.size(); ++i) {
        std::string& value = m_parameters[i];
        m_parameterLengths[i] = static_cast<SQLLEN>(value.size());
        SQLRETURN rc = SQLBindParameter(m_hstmt, static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT, SQL_C_CHAR,
                                        SQL_VARCHAR, std::max<SQLULEN>(1, value.size()), 0, value.data(),
                                        static_cast<SQLLEN>(value.size() + 1), &m_parameterLengths[i]);
        if (!SQL_SUCCEEDED(rc))
            ThrowOdbcError(SQL_HANDLE_STMT, m_hstmt);
    }
}

void CRecordset::Fetch()
{
    m_rowValues.assign(m_columnNames.size(), std::string());
    m_rowValueRead.assign(m_columnNames.size(), false);
    SQLRETURN rc = SQLFetch(m_hstmt);
    if (rc == SQL_NO_DATA)
        m_bEOF = true;
    else if (!SQL_SUCCEEDED(rc))
        ThrowOdbcError(SQL_HANDLE_STMT, m_hstmt);
}

void CRecordset::MoveNext()
{
    if (!IsOpen())
        throw CDBException("MoveNext: the record set is not open.");
    if (m_bEOF)
        throw CDBException("MoveNext: the record set is already past its last row.");
    Fetch();
}

std::size_t CRecordset::ColumnIndex(const std::string& strName) const
{
    for (std::size_t i = 0; i < m_columnNames.size(); ++i) {
        if (m_columnNames[i] == strName)
            return i;
    }
    throw CDBException("The query result has no column named " + strName + ".");
}

void CRecordset::GetFieldValue(const std::string& strName, std::string& strValue)
{
    if (!IsOpen())
        throw CDBException("Reading " + strName + ": the record set is not open.");
    std::size_t index = ColumnIndex(strName);
    if (m_bEOF)
        throw CDBException("Reading " + strName + ": the query found no row.");
    if (m_rowValueRead[index]) {
        strValue = m_rowValues[index];
        return;
    }

    strValue.clear();
    char buffer[512];
    for (;;) {
        SQLLEN indicator = 0;
        SQLRETURN rc = SQLGetData(m_hstmt, static_cast<SQLUSMALLINT>(index + 1), SQL_C_CHAR, buffer,
                                  sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA)
            break;  // the previous piece was the last
        if (!SQL_SUCCEEDED(rc))
            ThrowOdbcError(SQL_HANDLE_STMT, m_hstmt);
        if (indicator == SQL_NULL_DATA)
            break;
        // A piece that fills the buffer may have more behind it; the driver
        // says so with SQL_SUCCESS_WITH_INFO (01004, data truncated).
        bool more = rc == SQL_SUCCESS_WITH_INFO &&
                    (indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof buffer));
        if (more) {
            strValue.append(buffer, sizeof buffer - 1);
        } else {
            strValue.append(buffer);
            break;
        }
    }
    m_rowValues[index] = strValue;
    m_rowValueRead[index] = true;
}

void CRecordset::Close()
{
    if (m_hstmt != SQL_NULL_HSTMT) {
        m_pDatabase->FreeStatement(m_hstmt);
        m_hstmt = SQL_NULL_HSTMT;
    }
    m_columnNames.clear();
    m_rowValues.clear();
    m_rowValueRead.clear();
    m_parameters.clear();
    m_parameterLengths.clear();
    m_bEOF = true;
}
