#include "AppTestSupport.h"
#include "form/FormTable.h"
#include "form/PortContract.h"
#include "payers/DbConnection.h"
#include "payers/PayerStore.h"
#include "qt/AboutDialog.h"
#include "qt/DialogBuilder.h"
#include "qt/KvitokApp.h"
#include "qt/WindowPort.h"
#include "text/Cp1251Literal.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QComboBox>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace kvitok::testing {

// Takes the place of the desktop's opener: an xdg-open first on the PATH that notes each file it
// is given and ends with `code`.
class FakeOpener {
public:
    explicit FakeOpener(const TempHome& home, int code = 0)
        : m_log(home.Path() / "opened.txt"),
          m_path(std::getenv("PATH") != nullptr ? std::getenv("PATH") : "") {
        const std::filesystem::path bin = home.Path() / "bin";
        std::filesystem::create_directories(bin);
        std::ofstream(bin / "xdg-open")
            << "#!/bin/sh\nprintf '%s\\n' \"$1\" >>'" << m_log.string() << "'\nexit " << code << "\n";
        std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
        setenv("PATH", (bin.string() + ":" + m_path).c_str(), 1);
    }
    FakeOpener(const FakeOpener&) = delete;
    FakeOpener& operator=(const FakeOpener&) = delete;
    ~FakeOpener() { setenv("PATH", m_path.c_str(), 1); }

    // The files opened, once the opener has run.
    std::vector<std::string> Opened() const {
        static_cast<void>(QTest::qWaitFor(
            [this] {
                return std::filesystem::exists(m_log);
            },
            5000));
        QTest::qWait(50);
        std::vector<std::string> files;
        std::ifstream in(m_log);
        for (std::string line; std::getline(in, line);) {
            files.push_back(line);
        }
        return files;
    }

private:
    std::filesystem::path m_log;
    std::string m_path;
};

namespace {

const QString kAboutTitle = QString::fromUtf8("О программе\u00A0 kvitok");

class Window : public ::testing::Test {
public:
    // Starts the program; the about box that opens first is answered with Enter.
    void Start() {
        script.Then([this](QWidget* about) {
            formVisibleDuringAbout = app->Window().isVisible();
            if (auto* stamp = about->findChild<QLineEdit*>()) {
                aboutStamp = stamp->text();
            }
            QTest::keyClick(about->focusWidget() != nullptr ? about->focusWidget() : about, Qt::Key_Return);
        });
        app = std::make_unique<KvitokApp>("insurers.db");
        app->Start();
        ASSERT_TRUE(script.Done()) << "no about box at start";
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&app->Window()));
    }

    template <class T>
    T* Widget(int id) {
        return qobject_cast<T*>(app->Window().Control(id));
    }

    // Moves a drop-down list to `row` with the arrow keys, one row at a time, as a user does.
    void ChooseRow(int id, int row) {
        auto* combo = Widget<QComboBox>(id);
        ASSERT_TRUE(combo->isEnabled()) << id;
        combo->setFocus();
        while (combo->currentIndex() != row) {
            const int before = combo->currentIndex();
            QTest::keyClick(combo, combo->currentIndex() < row ? Qt::Key_Down : Qt::Key_Up);
            ASSERT_NE(combo->currentIndex(), before) << "row " << row << " of " << id;
        }
    }

    // Key presses carrying each character, Cyrillic included.
    static void KeyIn(QWidget* widget, const QString& text) {
        for (const QChar c : text) {
            const Qt::Key key =
                c.isDigit() ? static_cast<Qt::Key>(Qt::Key_0 + c.digitValue()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
        }
    }

    void Type(int id, const QString& text) {
        auto* edit = Widget<QLineEdit>(id);
        ASSERT_TRUE(edit->isEnabled()) << id;
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(2, edit->height() / 2));
        QCoreApplication::processEvents();
        KeyIn(edit, text);
    }

    int KbkRowOf(int number) {
        const auto& numbers = app->Dialog().KbkNumbers();
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            if (numbers[i] == number) {
                return static_cast<int>(i) + 1;
            }
        }
        ADD_FAILURE() << "KBK " << number << " not offered";
        return 0;
    }

    // An entrepreneur's contribution for a year (row 8 is 2016), chosen with the keyboard.
    void FillEntrepreneur(int yearRow = 8) {
        ChooseRow(ControlId::Status, 2);
        ChooseRow(ControlId::Year, yearRow);
        ChooseRow(ControlId::Kbk, KbkRowOf(2));
    }

    void FillCompleteForm() {
        auto* payer = Widget<QComboBox>(ControlId::Payer);
        KeyIn(payer->lineEdit(), QString::fromUtf8("Иванов Иван"));
        Type(ControlId::Address, QString::fromUtf8("Ольмград, ул. Мира, 1"));
        FillEntrepreneur();
        Type(ControlId::Inn, QStringLiteral("500100732259"));
        Type(ControlId::RegNumber, QStringLiteral("123456789012"));
        Type(ControlId::Snils, QStringLiteral("11223344595"));
        ChooseRow(ControlId::Oktmo, 1);
    }

    TempHome home;
    ModalScript script;
    std::unique_ptr<KvitokApp> app;
    bool formVisibleDuringAbout = true;
    QString aboutStamp;
};

