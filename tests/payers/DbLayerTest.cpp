#include "payers/DbConnection.h"
#include "payers/DbException.h"
#include "payers/DbFormatBuffer.h"

#include "DbFailure.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace kvitok {
namespace {

using kvitok::testing::CodeOf;
using kvitok::testing::MessageOf;
using kvitok::testing::TempFolder;

const std::string kNoStatement = "DBLAYER_ERROR[1000]: Null Virtual Machine pointer";
const std::string kBadIndex = "DBLAYER_ERROR[1000]: Invalid field index requested";
const std::string kBadName = "DBLAYER_ERROR[1000]: Invalid field name requested";
const std::string kNotOpen = "DBLAYER_ERROR[1000]: Database not open";

TEST(DbException, MessageNamesTheCode) {
    struct Case {
        int code;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {0, "not an error", "SQLITE_OK[0]: not an error"},
        {5, "database is locked", "SQLITE_BUSY[5]: database is locked"},
        {14, "x", "SQLITE_CANTOPEN[14]: x"},
        {25, "x", "SQLITE_RANGE[25]: x"},
        {26, "file is not a database", "UNKNOWN_ERROR[26]: file is not a database"},
        {101, nullptr, "SQLITE_DONE[101]: "},
        {1000, "Database not open", "DBLAYER_ERROR[1000]: Database not open"},
        {-1, "x", "UNKNOWN_ERROR[-1]: x"},
        {261, "x", "UNKNOWN_ERROR[261]: x"}, // extended codes have no name of their own
    };
    for (const Case& c : cases) {
        const DbException e(c.code, c.text);
        EXPECT_EQ(e.code(), c.code);
        EXPECT_EQ(e.message(), c.expected);
        EXPECT_STREQ(e.what(), c.expected);
    }
}

TEST(DbException, TakesTheLibraryTextAndCopiesKeepTheMessage) {
    // The sanitizer build would report a leak or a double free if ownership were wrong.
    const DbException original(1, sqlite3_mprintf("no such table: %s", "t"), true);
    const DbException copy = original; // NOLINT: the copy is the point
    EXPECT_EQ(copy.message(), "SQLITE_ERROR[1]: no such table: t");
    EXPECT_EQ(original.message(), copy.message());
}

class DbLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_db.openFile(m_folder.File("layer.db"));
        m_db.runCommand("create table t(a integer, B text, c real, d blob);"
                        "insert into t values(1, 'one', 1.5, x'0001ff');"
                        "insert into t values(2, null, null, null);");
    }

    TempFolder m_folder;
    DbConnection m_db;
};

TEST_F(DbLayerTest, ClosedConnectionRefusesEveryStatement) {
    DbConnection closed;
    EXPECT_EQ(closed.busyWaitMs(), 60000);
    EXPECT_FALSE(closed.isOpen());
    EXPECT_NO_THROW(closed.closeFile());
    EXPECT_EQ(MessageOf([&] {
                  closed.runCommand("select 1");
              }),
              kNotOpen);
    EXPECT_EQ(MessageOf([&] {
                  closed.runQuery("select 1");
              }),
              kNotOpen);
    EXPECT_EQ(MessageOf([&] {
                  closed.loadTable("select 1");
              }),
              kNotOpen);
    EXPECT_EQ(MessageOf([&] {
                  closed.prepare("select 1");
              }),
              kNotOpen);
    EXPECT_EQ(MessageOf([&] {
                  closed.inAutoCommitMode();
              }),
              kNotOpen);
    EXPECT_EQ(MessageOf([&] {
                  closed.lastInsertedRowId();
              }),
              kNotOpen);
    EXPECT_EQ(MessageOf([&] {
                  DbPreparedStatement().runCommand();
              }),
              kNotOpen);

    m_db.closeFile();
    EXPECT_NO_THROW(m_db.closeFile());
    EXPECT_EQ(MessageOf([&] {
                  m_db.runCommand("select 1");
              }),
              kNotOpen);
}

