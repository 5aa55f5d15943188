#pragma once

namespace kvitok {

class DbConnection;

// A write transaction over one connection. It takes the file's write lock when it begins
// ("BEGIN IMMEDIATE", waiting up to the busy timeout), so what is read inside it still holds
// when it writes, whatever other processes do. Rolled back unless committed.
class DbTransaction {
public:
    explicit DbTransaction(DbConnection& connection);
    ~DbTransaction();
    DbTransaction(const DbTransaction&) = delete;
    DbTransaction& operator=(const DbTransaction&) = delete;

    void Commit();

private:
    DbConnection& m_connection;
    bool m_open = true;
};

} // namespace kvitok