TEST_F(Window, StartShowsTheAboutBoxAloneThenTheForm) {
    Start();
    ASSERT_EQ(script.SeenWindows().size(), 1u);
    EXPECT_EQ(script.SeenWindows()[0].title, kAboutTitle);
    EXPECT_FALSE(formVisibleDuringAbout);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[A-Z][a-z]{2} [ 123]\\d \\d{4} \\d\\d:\\d\\d:\\d\\d$"))
                    .match(aboutStamp)
                    .hasMatch())
        << aboutStamp.toStdString();
    EXPECT_TRUE(app->Window().isVisible());
    EXPECT_EQ(app->Window().windowTitle(), QStringLiteral("kvitok"));
    // Nothing is chosen yet, so every switched field is off.
    for (const int id : {ControlId::Snils, ControlId::Inn, ControlId::BirthYear, ControlId::SumRub}) {
        EXPECT_FALSE(app->Window().Control(id)->isEnabled()) << id;
    }

    // The button and the context menu's entry show the same box again.
    script.ThenKey(Qt::Key_Escape);
    QTest::mouseClick(Widget<QPushButton>(ControlId::About), Qt::LeftButton);
    ASSERT_EQ(script.SeenWindows().size(), 2u);
    EXPECT_EQ(script.SeenWindows()[1].title, kAboutTitle);

    QString entry;
    script.Then([&entry](QWidget* menu) {
        entry = menu->actions().value(0) != nullptr ? menu->actions()[0]->text() : QString();
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    script.ThenKey(Qt::Key_Return);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(300, 5),
                                 app->Window().mapToGlobal(QPoint(300, 5)));
    QApplication::sendEvent(&app->Window(), &rightClick);
    EXPECT_EQ(entry, QStringLiteral("&About kvitok..."));
    ASSERT_EQ(script.SeenWindows().size(), 4u);
    EXPECT_EQ(script.SeenWindows()[3].title, kAboutTitle);
}

// Both dialogs are drawn in the desktop's font, small or large: labels, buttons and the build
// stamp show their whole text, and no two controls overlap.
TEST_F(Window, EveryTextFitsItsControlAtAnyFontSize) {
    struct FontBack {
        QFont font = QApplication::font();
        ~FontBack() { QApplication::setFont(font); }
    } original;
    for (const int points : {9, 14, 20}) {
        QFont font = original.font;
        font.setPointSize(points);
        QApplication::setFont(font);
        Start();
        EXPECT_EQ(app->Window().font().pointSize(), points);
        const AboutDialog about;
        for (const QWidget* dialog :
             {static_cast<const QWidget*>(&app->Window()), static_cast<const QWidget*>(&about)}) {
            const QList<QWidget*> controls = dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            for (QWidget* control : controls) {
                const auto* label = qobject_cast<QLabel*>(control);
                const auto* button = qobject_cast<QPushButton*>(control);
                const auto* stamp = qobject_cast<QLineEdit*>(control);
                const QString text = label != nullptr                          ? label->text()
                                     : button != nullptr                       ? button->text()
                                     : stamp != nullptr && stamp->isReadOnly() ? stamp->text()
                                                                               : QString();
                const int margins = button != nullptr ? 4 : stamp != nullptr ? 6 : 0;
                const QRect needed =
                    control->fontMetrics().boundingRect(control->rect().adjusted(0, 0, -margins, 0),
                                                        label != nullptr ? Qt::TextWordWrap : 0, text);
                EXPECT_LE(needed.width() + margins, control->width())
                    << text.toStdString() << " at " << points;
                EXPECT_LE(needed.height(), control->height()) << text.toStdString() << " at " << points;
                for (QWidget* other : controls) {
                    EXPECT_TRUE(other == control || !other->geometry().intersects(control->geometry()));
                }
            }
        }
    }
}

