#include "payers/PayerStore.h"

#include "payers/DbException.h"
#include "payers/DbTransaction.h"
#include "platform/PathText.h"
#include "platform/WholeFile.h"
#include "text/NumberText.h"

#include <cstdint>
#include <type_traits>

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

// The one place the database layer's exception is caught: what it says becomes the reason.
template <typename Operation>
auto Guarded(Operation&& operation) -> Result<std::invoke_result_t<Operation>> {
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Operation>>) {
            operation();
            return {};
        } else {
            return operation();
        }
    } catch (const DbException& error) {
        return Failure {error.message()};
    }
}

} // namespace

StoredPayer::StoredPayer(DbPreparedStatement statement)
    : m_statement(std::move(statement)), m_cursor(m_statement.runQuery()) {}

int StoredPayer::ReadPosition(const char* column) const {
    const char* text = m_cursor.textOf(column);
    return text ? AtoI(text) : -1;
}

std::string StoredPayer::ReadText(const char* column) const {
    const char* text = m_cursor.textOf(column);
    return text ? text : "";
}

Result<int> StoredPayer::Position(const char* column) const {
    return Guarded([&] {
        return ReadPosition(column);
    });
}

Result<std::string> StoredPayer::Text(const char* column) const {
    return Guarded([&] {
        return ReadText(column);
    });
}

Result<> PayerStore::Open(const std::string& fileName) {
    // A new file holds other people's SNILS and INN: it is its owner's alone before SQLite writes
    // to it. A file that cannot be made is reported by the open.
    if (!fileName.empty() && fileName != ":memory:") { // SQLite's names for a database without a file
        static_cast<void>(CreateOwnerFile(PathFromUtf8(fileName)));
    }
    return Guarded([&] {
        m_connection.openFile(fileName);
        m_connection.runCommand(kCreateTable);
    });
}

bool PayerStore::HoldsPayers(const std::string& fileName) {
    return Guarded([&] {
               DbConnection connection;
               connection.setBusyWaitMs(1000);
               connection.openReadOnly(fileName);
               // Compiling the query reads the schema: it fails without the table or the column.
               static_cast<void>(connection.prepare("select name from insurers limit 0;"));
           })
        .Ok();
}

Result<bool> NameReader::ReadSome(std::vector<std::string>& names, std::size_t most) {
    return Guarded([&] {
        for (std::size_t read = 0; read < most && !m_cursor.atEnd(); ++read, m_cursor.advance()) {
            const char* name = m_cursor.textAt(0);
            names.emplace_back(name ? name : "");
        }
        // The file's read lock goes with the last row.
        return !m_cursor.atEnd();
    });
}

Result<NameReader> PayerStore::ReadNames() {
    return Guarded([&] {
        return NameReader(m_connection.runQuery("select name from insurers;"));
    });
}

Result<> PayerStore::AppendNames(std::vector<std::string>& names) {
    Result<NameReader> reader = ReadNames();
    if (!reader) {
        return reader.Error();
    }
    const Result<bool> read = reader->ReadSome(names, names.max_size());
    return read ? Result<>() : read.Error();
}

Result<std::vector<std::string>> PayerStore::ListNames() {
    std::vector<std::string> names;
    if (const Result<> read = AppendNames(names); !read) {
        return read.Error();
    }
    return names;
}

Result<PayerStore::SaveOutcome> PayerStore::Save(const PayerRecord& record) {
    return Guarded([&] {
        return SaveRow(record);
    });
}

PayerStore::SaveOutcome PayerStore::SaveRow(const PayerRecord& record) {
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

Result<int> PayerStore::Delete(const std::string& name) {
    return Guarded([&] {
        DbPreparedStatement statement = m_connection.prepare("delete from insurers where name =?;");
        statement.bindText(1, name);
        return statement.runCommand();
    });
}

std::optional<StoredPayer> PayerStore::FindRow(const std::string& name) {
    DbPreparedStatement statement = m_connection.prepare("select * from insurers where name =?;");
    statement.bindText(1, name);
    StoredPayer payer(std::move(statement));
    if (payer.m_cursor.atEnd()) {
        return std::nullopt;
    }
    return payer;
}

Result<std::optional<StoredPayer>> PayerStore::Find(const std::string& name) {
    return Guarded([&] {
        return FindRow(name);
    });
}

Result<std::optional<PayerRecord>> PayerStore::Load(const std::string& name) {
    return Guarded([&]() -> std::optional<PayerRecord> {
        const std::optional<StoredPayer> payer = FindRow(name);
        if (!payer) {
            return std::nullopt;
        }
        PayerRecord record;
        record.name = name;
        record.status = payer->ReadPosition("status");
        record.kbk = payer->ReadPosition("kbk");
        record.oktmo = payer->ReadPosition("oktmo");
        record.address = payer->ReadText("address");
        record.inn = payer->ReadText("inn");
        record.regNumber = payer->ReadText("regnumber");
        record.snils = payer->ReadText("snils");
        return record;
    });
}

} // namespace kvitok
