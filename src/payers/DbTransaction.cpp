#include "payers/DbTransaction.h"

#include "payers/DbConnection.h"
#include "payers/DbException.h"

namespace kvitok {

DbTransaction::DbTransaction(DbConnection& connection) : m_connection(connection) {
    m_connection.runCommand("BEGIN IMMEDIATE;");
}

DbTransaction::~DbTransaction() {
    if (!m_open) {
        return;
    }
    try {
        m_connection.runCommand("ROLLBACK;");
    } catch (const DbException&) {
        // Some failures end the transaction themselves; then there is nothing left to undo.
    }
}

void DbTransaction::Commit() {
    m_connection.runCommand("COMMIT;");
    m_open = false;
}

} // namespace kvitok