TEST_F(Window, KeyboardChoicesSwitchFieldsAndFillTheSum) {
    Start();
    FillEntrepreneur();
    for (const int id : {ControlId::Snils, ControlId::Inn, ControlId::RegNumber, ControlId::Oktmo,
                         ControlId::SumRub, ControlId::SumKop, ControlId::PeriodFrom, ControlId::PeriodTo,
                         ControlId::FileName, ControlId::Create, ControlId::Browse}) {
        EXPECT_TRUE(app->Window().Control(id)->isEnabled()) << id;
    }
    // 2016 takes neither the birth year nor the income for this code.
    EXPECT_FALSE(app->Window().Control(ControlId::BirthYear)->isEnabled());
    EXPECT_FALSE(app->Window().Control(ControlId::IncomeRub)->isEnabled());
    EXPECT_EQ(Widget<QLineEdit>(ControlId::SumRub)->text(), QStringLiteral("19356"));
    EXPECT_EQ(Widget<QLineEdit>(ControlId::SumKop)->text(), QStringLiteral("48"));
    EXPECT_EQ(Widget<QDateEdit>(ControlId::PeriodFrom)->date(), QDate(2016, 1, 1));
    EXPECT_EQ(Widget<QDateEdit>(ControlId::PeriodTo)->date(), QDate(2016, 12, 31));
    EXPECT_TRUE(script.SeenWindows().size() == 1u) << "no message expected";
}

TEST_F(Window, TypingIntoTheSnilsFieldLaysDigitsIntoTheMask) {
    Start();
    FillEntrepreneur();
    struct Case {
        const char* typed;
        const char* shown;
        int caret;
    };
    const Case cases[] = {
        {"1", "1__-___-___ __", 1},
        {"123", "123-___-___ __", 3},
        {"1234", "123-4__-___ __", 5},
        {"1a2-b", "12_-___-___ __", -1}, // letters and dashes are dropped
        {"112233445950000", "112-233-445 95", 14},
    };
    auto* snils = Widget<QLineEdit>(ControlId::Snils);
    EXPECT_EQ(snils->text(), QString()); // no profile yet: empty until typed into
    for (const Case& c : cases) {
        Type(ControlId::Snils, QString());
        if (!snils->text().isEmpty()) {
            snils->selectAll();
            QTest::keyClick(snils, Qt::Key_Delete);
            EXPECT_EQ(snils->text(), QStringLiteral("___-___-___ __"));
            EXPECT_EQ(snils->cursorPosition(), 0);
        }
        KeyIn(snils, QString::fromLatin1(c.typed));
        EXPECT_EQ(snils->text(), QString::fromLatin1(c.shown)) << c.typed;
        if (c.caret >= 0) {
            EXPECT_EQ(snils->cursorPosition(), c.caret) << c.typed;
        }
        EXPECT_EQ(app->Dialog().Controls().Edit(ControlId::Snils).text, c.shown) << c.typed;
    }

    // Clicking into a field that shows only its mask puts the caret at its start.
    snils->selectAll();
    QTest::keyClick(snils, Qt::Key_Delete);
    Widget<QLineEdit>(ControlId::Inn)->setFocus();
    QTest::mouseClick(snils, Qt::LeftButton, {}, QPoint(snils->width() - 4, snils->height() / 2));
    QCoreApplication::processEvents();
    EXPECT_EQ(snils->cursorPosition(), 0);
}

// Closing the calendar runs the date check: a date outside the chosen year clears the sum.
TEST_F(Window, ClosingTheCalendarChecksTheDate) {
    Start();
    FillEntrepreneur();
    auto* periodTo = Widget<QDateEdit>(ControlId::PeriodTo);
    const auto pick = [&](Qt::Key move, bool byKeyboard) {
        periodTo->setFocus();
        if (byKeyboard) {
            QTest::keyClick(periodTo, Qt::Key_F4);
        } else {
            QTest::mouseClick(periodTo, Qt::LeftButton, {},
                              QPoint(periodTo->width() - 5, periodTo->height() / 2));
        }
        QWidget* popup = periodTo->calendarWidget();
        ASSERT_TRUE(popup->isVisible());
        auto* days = popup->findChild<QAbstractItemView*>();
        ASSERT_NE(days, nullptr);
        QTest::keyClick(days, move);
        QTest::keyClick(days, Qt::Key_Return);
        EXPECT_FALSE(popup->isVisible());
        QCoreApplication::processEvents();
    };
    script.ThenKey(Qt::Key_Return);
    pick(Qt::Key_Right, false); // 1 January 2017
    EXPECT_EQ(periodTo->date(), QDate(2017, 1, 1));
    ASSERT_EQ(script.SeenWindows().size(), 2u);
    EXPECT_EQ(script.SeenWindows()[1].text, QString::fromUtf8("Некорректная дата!"));
    EXPECT_EQ(Widget<QLineEdit>(ControlId::SumRub)->text(), QStringLiteral("0"));
    EXPECT_EQ(Widget<QLineEdit>(ControlId::SumKop)->text(), QStringLiteral("00"));

    pick(Qt::Key_Left, true); // back to 31 December 2016: computed again, no complaint
    EXPECT_EQ(script.SeenWindows().size(), 2u);
    EXPECT_EQ(Widget<QLineEdit>(ControlId::SumRub)->text(), QStringLiteral("19356"));
}

