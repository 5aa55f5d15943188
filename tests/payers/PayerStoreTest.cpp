#include "payers/PayerStore.h"
#include "payers/DbConnection.h"
#include "payers/DbException.h"
#include "text/Cp1251.h"
#include "text/Cp1251Literal.h"

#include "SamplePayer.h"
#include "support/ResultReason.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <set>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace kvitok {
namespace {

using kvitok::testing::ReasonOf;
using kvitok::testing::TempFolder;
namespace fs = std::filesystem;

class PayerStoreTest : public ::testing::Test {
protected:
    std::string DbFile() const { return m_folder.File("insurers.db"); }

    // A second connection, as another tool or another copy of the program would hold.
    DbConnection Other() const {
        DbConnection db;
        db.openFile(DbFile());
        return db;
    }

    TempFolder m_folder;
    PayerStore m_store;
};

TEST_F(PayerStoreTest, FirstStartCreatesTheFileAndTheTable) {
    ASSERT_FALSE(fs::exists(DbFile()));
    ASSERT_TRUE(m_store.Open(DbFile()));
    EXPECT_TRUE(fs::exists(DbFile()));
    EXPECT_TRUE(m_store.ListNames()->empty());

    DbConnection db = Other();
    std::vector<std::string> columns;
    for (DbCursor c = db.runQuery("pragma table_info(insurers)"); !c.atEnd(); c.advance()) {
        columns.push_back(std::string(c.textOf("name")) + " " + c.textOf("type") + " " + c.textOf("notnull") +
                          " " + c.textOf("pk"));
    }
    const std::vector<std::string> expected = {
        "id INTEGER 0 1", "name TEXT 1 0",      "address TEXT 0 0", "status INTEGER 0 0", "kbk INTEGER 0 0",
        "inn TEXT 0 0",   "regnumber TEXT 0 0", "snils TEXT 0 0",   "oktmo INTEGER 0 0",
    };
    EXPECT_EQ(columns, expected);
    EXPECT_EQ(db.runScalarQuery("select count(*) from sqlite_master where name = 'sqlite_sequence'"), 1);
}

TEST_F(PayerStoreTest, OpensInsurersDbInTheCurrentFolderByDefault) {
    const fs::path previous = fs::current_path();
    fs::current_path(m_folder.Path());
    EXPECT_TRUE(m_store.Open());
    fs::current_path(previous);
    EXPECT_TRUE(fs::exists(DbFile()));
    EXPECT_STREQ(PayerStore::DefaultFileName, "insurers.db");
}

TEST_F(PayerStoreTest, SaveUpdateLoadDeleteRoundTrips) {
    const std::vector<std::string> names = {
        std::string("Иванов Иван Иванович"_cp),
        std::string("О'Коннор"_cp),
        "x'); drop table insurers; --",
        "a;b",
        "",
        "'",
    };
    ASSERT_TRUE(m_store.Open(DbFile()));
    for (const std::string& name : names) {
        PayerRecord record = Payer(name);
        record.inn = name + "'1";
        EXPECT_EQ(*m_store.Save(record), PayerStore::SaveOutcome::Inserted);
        EXPECT_EQ(*m_store.Load(name), record);

        record.address = "ул. О'Нила; 5"_cp;
        record.status = -1;
        record.kbk = -1;
        record.oktmo = 0;
        record.snils.clear();
        EXPECT_EQ(*m_store.Save(record), PayerStore::SaveOutcome::Updated);
        EXPECT_EQ(*m_store.Load(name), record);
    }
    EXPECT_EQ(*m_store.ListNames(), names);

    // Texts are the form's windows-1251 bytes, not converted on the way in.
    {
        DbConnection db = Other();
        DbCursor raw = db.runQuery("select cast(name as blob) from insurers where id = 1");
        EXPECT_EQ(raw.blobAt(0), "Иванов Иван Иванович"_cp);
    }

    for (const std::string& name : names) {
        EXPECT_EQ(*m_store.Delete(name), 1);
        EXPECT_EQ(*m_store.Load(name), std::nullopt);
    }
    EXPECT_TRUE(m_store.ListNames()->empty());
    EXPECT_EQ(*m_store.Delete("nobody"), 0);
}

// A name is matched exactly, never as a pattern: deleting one payer leaves every other.
TEST_F(PayerStoreTest, NamesDifferingInCaseOrTrailingSpaceAreDifferentPayers) {
    ASSERT_TRUE(m_store.Open(DbFile()));
    for (const char* name : {"Петров", "ПЕТРОВ", "Петров ", "Petrov", "PETROV", "P_trov", "P%"}) {
        const std::string cp = Utf8ToCp1251(name).value();
        EXPECT_EQ(*m_store.Save(Payer(cp)), PayerStore::SaveOutcome::Inserted) << name;
    }
    EXPECT_EQ(m_store.ListNames()->size(), 7u);
    for (const char* name : {"P_trov", "P%", "Petrov"}) {
        EXPECT_EQ(*m_store.Delete(name), 1) << name;
    }
    const std::vector<std::string> left = *m_store.ListNames();
    EXPECT_EQ(std::set<std::string>(left.begin(), left.end()),
              (std::set<std::string> {Utf8ToCp1251("Петров").value(), Utf8ToCp1251("ПЕТРОВ").value(),
                                      Utf8ToCp1251("Петров ").value(), "PETROV"}));
}

TEST_F(PayerStoreTest, RowsWrittenByAnotherTool) {
    ASSERT_TRUE(m_store.Open(DbFile()));
    DbConnection db = Other();
    db.runCommand("insert into insurers(name, address, status, kbk, inn, regnumber, snils, oktmo) "
                  "values('Twin', null, null, null, null, null, null, null);"
                  "insert into insurers(name, address, status, kbk, inn, regnumber, snils, oktmo) "
                  "values('Twin', 'second', 4, 4, '1', '2', '3', 4);");

    // The first row wins, and its NULLs read as no selection and empty texts.
    PayerRecord first;
    first.name = "Twin";
    EXPECT_EQ(*m_store.Load("Twin"), first);

    EXPECT_EQ(*m_store.Save(Payer("Twin")), PayerStore::SaveOutcome::Updated);
    EXPECT_EQ(*m_store.Load("Twin"), Payer("Twin"));
    EXPECT_EQ(db.runScalarQuery("select status from insurers where id = 2"), 4);

    EXPECT_EQ(*m_store.ListNames(), (std::vector<std::string> {"Twin", "Twin"}));
    EXPECT_EQ(*m_store.Delete("Twin"), 2);
    EXPECT_TRUE(m_store.ListNames()->empty());
}

// A save always ends in the file: the row of the name is updated whatever its id, and a row
// that no update reaches gives way to a new one.
TEST_F(PayerStoreTest, SaveAlwaysEndsInTheFile) {
    struct Case {
        const char* setUp; // run by another tool before the save
        PayerStore::SaveOutcome outcome;
        int rows;
    };
    const Case cases[] = {
        {"insert into insurers(id, name) values(3000000000, 'A');", PayerStore::SaveOutcome::Updated, 1},
        {"insert into insurers(name) values('A');"
         "create trigger frozen before update on insurers begin select raise(ignore); end;",
         PayerStore::SaveOutcome::Inserted, 2},
    };
    for (const Case& c : cases) {
        fs::remove(DbFile());
        PayerStore store;
        ASSERT_TRUE(store.Open(DbFile()));
        Other().runCommand(c.setUp);
        EXPECT_EQ(*store.Save(Payer("A")), c.outcome) << c.setUp;
        DbConnection db = Other();
        EXPECT_EQ(db.runScalarQuery("select count(*) from insurers where name = 'A'"), c.rows) << c.setUp;
        EXPECT_EQ(db.runScalarQuery("select status from insurers order by id desc limit 1"), 2) << c.setUp;
    }
}

TEST_F(PayerStoreTest, ExistingTableIsNeverAltered) {
    {
        DbConnection db;
        db.openFile(DbFile());
        db.runCommand("create table insurers (id integer primary key autoincrement, name text not null, "
                      "address text, status integer, kbk integer, inn text, regnumber text, oktmo integer);"
                      "insert into insurers(name) values('Old');");
    }
    ASSERT_TRUE(m_store.Open(DbFile()));
    EXPECT_EQ(*m_store.ListNames(), std::vector<std::string> {"Old"});
    EXPECT_EQ(ReasonOf(m_store.Save(Payer("New"))),
              "SQLITE_ERROR[1]: table insurers has no column named snils");
    EXPECT_EQ(ReasonOf(m_store.Load("Old")), "DBLAYER_ERROR[1000]: Invalid field name requested");
    EXPECT_EQ(*m_store.Delete("Old"), 1);
}

// Names read a part at a time come out as read at once. The file stays readable by others all
// along, and another program's write waits only until the last part is read.
TEST_F(PayerStoreTest, NamesReadInPartsHoldOffWritersUntilTheLast) {
    ASSERT_TRUE(m_store.Open(DbFile()));
    for (const char* name : {"C", "A", "B", "E", "D"}) {
        ASSERT_TRUE(m_store.Save(Payer(name)));
    }
    DbConnection other = Other();
    other.setBusyWaitMs(0);
    const auto otherWrites = [&other] {
        try {
            other.runCommand("begin exclusive; commit;");
            return true;
        } catch (const DbException&) {
            return false;
        }
    };
    Result<NameReader> reader = m_store.ReadNames();
    ASSERT_TRUE(reader);
    std::vector<std::string> names;
    for (const bool more : {true, true, false}) {
        EXPECT_EQ(other.runScalarQuery("select count(*) from insurers"), 5);
        EXPECT_FALSE(otherWrites()) << names.size();
        EXPECT_EQ(*reader->ReadSome(names, 2), more) << names.size();
    }
    EXPECT_TRUE(otherWrites());
    EXPECT_FALSE(*reader->ReadSome(names, 2));
    EXPECT_EQ(names, *m_store.ListNames());
}

TEST_F(PayerStoreTest, FileThatIsNotADatabase) {
    {
        std::ofstream out(DbFile(), std::ios::binary);
        out << "This is not a database, only some text that happens to be called insurers.db\n";
    }
    EXPECT_EQ(ReasonOf(m_store.Open(DbFile())), "UNKNOWN_ERROR[26]: file is not a database");
    EXPECT_EQ(ReasonOf(m_store.ListNames()), "UNKNOWN_ERROR[26]: file is not a database");
}

TEST_F(PayerStoreTest, LockedDatabaseGivesBusyAfterTheTimeout) {
    ASSERT_TRUE(m_store.Open(DbFile()));
    ASSERT_TRUE(m_store.Save(Payer("A")));
    DbConnection other = Other();
    other.runCommand("begin exclusive;");
    m_store.SetBusyWaitMs(50);
    EXPECT_EQ(ReasonOf(m_store.Save(Payer("B"))), "SQLITE_BUSY[5]: database is locked");
    EXPECT_EQ(ReasonOf(m_store.Delete("A")), "SQLITE_BUSY[5]: database is locked");
    other.runCommand("commit;");
    EXPECT_EQ(*m_store.Delete("A"), 1);
}

TEST_F(PayerStoreTest, AfterAFailedOpenEveryOperationReportsAnError) {
    fs::create_directory(m_folder.Path() / "plain");
    std::ofstream(m_folder.File("plain/file")) << "x";
    // A path below a plain file cannot be created, whoever runs the test.
    EXPECT_EQ(ReasonOf(m_store.Open(m_folder.File("plain/file/insurers.db"))),
              "SQLITE_CANTOPEN[14]: unable to open database file");
    EXPECT_NE(ReasonOf(m_store.ListNames()), "");
    EXPECT_NE(ReasonOf(m_store.Save(Payer("A"))), "");
    EXPECT_NE(ReasonOf(m_store.Delete("A")), "");
    EXPECT_NE(ReasonOf(m_store.Load("A")), "");
}

} // namespace
} // namespace kvitok