TEST_F(DbLayerTest, LibraryFailuresCarryTheLibraryText) {
    EXPECT_EQ(MessageOf([&] {
                  m_db.runCommand("delete from nope;");
              }),
              "SQLITE_ERROR[1]: no such table: nope");
    EXPECT_EQ(MessageOf([&] {
                  m_db.runQuery("selec 1");
              }),
              "SQLITE_ERROR[1]: near \"selec\": syntax error");
    EXPECT_EQ(MessageOf([&] {
                  m_db.loadTable("select zz from t");
              }),
              "SQLITE_ERROR[1]: no such column: zz");
    EXPECT_EQ(MessageOf([&] {
                  m_db.runQuery("");
              }),
              kNoStatement);
}

TEST_F(DbLayerTest, QueryWithoutRowsIsAtEndButStillChecksColumns) {
    DbCursor cursor = m_db.runQuery("select a, B from t where a > 10");
    EXPECT_TRUE(cursor.atEnd());
    EXPECT_EQ(cursor.textAt(1), nullptr);
    EXPECT_EQ(MessageOf([&] {
                  cursor.textAt(-1);
              }),
              kBadIndex);
    EXPECT_EQ(MessageOf([&] {
                  cursor.textAt(2);
              }),
              kBadIndex);
}

TEST_F(DbLayerTest, QueryRunsOnlyTheFirstStatementCommandRunsAll) {
    m_db.runQuery("insert into t(a) values(10); insert into t(a) values(11);");
    EXPECT_EQ(m_db.runScalarQuery("select count(*) from t where a >= 10"), 1);
    EXPECT_EQ(m_db.runCommand("insert into t(a) values(20); insert into t(a) values(21);"), 1);
    EXPECT_EQ(m_db.runScalarQuery("select count(*) from t where a >= 20"), 2);
    EXPECT_EQ(m_db.runCommand("update t set c = 0"), 5);
}

TEST_F(DbLayerTest, CursorReadsRowsAndColumnsByExactName) {
    DbCursor cursor = m_db.runQuery("select a, B, c, d from t order by a");
    ASSERT_FALSE(cursor.atEnd());
    EXPECT_EQ(cursor.columnCount(), 4);
    EXPECT_STREQ(cursor.textOf("B"), "one");
    EXPECT_EQ(MessageOf([&] {
                  cursor.textOf("b");
              }),
              kBadName);
    EXPECT_EQ(MessageOf([&] {
                  cursor.textOf(nullptr);
              }),
              kBadName);
    EXPECT_EQ(cursor.columnIndexOf("c"), 2);
    EXPECT_EQ(cursor.intOf("a", -1), 1);
    EXPECT_EQ(cursor.int64At(0), 1);
    EXPECT_DOUBLE_EQ(cursor.doubleOf("c"), 1.5);
    EXPECT_EQ(cursor.blobOf("d"), std::string_view("\x00\x01\xff", 3));
    EXPECT_STREQ(cursor.columnNameAt(1), "B");
    EXPECT_STREQ(cursor.declaredTypeAt(0), "INTEGER");
    EXPECT_EQ(cursor.storageClassAt(0), SQLITE_INTEGER);
    EXPECT_FALSE(cursor.isNullOf("B"));

    cursor.advance();
    ASSERT_FALSE(cursor.atEnd());
    EXPECT_EQ(cursor.textAt(1), nullptr);
    EXPECT_TRUE(cursor.isNullAt(1));
    EXPECT_EQ(cursor.storageClassAt(1), SQLITE_NULL);
    EXPECT_EQ(cursor.intOf("c", -7), -7);
    EXPECT_EQ(cursor.int64Of("c", -8), -8);
    EXPECT_DOUBLE_EQ(cursor.doubleAt(2, 2.5), 2.5);
    EXPECT_STREQ(cursor.textOrDefaultOf("B", "none"), "none");
    EXPECT_TRUE(cursor.blobAt(3).empty());

    cursor.advance();
    EXPECT_TRUE(cursor.atEnd());
}