TEST_F(Window, ChoosingAFilterInTheSaveDialogKeepsTheFileName) {
    Start();
    FillEntrepreneur();
    QStringList namesSeen;
    script.Then([&](QWidget* dialog) {
        auto* filters = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(filters != nullptr && name != nullptr);
        filters->setFocus();
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up}) { // every file, then HTML again
            QTest::keyClick(filters, key);
            namesSeen << filters->currentText() + QStringLiteral(": ") + name->text();
        }
        QTest::keyClick(name, Qt::Key_Return);
    });
    QTest::mouseClick(Widget<QPushButton>(ControlId::Browse), Qt::LeftButton);
    ASSERT_TRUE(script.Done());
    EXPECT_EQ(namesSeen, QStringList({QStringLiteral("All Files(*.*): kvt.html"),
                                      QStringLiteral("HTML Files (*.html;*.htm): kvt.html")}));
    EXPECT_TRUE(Widget<QLineEdit>(ControlId::FileName)->text().endsWith(QStringLiteral("/kvt.html")));
}

TEST_F(Window, FieldsRefuseWhatTheyCannotHold) {
    Start();
    FillEntrepreneur(5); // 2013 asks for the birth year
    Type(ControlId::Inn, QStringLiteral("12a34567890123"));
    EXPECT_EQ(Widget<QLineEdit>(ControlId::Inn)->text(), QStringLiteral("123456789012"));
    Type(ControlId::BirthYear, QStringLiteral("x19701"));
    EXPECT_EQ(Widget<QLineEdit>(ControlId::BirthYear)->text().size(), 4);
    Type(ControlId::Address, QString::fromUtf8("Мир Ω 中 €"));
    EXPECT_EQ(Widget<QLineEdit>(ControlId::Address)->text(), QString::fromUtf8("Мир   €"));
    EXPECT_EQ(app->Dialog().Controls().Edit(ControlId::Address).text, std::string("Мир   €"_cp));
    // The person is told at the field which character it was.
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_TRUE(QToolTip::text().contains(QString::fromUtf8("«中»"))) << QToolTip::text().toStdString();
}

