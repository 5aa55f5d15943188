#include "payers/PayerStore.h"

#include "payers/DbException.h"
#include "payers/DbTransaction.h"
#include "platform/PathText.h"
#include "platform/WholeFile.h"
#include "text/NumberText.h"

#include <cstdint>

namespace kvitok {

namespace {

// Kept word for word so that files stay interchangeable with those written before.
const char* const kCreateTable =
    "create table if not exists insurers (id integer primary key autoincrement, name text not null, "
    "address text, status integer, kbk integer, inn text, regnumber text, snils text, oktmo integer);";

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

StoredPayer::StoredPayer(DbPreparedStatement statement)
    : m_statement(std::move(statement)), m_cursor(m_statement.runQuery()) {}

int StoredPayer::Position(const char* column) const {
    const char* text = m_cursor.textOf(column);
    return text ? AtoI(text) : -1;
}

std::string StoredPayer::Text(const char* column) const {
    const char* text = m_cursor.textOf(column);
    return text ? text : "";
}

void PayerStore::Open(const std::string& fileName) {
    // A new file holds other people's SNILS and INN: it is its owner's alone before SQLite writes
    // to it. A file that cannot be made is reported by the open.
    if (!fileName.empty() && fileName != ":memory:") { // SQLite's names for a database without a file
        static_cast<void>(CreateOwnerFile(PathFromUtf8(fileName)));
    }
    m_connection.openFile(fileName);
    m_connection.runCommand(kCreateTable);
}

void PayerStore::AppendNames(std::vector<std::string>& names) {
    for (DbCursor cursor = m_connection.runQuery("select name from insurers;"); !cursor.atEnd();
         cursor.advance()) {
        const char* name = cursor.textAt(0);
        names.emplace_back(name ? name : "");
    }
}

std::vector<std::string> PayerStore::ListNames() {
    std::vector<std::string> names;
    AppendNames(names);
    return names;
}

PayerStore::SaveOutcome PayerStore::Save(const PayerRecord& record) {
    DbTransaction transaction(m_connection);
    std::optional<std::int64_t> id;
    {
        DbPreparedStatement lookUp = m_connection.prepare("select id from insurers where name=?");
        lookUp.bindText(1, record.name);
        DbCursor cursor = lookUp.runQuery();
        if (!cursor.atEnd()) {
            const char* text = cursor.textOf("id");
            id = AtoLL(text ? text : "");
        }
    }
    SaveOutcome outcome = SaveOutcome::Inserted;
    if (id) {
        DbPreparedStatement update = m_connection.prepare(
            "update insurers set name=?,address=?,status=?,kbk=?,inn=?,regnumber=?,snils=?,oktmo=? where "
            "id=?;");
        BindRecord(update, record);
        update.bindInt64(9, *id);
        if (update.runCommand() > 0) {
            outcome = SaveOutcome::Updated;
        }
    }
    // A row that no update reached (an id that is no row id in a table made by another tool)
    // must not take the person's save with it.
    if (outcome == SaveOutcome::Inserted) {
        DbPreparedStatement insert =
            m_connection.prepare("insert into insurers(name,address,status,kbk,inn,regnumber,snils,oktmo) "
                                 "values(?,?,?,?,?,?,?,?);");
        BindRecord(insert, record);
        insert.runCommand();
    }
    transaction.Commit();
    return outcome;
}

int PayerStore::Delete(const std::string& name) {
    DbPreparedStatement statement = m_connection.prepare("delete from insurers where name =?;");
    statement.bindText(1, name);
    return statement.runCommand();
}

std::optional<StoredPayer> PayerStore::Find(const std::string& name) {
    DbPreparedStatement statement = m_connection.prepare("select * from insurers where name =?;");
    statement.bindText(1, name);
    StoredPayer payer(std::move(statement));
    if (payer.m_cursor.atEnd()) {
        return std::nullopt;
    }
    return payer;
}

std::optional<PayerRecord> PayerStore::Load(const std::string& name) {
    const std::optional<StoredPayer> payer = Find(name);
    if (!payer) {
        return std::nullopt;
    }
    PayerRecord record;
    record.name = name;
    record.status = payer->Position("status");
    record.kbk = payer->Position("kbk");
    record.oktmo = payer->Position("oktmo");
    record.address = payer->Text("address");
    record.inn = payer->Text("inn");
    record.regNumber = payer->Text("regnumber");
    record.snils = payer->Text("snils");
    return record;
}

} // namespace kvitok