TEST_F(DbLayerTest, ReleasedMovedAndDefaultCursorsHaveNoStatement) {
    DbCursor cursor = m_db.runQuery("select a from t");
    DbCursor moved = std::move(cursor);
    EXPECT_EQ(MessageOf([&] {
                  cursor.atEnd();
              }),
              kNoStatement); // NOLINT: moved-from on purpose
    EXPECT_FALSE(moved.atEnd());
    moved.release();
    EXPECT_NO_THROW(moved.release());
    EXPECT_EQ(MessageOf([&] {
                  moved.advance();
              }),
              kNoStatement);
    EXPECT_EQ(MessageOf([&] {
                  moved.textAt(0);
              }),
              kNoStatement);
    EXPECT_EQ(MessageOf([&] {
                  DbCursor().atEnd();
              }),
              kNoStatement);

    // Assigning over a live cursor finalises its statement; the connection closes cleanly after.
    DbCursor first = m_db.runQuery("select a from t");
    first = m_db.runQuery("select B from t");
    EXPECT_STREQ(first.textAt(0), "one");
}

TEST_F(DbLayerTest, AssigningOverAConnectionWithALiveCursorReleasesItsHandle) {
    // The old handle cannot close while the cursor lives; it must be closed once the cursor
    // is gone, not dropped (the leak checker of the sanitizer build watches this).
    DbConnection target;
    target.openFile(m_folder.File("other.db"));
    DbCursor cursor = target.runQuery("select 7");
    target = DbConnection();
    EXPECT_FALSE(target.isOpen());
    EXPECT_STREQ(cursor.textAt(0), "7");
    cursor.release();
}

TEST_F(DbLayerTest, ScalarQuery) {
    EXPECT_EQ(m_db.runScalarQuery("select count(*) from t"), 2);
    EXPECT_EQ(m_db.runScalarQuery("select c from t where a = 2", -3), -3);
    EXPECT_EQ(MessageOf([&] {
                  m_db.runScalarQuery("select a from t where a > 10");
              }),
              "DBLAYER_ERROR[1000]: Invalid scalar query");
    EXPECT_TRUE(m_db.hasTable("t"));
    EXPECT_FALSE(m_db.hasTable("T'; drop table t; --"));
    m_db.runCommand("create table \"it's\"(x);");
    EXPECT_TRUE(m_db.hasTable("it's"));
    EXPECT_TRUE(m_db.hasTable("t"));
}

TEST_F(DbLayerTest, ResultTable) {
    DbResultTable table = m_db.loadTable("select a, B from t order by a");
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.columnCount(), 2);
    EXPECT_STREQ(table.columnNameAt(1), "B");
    EXPECT_STREQ(table.textOf("B"), "one");
    EXPECT_EQ(table.intAt(0), 1);
    table.selectRow(1);
    EXPECT_EQ(table.intOf("a"), 2);
    EXPECT_TRUE(table.isNullOf("B"));
    EXPECT_STREQ(table.textOrDefaultAt(1, "-"), "-");
    EXPECT_EQ(table.intAt(1, 9), 9);
    EXPECT_EQ(MessageOf([&] {
                  table.selectRow(2);
              }),
              "DBLAYER_ERROR[1000]: Invalid row index requested");
    EXPECT_EQ(MessageOf([&] {
                  table.selectRow(-1);
              }),
              "DBLAYER_ERROR[1000]: Invalid row index requested");
    EXPECT_EQ(MessageOf([&] {
                  table.textAt(2);
              }),
              kBadIndex);
    EXPECT_EQ(MessageOf([&] {
                  table.textOf("b");
              }),
              kBadName);

    DbResultTable moved = std::move(table);
    EXPECT_EQ(moved.rowCount(), 2);
    EXPECT_EQ(MessageOf([&] {
                  table.rowCount();
              }), // NOLINT: moved-from on purpose
              "DBLAYER_ERROR[1000]: Null Results pointer");
    moved.release();
    EXPECT_EQ(MessageOf([&] {
                  moved.columnCount();
              }),
              "DBLAYER_ERROR[1000]: Null Results pointer");

    DbResultTable empty = m_db.loadTable("select a from t where a > 10");
    EXPECT_EQ(empty.rowCount(), 0);
}