TEST_F(Window, EnterOnACompleteFormWritesTheReceipt) {
    const FakeOpener opener(home);
    Start();
    FillCompleteForm();
    ASSERT_EQ(script.SeenWindows().size(), 1u) << script.SeenWindows().back().text.toStdString();
    QTest::keyClick(Widget<QLineEdit>(ControlId::Address), Qt::Key_Return);
    EXPECT_EQ(script.SeenWindows().size(), 1u) << script.SeenWindows().back().text.toStdString();
    std::ifstream in(home.Path() / "kvt.html", std::ios::binary);
    const std::string page {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(page.find("19356"), std::string::npos);
    EXPECT_EQ(opener.Opened(), std::vector<std::string> {(home.Path() / "kvt.html").string()});
    EXPECT_EQ(script.SeenWindows().size(), 1u);
    EXPECT_TRUE(app->Window().isVisible()); // creating does not close the form
}

// An opener that finds no program for the receipt is no silent success: the person is told
// where the file is.
TEST_F(Window, AReceiptNoProgramOpensIsToldWithItsFile) {
    const FakeOpener opener(home, 3);
    Start();
    FillCompleteForm();
    script.ThenKey(Qt::Key_Return);
    QTest::keyClick(Widget<QLineEdit>(ControlId::Address), Qt::Key_Return);
    static_cast<void>(opener.Opened());
    ASSERT_TRUE(QTest::qWaitFor(
        [this] {
            return script.Done();
        },
        5000));
    EXPECT_TRUE(script.SeenWindows().back().text.startsWith(
        QString::fromUtf8("Квитанция записана в файл ") +
        QString::fromStdString((home.Path() / "kvt.html").string()) +
        QString::fromUtf8(", но открыть его не удалось: нет программы")))
        << script.SeenWindows().back().text.toStdString();
    EXPECT_TRUE(std::filesystem::exists(home.Path() / "kvt.html"));
}

// Enter anywhere outside an open list and off the buttons presses "Создать"; with the payer
// missing it complains.
TEST_F(Window, EnterInEveryKindOfControlRunsCreate) {
    Start();
    FillCompleteForm();
    Widget<QComboBox>(ControlId::Payer)->lineEdit()->clear();
    app->Dialog().Controls().List(ControlId::Payer).SetEditText("");
    app->Window().Refresh();
    for (const int id : {ControlId::Address, ControlId::Payer, ControlId::Status, ControlId::Kbk,
                         ControlId::PeriodFrom, ControlId::Snils}) {
        const std::size_t before = script.SeenWindows().size();
        script.ThenKey(Qt::Key_Return);
        QWidget* widget = app->Window().Control(id);
        widget->setFocus();
        QWidget* target = id == ControlId::Payer ? Widget<QComboBox>(id)->lineEdit() : widget;
        QTest::keyClick(target, Qt::Key_Return);
        ASSERT_EQ(script.SeenWindows().size(), before + 1) << id;
        EXPECT_TRUE(script.SeenWindows().back().text.startsWith(QString::fromUtf8("Следующие поля")))
            << id << " " << script.SeenWindows().back().text.toStdString();
        EXPECT_EQ(script.SeenWindows().back().title, QStringLiteral("app_tests"));
    }
}

// The form starts with the focus on its first control, as a dialog does, and "Создать" stays the
// default: Enter right after the about box creates, Space presses the focused button. Once the
// person moves the focus back to that button, it takes Enter too.
TEST_F(Window, StartFocusesTheFirstControlAndEnterStillCreates) {
    std::filesystem::create_directories(home.ProfileFile().parent_path());
    std::ofstream(home.ProfileFile()) << "[kvt_section]\nkvt_stat=2\nkvt_year=8\nkvt_kbk=2\n";
    Start();
    QWidget* about = app->Window().Control(ControlId::About);
    ASSERT_EQ(app->Window().focusWidget(), about);
    for (const auto& [key, opens] :
         {std::pair {Qt::Key_Return, "Следующие поля"}, std::pair {Qt::Key_Space, ""}}) {
        const std::size_t before = script.SeenWindows().size();
        script.ThenKey(Qt::Key_Escape);
        QTest::keyClick(app->Window().focusWidget(), key);
        ASSERT_EQ(script.SeenWindows().size(), before + 1) << key;
        EXPECT_TRUE(*opens == '\0' ? script.SeenWindows().back().title == kAboutTitle
                                   : script.SeenWindows().back().text.startsWith(QString::fromUtf8(opens)))
            << key;
    }
    app->Window().activateWindow(); // the focus moves in the active window only
    ASSERT_TRUE(QTest::qWaitForWindowActive(&app->Window()));
    QTest::keyClick(app->Window().focusWidget(), Qt::Key_Tab);
    QTest::keyClick(app->Window().focusWidget(), Qt::Key_Backtab);
    ASSERT_EQ(app->Window().focusWidget(), about);
    script.ThenKey(Qt::Key_Escape);
    QTest::keyClick(about, Qt::Key_Return);
    EXPECT_EQ(script.SeenWindows().back().title, kAboutTitle);
}

// Enter and Space press the focused button, whichever it is, and only that one.
TEST_F(Window, EnterAndSpacePressTheFocusedButton) {
    Start();
    FillEntrepreneur();
    KeyIn(Widget<QComboBox>(ControlId::Payer)->lineEdit(), QString::fromUtf8("Иванов Иван"));
    struct Case {
        int id;
        const char* opens = nullptr; // the window it opens, or the start of its message
        int payers = -1;             // the payer list's rows afterwards, where the button changes them
        Qt::Key answer = Qt::Key_Escape;
    };
    const Case cases[] = {
        {ControlId::Create, "Следующие поля"},
        {ControlId::Cancel, "Закрыть программу?"},
        {ControlId::About, "QDialog"},
        {ControlId::Browse, "QFileDialog"},
        {ControlId::SavePayer, nullptr, 1},
        {ControlId::DeletePayer, "Удалить плательщика «Иванов Иван» из списка?", 0, Qt::Key_Return},
        {ControlId::HelpYear, "\"Год\""},
        {ControlId::HelpTaxPeriod, "\"Период\""},
        {ControlId::HelpPeriodFrom, "\"Период уплаты с"},
        {ControlId::HelpPeriodTo, "\"Период уплаты по"},
        {ControlId::HelpBirthYear, "\"Год рождения"},
        {ControlId::HelpOktmo, "\"ОКМТО"},
        {ControlId::HelpSum, "\"Сумма\""},
        {ControlId::HelpIncome, "\"Сумма дохода"}};
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        for (const Case& c : cases) {
            const std::size_t before = script.SeenWindows().size();
            if (c.opens != nullptr) {
                script.ThenKey(c.answer);
            }
            app->Window().Control(c.id)->setFocus();
            QTest::keyClick(app->Window().Control(c.id), key);
            ASSERT_EQ(script.SeenWindows().size(), before + (c.opens != nullptr ? 1 : 0))
                << c.id << " " << key;
            if (c.opens != nullptr) {
                const ModalScript::Seen& seen = script.SeenWindows().back();
                EXPECT_TRUE(seen.className == c.opens || seen.text.startsWith(QString::fromUtf8(c.opens)))
                    << c.id;
            }
            if (c.payers >= 0) {
                EXPECT_EQ(Widget<QComboBox>(ControlId::Payer)->count(), c.payers) << c.id << " " << key;
            }
        }
    }
}

