#include "payers/PayerStore.h"

#include "payers/DbException.h"
#include "text/NumberText.h"

namespace kvitok {

namespace {

// Kept word for word so that files stay interchangeable with those written before.
const char* const kCreateTable =
    "create table if not exists insurers (id integer primary key autoincrement, name text not null, "
    "address text, status integer, kbk integer, inn text, regnumber text, snils text, oktmo integer);";

std::string TextOf(const DbCursor& cursor, const char* column) {
    const char* text = cursor.textOf(column);
    return text ? text : "";
}

// A row written by another tool may hold NULL here: that reads as no selection.
int PositionOf(const DbCursor& cursor, const char* column) {
    const char* text = cursor.textOf(column);
    return text ? AtoI(text) : -1;
}

void BindRecord(DbPreparedStatement& statement, const PayerRecord& record) {
    statement.bindText(1, record.name);
    statement.bindText(2, record.address);
    statement.bindInt(3, record.status);
    statement.bindInt(4, record.kbk);
    statement.bindText(5, record.inn);
    statement.bindText(6, record.regNumber);
    statement.bindText(7, record.snils);
    statement.bindInt(8, record.oktmo);
}

} // namespace

void PayerStore::Open(const std::string& fileName) {
    m_connection.openFile(fileName);
    m_connection.runCommand(kCreateTable);
}

std::vector<std::string> PayerStore::ListNames() {
    std::vector<std::string> names;
    for (DbCursor cursor = m_connection.runQuery("select name from insurers;"); !cursor.atEnd();
         cursor.advance()) {
        const char* name = cursor.textAt(0);
        names.emplace_back(name ? name : "");
    }
    return names;
}

PayerStore::SaveOutcome PayerStore::Save(const PayerRecord& record) {
    std::optional<int> id;
    {
        DbPreparedStatement lookUp = m_connection.prepare("select id from insurers where name=?");
        lookUp.bindText(1, record.name);
        DbCursor cursor = lookUp.runQuery();
        if (!cursor.atEnd()) {
            id = AtoI(TextOf(cursor, "id"));
        }
    }
    if (id) {
        DbPreparedStatement update = m_connection.prepare(
            "update insurers set name=?,address=?,status=?,kbk=?,inn=?,regnumber=?,snils=?,oktmo=? where "
            "id=?;");
        BindRecord(update, record);
        update.bindInt(9, *id);
        update.runCommand();
        return SaveOutcome::Updated;
    }
    DbPreparedStatement insert = m_connection.prepare(
        "insert into insurers(name,address,status,kbk,inn,regnumber,snils,oktmo) values(?,?,?,?,?,?,?,?);");
    BindRecord(insert, record);
    insert.runCommand();
    return SaveOutcome::Inserted;
}

int PayerStore::Delete(const std::string& name) {
    DbPreparedStatement statement = m_connection.prepare("delete from insurers where name =?;");
    statement.bindText(1, name);
    return statement.runCommand();
}

std::optional<PayerRecord> PayerStore::Load(const std::string& name) {
    DbPreparedStatement statement = m_connection.prepare("select * from insurers where name =?;");
    statement.bindText(1, name);
    DbCursor cursor = statement.runQuery();
    if (cursor.atEnd()) {
        return std::nullopt;
    }
    PayerRecord record;
    record.name = name;
    record.status = PositionOf(cursor, "status");
    record.kbk = PositionOf(cursor, "kbk");
    record.oktmo = PositionOf(cursor, "oktmo");
    record.address = TextOf(cursor, "address");
    record.inn = TextOf(cursor, "inn");
    record.regNumber = TextOf(cursor, "regnumber");
    record.snils = TextOf(cursor, "snils");
    return record;
}

} // namespace kvitok