TEST_F(DbLayerTest, PreparedStatementBindsAndReruns) {
    DbPreparedStatement insert = m_db.prepare("insert into t(a, B, c, d) values(:a, :b, ?3, ?4)");
    const std::string quoted = "O'Brien'); delete from t; --";
    insert.bindInt(":a", 7);
    insert.bindText(":b", quoted);
    insert.bindDouble(3, 0.25);
    insert.bindBlob(4, "\0z", 2);
    EXPECT_EQ(insert.runCommand(), 1);
    EXPECT_EQ(m_db.lastInsertedRowId(), 3);
    insert.bindInt(1, 8);
    insert.bindNullAt(":b");
    insert.bindNullAt(3);
    insert.bindBlob(4, nullptr, 0);
    EXPECT_EQ(insert.runCommand(), 1);

    DbPreparedStatement select = m_db.prepare("select B, c, d from t where B = ?");
    select.bindText(1, quoted);
    {
        DbCursor cursor = select.runQuery();
        ASSERT_FALSE(cursor.atEnd());
        EXPECT_EQ(std::string(cursor.textAt(0)), quoted);
        EXPECT_DOUBLE_EQ(cursor.doubleAt(1), 0.25);
        EXPECT_EQ(cursor.blobAt(2), std::string_view("\0z", 2));
        cursor.advance();
        EXPECT_TRUE(cursor.atEnd());
    }
    // The cursor borrowed the statement: it still runs after a rewind.
    select.rewind();
    select.bindText(1, "one");
    EXPECT_FALSE(select.runQuery().atEnd());
    EXPECT_EQ(m_db.runScalarQuery("select count(*) from t where a = 8 and B is null and length(d) = 0"), 1);
}

TEST_F(DbLayerTest, PreparedStatementErrors) {
    DbPreparedStatement statement = m_db.prepare("insert into t(a) values(?)");
    EXPECT_EQ(MessageOf([&] {
                  statement.bindInt(2, 1);
              }),
              "SQLITE_RANGE[25]: Error binding int param");
    EXPECT_EQ(MessageOf([&] {
                  statement.bindText(0, "x");
              }),
              "SQLITE_RANGE[25]: Error binding string param");
    EXPECT_EQ(MessageOf([&] {
                  statement.bindDouble(3, 1);
              }),
              "SQLITE_RANGE[25]: Error binding double param");
    EXPECT_EQ(MessageOf([&] {
                  statement.bindBlob(3, "x", 1);
              }),
              "SQLITE_RANGE[25]: Error binding blob param");
    EXPECT_EQ(MessageOf([&] {
                  statement.bindNullAt(3);
              }),
              "SQLITE_RANGE[25]: Error binding NULL param");
    EXPECT_EQ(MessageOf([&] {
                  statement.bindInt(":nope", 1);
              }),
              "DBLAYER_ERROR[1000]: Parameter ':nope' is not valid for this statement");

    m_db.runCommand("create table u(k integer not null unique);");
    DbPreparedStatement unique = m_db.prepare("insert into u values(?)");
    unique.bindInt(1, 1);
    unique.runCommand();
    EXPECT_EQ(MessageOf([&] {
                  unique.runCommand();
              }),
              "SQLITE_CONSTRAINT[19]: UNIQUE constraint failed: u.k");
    unique.bindInt(1, 2);
    EXPECT_EQ(unique.runCommand(), 1);

    unique.release();
    EXPECT_NO_THROW(unique.release());
    EXPECT_NO_THROW(unique.rewind());
    EXPECT_EQ(MessageOf([&] {
                  unique.runCommand();
              }),
              kNoStatement);
    EXPECT_EQ(MessageOf([&] {
                  unique.bindInt(1, 1);
              }),
              kNoStatement);
}