// The profile leaves an INN over 12 digits in an enabled field. A pick that this refuses puts
// its list back: the screen keeps the form built for it, and the complaint comes once.
TEST_F(Window, ARefusedPickPutsTheListBack) {
    std::filesystem::create_directories(home.ProfileFile().parent_path());
    std::ofstream(home.ProfileFile()) << "[kvt_section]\nkvt_stat=2\nkvt_year=8\nkvt_kbk=2\n"
                                         "kvt_inn=5001007322590\n";
    Start();
    for (const int id : {ControlId::Status, ControlId::Year, ControlId::Kbk}) {
        Widget<QComboBox>(id)->setFocus();
        const QImage before = app->Window().grab().toImage();
        script.ThenKey(Qt::Key_Return);
        QTest::keyClick(Widget<QComboBox>(id), Qt::Key_Up);
        EXPECT_EQ(script.SeenWindows().back().text, QString::fromUtf8("Введите не более 12 символов.")) << id;
        EXPECT_TRUE(app->Window().grab().toImage() == before) << id;
    }
    EXPECT_EQ(script.SeenWindows().size(), 4u);
}

// Typing a stored name is typing: Enter creates from the form as shown, and leaving the field
// keeps it. Only a pick from the list (here with the arrow keys) loads the payer.
TEST_F(Window, OnlyAPickFromTheListLoadsAStoredPayer) {
    {
        PayerStore store;
        ASSERT_TRUE(store.Open((home.Path() / "insurers.db").string()));
        ASSERT_TRUE(store.Save({std::string("Иванов Иван"_cp), std::string("Хранимый адрес"_cp), 2, 1,
                                "771234567890", "087-654-321098", "123-456-789 01", 3}));
        ASSERT_TRUE(store.Save(
            {std::string("Яковлев Яков"_cp), std::string("Адрес Яковлева"_cp), 2, 1, "", "", "", 3}));
    }
    const FakeOpener opener(home);
    Start();
    FillCompleteForm();
    auto* payer = Widget<QComboBox>(ControlId::Payer);
    auto* address = Widget<QLineEdit>(ControlId::Address);
    const QString typedAddress = address->text();

    payer->setFocus();
    KeyIn(payer->lineEdit(), QStringLiteral(" "));
    QTest::keyClick(payer->lineEdit(), Qt::Key_Backspace); // the exact stored name, typed again
    auto* suggestions = payer->findChild<QCompleter*>(QStringLiteral("suggestions"))->popup();
    ASSERT_TRUE(suggestions->isVisible()); // it is suggested, not taken
    QTest::keyClick(suggestions, Qt::Key_Tab);
    EXPECT_FALSE(suggestions->isVisible());
    EXPECT_EQ(address->text(), typedAddress);
    payer->setFocus();
    script.ThenKey(Qt::Key_Return); // answers a box, should one wrongly open
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(script.SeenWindows().size(), 1u) << script.SeenWindows().back().text.toStdString();
    EXPECT_EQ(address->text(), typedAddress);
    EXPECT_EQ(payer->currentText(), QString::fromUtf8("Иванов Иван"));
    std::ifstream in(home.Path() / "kvt.html", std::ios::binary);
    const std::string page {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(page.find(std::string("Ольмград, ул. Мира, 1"_cp)), std::string::npos);
    EXPECT_EQ(page.find(std::string("Хранимый адрес"_cp)), std::string::npos);
    EXPECT_EQ(opener.Opened().size(), 1u);

    payer->setFocus();
    payer->showPopup();
    payer->view()->setCurrentIndex(payer->model()->index(0, 0));
    QTest::keyClick(payer->view(), Qt::Key_Return);
    EXPECT_EQ(address->text(), QString::fromUtf8("Хранимый адрес"));
    EXPECT_EQ(Widget<QLineEdit>(ControlId::Inn)->text(), QStringLiteral("771234567890"));
    QTest::keyClick(payer, Qt::Key_Down);
    EXPECT_EQ(payer->currentText(), QString::fromUtf8("Яковлев Яков"));
    EXPECT_EQ(address->text(), QString::fromUtf8("Адрес Яковлева"));
}

// Typed letters bring the matching payers up under the field: Down and Enter take one as a pick,
// Esc keeps what was typed, and Enter with none chosen does what it does without the list.
TEST_F(Window, TypedLettersFindAPayer) {
    {
        PayerStore store;
        ASSERT_TRUE(store.Open((home.Path() / "insurers.db").string()));
        ASSERT_TRUE(store.Save(
            {std::string("Иванов Иван"_cp), std::string("Адрес Иванова"_cp), 2, 1, "", "", "", 3}));
        ASSERT_TRUE(store.Save(
            {std::string("Яковлев Яков"_cp), std::string("Адрес Яковлева"_cp), 2, 1, "", "", "", 3}));
    }
    Start();
    FillEntrepreneur(); // so that "Создать" is on
    auto* payer = Widget<QComboBox>(ControlId::Payer);
    app->Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&app->Window()));
    payer->lineEdit()->setFocus();

    KeyIn(payer->lineEdit(), QString::fromUtf8("як"));
    auto* suggestions = payer->findChild<QCompleter*>(QStringLiteral("suggestions"));
    ASSERT_NE(suggestions, nullptr);
    ASSERT_TRUE(suggestions->popup()->isVisible());
    EXPECT_EQ(suggestions->completionModel()->rowCount(), 1);
    QTest::keyClick(suggestions->popup(), Qt::Key_Down);
    QTest::keyClick(suggestions->popup(), Qt::Key_Return);
    EXPECT_FALSE(suggestions->popup()->isVisible());
    EXPECT_EQ(payer->currentText(), QString::fromUtf8("Яковлев Яков"));
    EXPECT_EQ(Widget<QLineEdit>(ControlId::Address)->text(), QString::fromUtf8("Адрес Яковлева"));

    payer->lineEdit()->clear();
    KeyIn(payer->lineEdit(), QString::fromUtf8("ив"));
    ASSERT_TRUE(suggestions->popup()->isVisible());
    QTest::keyClick(suggestions->popup(), Qt::Key_Escape);
    EXPECT_FALSE(suggestions->popup()->isVisible());
    EXPECT_EQ(payer->currentText(), QString::fromUtf8("ив"));
    EXPECT_EQ(script.SeenWindows().size(), 1u); // no close question

    KeyIn(payer->lineEdit(), QString::fromUtf8("а"));
    ASSERT_TRUE(suggestions->popup()->isVisible());
    script.ThenKey(Qt::Key_Return);
    QTest::keyClick(suggestions->popup(), Qt::Key_Return); // none chosen: "Создать", as in the field
    ASSERT_EQ(script.SeenWindows().size(), 2u);
    EXPECT_TRUE(script.SeenWindows().back().text.startsWith(QString::fromUtf8("Следующие поля")));
    EXPECT_EQ(Widget<QLineEdit>(ControlId::Address)->text(), QString::fromUtf8("Адрес Яковлева"));
}

