// Writes a payer file for the start benchmarks: COUNT payers with distinct names, saved in
// random order as the program saves them (windows-1251 texts, list positions as integers).
//
//   make_payer_file FILE [COUNT]      COUNT is 100000 unless given; an existing FILE is replaced
#include "PayerNames.h"
#include "payers/DbConnection.h"
#include "payers/DbTransaction.h"
#include "payers/PayerStore.h"
#include "text/Cp1251Literal.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using kvitok::operator""_cp;

std::string Digits(std::mt19937& random, int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) {
        digits += static_cast<char>('0' + random() % 10);
    }
    return digits;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2 || argc > 3) {
        std::fputs("usage: make_payer_file FILE [COUNT]\n", stderr);
        return EXIT_FAILURE;
    }
    const std::string file = argv[1];
    const int count = argc == 3 ? std::atoi(argv[2]) : 100000;
    std::filesystem::remove(file);
    {
        kvitok::PayerStore store; // the table exactly as the program makes it
        if (const kvitok::Result<> opened = store.Open(file); !opened) {
            std::fprintf(stderr, "%s\n", opened.Reason().c_str());
            return EXIT_FAILURE;
        }
    }

    std::mt19937 random(25);
    const std::vector<std::string> names = kvitok::bench::PayerNames(random, static_cast<std::size_t>(count));

    const std::string_view streets[] = {"Ленина"_cp, "Советская"_cp,  "Мира"_cp,     "Садовая"_cp,
                                        "Лесная"_cp, "Зорвенская"_cp, "Ольмская"_cp, "Набережная"_cp};
    kvitok::DbConnection db;
    db.openFile(file);
    kvitok::DbTransaction transaction(db);
    kvitok::DbPreparedStatement insert =
        db.prepare("insert into insurers(name,address,status,kbk,inn,regnumber,snils,oktmo) "
                   "values(?,?,?,?,?,?,?,?);");
    for (const std::string& name : names) {
        insert.bindText(1, name);
        insert.bindText(2, std::string("г. Ольмск, ул. "_cp) +
                               std::string(streets[random() % std::size(streets)]) + std::string(", д. "_cp) +
                               std::to_string(1 + random() % 120) + std::string(", кв. "_cp) +
                               std::to_string(1 + random() % 300));
        insert.bindInt(3, 1 + static_cast<int>(random() % 6));
        insert.bindInt(4, static_cast<int>(random() % 8));
        insert.bindText(5, Digits(random, 12));
        insert.bindText(6, Digits(random, 3) + "-" + Digits(random, 3) + "-" + Digits(random, 6));
        insert.bindText(7, Digits(random, 3) + "-" + Digits(random, 3) + "-" + Digits(random, 3) + " " +
                               Digits(random, 2));
        insert.bindInt(8, static_cast<int>(random() % 20));
        insert.runCommand();
    }
    transaction.Commit();
    std::printf("%zu payers in %s\n", names.size(), file.c_str());
    return EXIT_SUCCESS;
}