TEST_F(DbLayerTest, AutoCommitFollowsTransactions) {
    EXPECT_TRUE(m_db.inAutoCommitMode());
    m_db.runCommand("begin;");
    EXPECT_FALSE(m_db.inAutoCommitMode());
    m_db.runCommand("rollback;");
    EXPECT_TRUE(m_db.inAutoCommitMode());
}

TEST_F(DbLayerTest, LockedDatabaseFailsBusyAfterTheTimeout) {
    DbConnection other;
    other.openFile(m_folder.File("layer.db"));
    other.runCommand("begin exclusive;");
    m_db.setBusyWaitMs(50);
    EXPECT_EQ(m_db.busyWaitMs(), 50);
    EXPECT_EQ(MessageOf([&] {
                  m_db.runCommand("insert into t(a) values(3);");
              }),
              "SQLITE_BUSY[5]: database is locked");
    EXPECT_EQ(CodeOf([&] {
                  m_db.runQuery("select a from t");
              }),
              SQLITE_BUSY);
    other.runCommand("commit;");
    EXPECT_EQ(m_db.runCommand("insert into t(a) values(3);"), 1);
}

TEST_F(DbLayerTest, ClosingWithALiveStatementFailsAndKeepsTheHandle) {
    DbCursor cursor = m_db.runQuery("select a from t");
    EXPECT_EQ(MessageOf([&] {
                  m_db.closeFile();
              }),
              "DBLAYER_ERROR[1000]: Unable to close database");
    EXPECT_TRUE(m_db.isOpen());
    cursor.release();
    EXPECT_NO_THROW(m_db.closeFile());
    EXPECT_FALSE(m_db.isOpen());
}

TEST(DbConnectionFiles, FileThatIsNotADatabase) {
    TempFolder folder;
    {
        std::ofstream out(folder.File("junk.db"), std::ios::binary);
        out << std::string(4096, 'z');
    }
    DbConnection db;
    db.openFile(folder.File("junk.db")); // the library reads the header only when it needs it
    EXPECT_EQ(MessageOf([&] {
                  db.runCommand("create table if not exists x(a);");
              }),
              "UNKNOWN_ERROR[26]: file is not a database");
}

TEST(DbConnectionFiles, OpenFailureKeepsTheHandleUntilClosed) {
    TempFolder folder;
    DbConnection db;
    EXPECT_EQ(MessageOf([&] {
                  db.openFile(folder.File("missing/x.db"));
              }),
              "SQLITE_CANTOPEN[14]: unable to open database file");
    EXPECT_TRUE(db.isOpen());
    EXPECT_NE(CodeOf([&] {
                  db.runCommand("select 1;");
              }),
              -12345);
    EXPECT_NO_THROW(db.closeFile());
    EXPECT_FALSE(db.isOpen());
}

TEST(DbFormatBuffer, UsesTheLibraryQuotingConversions) {
    DbFormatBuffer buffer;
    EXPECT_EQ(buffer.text(), nullptr);
    EXPECT_STREQ(buffer.compose("name='%q' and %Q and %d", "O'Brien", nullptr, 5),
                 "name='O''Brien' and NULL and 5");
    EXPECT_STREQ(buffer.compose("%Q", "it's"), "'it''s'");
    DbFormatBuffer moved = std::move(buffer);
    EXPECT_STREQ(moved.text(), "'it''s'");
    moved.release();
    EXPECT_EQ(moved.text(), nullptr);
}

} // namespace
} // namespace kvitok