// A long payer file: its names reach the list in the list's order while the about box waits,
// and the form that follows shows the list as the dialog holds it.
TEST_F(Window, PayerNamesReachTheListWhileTheAboutBoxWaits) {
    {
        ASSERT_TRUE(PayerStore().Open((home.Path() / "insurers.db").string()));
        DbConnection db;
        db.openFile((home.Path() / "insurers.db").string());
        db.runCommand("with recursive n(i) as (select 1 union all select i + 1 from n where i < 5000) "
                      "insert into insurers(name) select 'Payer ' || (i * 7919 % 5000) from n;");
    }
    int rowsWhileWaiting = 0;
    script.Then([&](QWidget* about) {
        auto* payer = Widget<QComboBox>(ControlId::Payer);
        static_cast<void>(QTest::qWaitFor(
            [payer] {
                return payer->count() == 5000;
            },
            10000));
        rowsWhileWaiting = payer->count();
        QTest::keyClick(about->focusWidget() != nullptr ? about->focusWidget() : about, Qt::Key_Return);
    });
    app = std::make_unique<KvitokApp>("insurers.db");
    app->Start();
    ASSERT_TRUE(script.Done());
    EXPECT_EQ(rowsWhileWaiting, 5000);
    auto* payer = Widget<QComboBox>(ControlId::Payer);
    const ListModel& list = app->Dialog().Controls().List(ControlId::Payer);
    ASSERT_EQ(payer->count(), list.Count());
    for (int row = 0; row < list.Count(); row += 997) {
        EXPECT_EQ(payer->itemText(row).toStdString(), list.RowText(row)) << row;
    }
    EXPECT_EQ(payer->currentIndex(), -1);
    EXPECT_TRUE(payer->currentText().isEmpty());
}

