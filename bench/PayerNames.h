#pragma once

// The payers of the benchmarks: every family name with every given name and patronymic, men's
// and women's, in the random order in which a database returns them. make_payer_file writes them
// to a payer file; the search benchmark puts them in a list.
#include "text/Cp1251Literal.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace kvitok::bench {

struct Person {
    std::vector<std::string> family, given, patronymic;
};

inline std::vector<std::string> Texts(std::initializer_list<std::string_view> texts) {
    return {texts.begin(), texts.end()};
}

inline Person Men() {
    return {
        Texts({"Иванов"_cp,   "Смирнов"_cp,  "Кузнецов"_cp,   "Попов"_cp,    "Васильев"_cp, "Петров"_cp,
               "Соколов"_cp,  "Михайлов"_cp, "Новиков"_cp,    "Фёдоров"_cp,  "Морозов"_cp,  "Волков"_cp,
               "Алексеев"_cp, "Лебедев"_cp,  "Семёнов"_cp,    "Егоров"_cp,   "Павлов"_cp,   "Козлов"_cp,
               "Степанов"_cp, "Николаев"_cp, "Орлов"_cp,      "Андреев"_cp,  "Макаров"_cp,  "Никитин"_cp,
               "Захаров"_cp,  "Зайцев"_cp,   "Соловьёв"_cp,   "Борисов"_cp,  "Яковлев"_cp,  "Григорьев"_cp,
               "Романов"_cp,  "Воробьёв"_cp, "Сергеев"_cp,    "Ёлкин"_cp,    "Фролов"_cp,   "Александров"_cp,
               "Дмитриев"_cp, "Королёв"_cp,  "Гусев"_cp,      "Киселёв"_cp,  "Ильин"_cp,    "Максимов"_cp,
               "Поляков"_cp,  "Сорокин"_cp,  "Виноградов"_cp, "Ковалёв"_cp,  "Белов"_cp,    "Медведев"_cp,
               "Антонов"_cp,  "Тарасов"_cp,  "Жуков"_cp,      "Баранов"_cp,  "Филиппов"_cp, "Комаров"_cp,
               "Давыдов"_cp,  "Беляев"_cp,   "Герасимов"_cp,  "Богданов"_cp, "Осипов"_cp,   "Сидоров"_cp}),
        Texts({"Александр"_cp, "Алексей"_cp, "Андрей"_cp,   "Антон"_cp,   "Артём"_cp,     "Борис"_cp,
               "Вадим"_cp,     "Валерий"_cp, "Василий"_cp,  "Виктор"_cp,  "Владимир"_cp,  "Вячеслав"_cp,
               "Геннадий"_cp,  "Георгий"_cp, "Григорий"_cp, "Денис"_cp,   "Дмитрий"_cp,   "Евгений"_cp,
               "Егор"_cp,      "Иван"_cp,    "Игорь"_cp,    "Илья"_cp,    "Кирилл"_cp,    "Константин"_cp,
               "Максим"_cp,    "Михаил"_cp,  "Никита"_cp,   "Николай"_cp, "Олег"_cp,      "Павел"_cp,
               "Пётр"_cp,      "Роман"_cp,   "Семён"_cp,    "Сергей"_cp,  "Станислав"_cp, "Степан"_cp,
               "Тимур"_cp,     "Фёдор"_cp,   "Юрий"_cp,     "Ярослав"_cp}),
        Texts(
            {"Александрович"_cp, "Алексеевич"_cp,     "Андреевич"_cp,     "Антонович"_cp,  "Борисович"_cp,
             "Вадимович"_cp,     "Валерьевич"_cp,     "Васильевич"_cp,    "Викторович"_cp, "Владимирович"_cp,
             "Геннадьевич"_cp,   "Георгиевич"_cp,     "Григорьевич"_cp,   "Денисович"_cp,  "Дмитриевич"_cp,
             "Евгеньевич"_cp,    "Егорович"_cp,       "Иванович"_cp,      "Игоревич"_cp,   "Ильич"_cp,
             "Кириллович"_cp,    "Константинович"_cp, "Максимович"_cp,    "Михайлович"_cp, "Никитич"_cp,
             "Николаевич"_cp,    "Олегович"_cp,       "Павлович"_cp,      "Петрович"_cp,   "Романович"_cp,
             "Семёнович"_cp,     "Сергеевич"_cp,      "Станиславович"_cp, "Степанович"_cp, "Тимурович"_cp,
             "Фёдорович"_cp,     "Юрьевич"_cp,        "Ярославович"_cp,   "Аркадьевич"_cp, "Львович"_cp})};
}

// The same families in their feminine forms, with women's names and patronymics.
inline Person Women(const Person& men) {
    Person women;
    for (const std::string& family : men.family) {
        const bool feminine = family.ends_with("н"_cp) || family.ends_with("в"_cp);
        women.family.push_back(feminine ? family + std::string("а"_cp) : family);
    }
    women.given =
        Texts({"Александра"_cp, "Алёна"_cp,     "Алла"_cp,   "Анастасия"_cp, "Анна"_cp,    "Валентина"_cp,
               "Вера"_cp,       "Виктория"_cp,  "Галина"_cp, "Дарья"_cp,     "Евгения"_cp, "Елена"_cp,
               "Ёлка"_cp,       "Екатерина"_cp, "Жанна"_cp,  "Зинаида"_cp,   "Зоя"_cp,     "Ирина"_cp,
               "Карина"_cp,     "Ксения"_cp,    "Лариса"_cp, "Лидия"_cp,     "Любовь"_cp,  "Людмила"_cp,
               "Маргарита"_cp,  "Марина"_cp,    "Мария"_cp,  "Надежда"_cp,   "Наталья"_cp, "Нина"_cp,
               "Оксана"_cp,     "Ольга"_cp,     "Полина"_cp, "Светлана"_cp,  "София"_cp,   "Тамара"_cp,
               "Татьяна"_cp,    "Ульяна"_cp,    "Юлия"_cp,   "Яна"_cp});
    for (std::string patronymic : men.patronymic) {
        if (patronymic.ends_with("ич"_cp)) {
            patronymic.resize(patronymic.size() - 2);
            patronymic +=
                patronymic.ends_with("Иль"_cp) || patronymic.ends_with("Никит"_cp) ? "ична"_cp : "на"_cp;
        }
        women.patronymic.push_back(patronymic);
    }
    return women;
}

// The first `count` names in the order `random` shuffles them into; every name is distinct.
inline std::vector<std::string> PayerNames(std::mt19937& random, std::size_t count) {
    const Person men = Men();
    const Person women = Women(men);
    std::vector<std::string> names;
    for (const Person* people : {&men, &women}) {
        for (const std::string& family : people->family) {
            for (const std::string& given : people->given) {
                for (const std::string& patronymic : people->patronymic) {
                    names.push_back(family + " " + given + " " + patronymic);
                }
            }
        }
    }
    std::shuffle(names.begin(), names.end(), random);
    names.resize(std::min(names.size(), count));
    return names;
}

} // namespace kvitok::bench