TEST_F(Window, EscAsksBeforeClosingAndOkSavesTheForm) {
    Start();
    FillEntrepreneur();
    script.ThenKey(Qt::Key_Escape); // the question's Cancel
    QTest::keyClick(Widget<QLineEdit>(ControlId::BirthYear), Qt::Key_Escape);
    ASSERT_EQ(script.SeenWindows().size(), 2u);
    EXPECT_EQ(script.SeenWindows()[1].text, QString::fromUtf8("Закрыть программу?"));
    EXPECT_TRUE(app->Window().isVisible());
    EXPECT_FALSE(std::filesystem::exists(home.ProfileFile()));

    script.ThenKey(Qt::Key_Return); // OK
    app->Window().close();          // the close box asks the same
    ASSERT_EQ(script.SeenWindows().size(), 3u);
    EXPECT_EQ(script.SeenWindows()[2].text, QString::fromUtf8("Закрыть программу?"));
    EXPECT_FALSE(app->Window().isVisible());
    std::ifstream in(home.ProfileFile(), std::ios::binary);
    const std::string profile {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (const char* line : {"[kvt_section]\n", "kvt_stat=2\n", "kvt_year=8\n", "kvt_fromDate=01|01|2016\n",
                             "kvt_filename=kvt.html\n"}) {
        EXPECT_NE(profile.find(line), std::string::npos) << line << profile;
    }
}

// A profile written by hand restores the form as one the program wrote.
TEST_F(Window, HandWrittenProfileRestoresTheForm) {
    std::filesystem::create_directories(home.ProfileFile().parent_path());
    std::ofstream(home.ProfileFile()) << "[kvt_section]\n"
                                         "kvt_insurer=Петров Пётр\n"
                                         "kvt_addr=Ольмград, ул. Садовая, 5\n"
                                         "kvt_stat=2\n"
                                         "kvt_kbk=1\n"
                                         "kvt_inn=500100732259\n"
                                         "kvt_regnum=123-456-789012\n"
                                         "kvt_snils=112-233-445 95\n"
                                         "kvt_bornyear=1970\n"
                                         "kvt_per=1\n"
                                         "kvt_year=8\n"
                                         "kvt_oktmo=1\n"
                                         "kvt_rub=100\n"
                                         "kvt_kop=05\n"
                                         "kvt_revrub=0\n"
                                         "kvt_revkop=00\n"
                                         "kvt_filename=out.html\n"
                                         "kvt_fromDate=15|03|2016\n"
                                         "kvt_toDate=31|12|2016\n";
    Start();
    EXPECT_EQ(Widget<QComboBox>(ControlId::Payer)->currentText(), QString::fromUtf8("Петров Пётр"));
    EXPECT_EQ(Widget<QLineEdit>(ControlId::Address)->text(), QString::fromUtf8("Ольмград, ул. Садовая, 5"));
    EXPECT_EQ(Widget<QComboBox>(ControlId::Status)->currentIndex(), 2);
    EXPECT_EQ(Widget<QComboBox>(ControlId::Year)->currentText(), QStringLiteral("2016"));
    EXPECT_EQ(Widget<QComboBox>(ControlId::Kbk)->currentIndex(), 1);
    EXPECT_EQ(Widget<QComboBox>(ControlId::Oktmo)->currentIndex(), 1);
    EXPECT_EQ(Widget<QLineEdit>(ControlId::Snils)->text(), QStringLiteral("112-233-445 95"));
    EXPECT_EQ(Widget<QLineEdit>(ControlId::SumRub)->text(), QStringLiteral("100"));
    EXPECT_EQ(Widget<QLineEdit>(ControlId::SumKop)->text(), QStringLiteral("05"));
    EXPECT_EQ(Widget<QLineEdit>(ControlId::FileName)->text(), QStringLiteral("out.html"));
    EXPECT_EQ(Widget<QDateEdit>(ControlId::PeriodFrom)->date(), QDate(2016, 3, 15));
}

// The port's primitives on the real widgets, and its quirks: an editable list's line edit, a
// date no picker can show.
TEST(WindowPort, ReadsBackWhatItWrites) {
    QDialog dialog;
    const std::map<int, QWidget*> widgets = BuildDialog(dialog, MainDialogTemplate());
    WindowPort port(widgets);
    ExpectPortReadsBackWhatItWrites(port, CalendarDate {2015, 2, 29, 0, 0, 0}); // no such day
    const auto* oktmo = static_cast<QComboBox*>(widgets.at(ControlId::Oktmo));
    EXPECT_EQ(oktmo->currentText(), QString::fromUtf8("Второй"));
    EXPECT_EQ(oktmo->itemText(4), QString::fromUtf8("Четвёртый"));
    EXPECT_FALSE(oktmo->isEnabled());
}

} // namespace
} // namespace kvitok::testing
