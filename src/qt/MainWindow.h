#pragma once

#include "form/MainDialog.h"

#include <QDialog>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace kvitok {

class Cp1251Validator;

// The Qt view of MainDialog. Each widget is bound to its model: a user action copies the
// widget's state into the model and runs the handler, then every widget the handler changed
// is refreshed under a signal blocker, so values written by the program raise no handler.
class MainWindow : public QDialog {
public:
    explicit MainWindow(MainDialog& dialog, QWidget* parent = nullptr);

    // Shows the models in the widgets (only what changed since the last time).
    void Refresh();

    // The widget of a control id of the dialog template, nullptr for an unknown id.
    QWidget* Control(int id) const;

protected:
    void reject() override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct EditBinding {
        QLineEdit* widget;
        Cp1251Validator* validator;
        EditModel* model;
        EditModel shown;
    };
    struct ListBinding {
        QComboBox* widget;
        ListModel* model;
        std::vector<std::string> rows;
        int selected = -1;
        std::string editText;
        bool enabled = true;
    };
    struct DateBinding {
        QDateEdit* widget;
        DatePickerModel* model;
        DatePickerModel shown;
        QWidget* popup = nullptr; // made on the first press: a calendar costs the start its icons
        std::function<void()> onCloseup;
    };

    using Handler = std::function<void()>;

    void BindEdit(int id, EditModel& model, Handler onChange, bool digitsOnly);
    void BindList(int id, ListModel& model, Handler onSelchange);
    void BindDate(int id, DatePickerModel& model, Handler onCloseup);
    void BindButton(int id, Handler onClick);
    void RunHandler(const std::function<void()>& handler);
    void ReadEdit(EditBinding& binding);
    void ShowEdit(EditBinding& binding, bool force);
    void ShowList(ListBinding& binding, bool force);
    void ShowDate(DateBinding& binding, bool force);
    void WatchCalendar(DateBinding& binding);

    MainDialog& m_dialog;
    std::map<int, QWidget*> m_widgets;
    std::deque<EditBinding> m_edits;
    std::deque<ListBinding> m_lists;
    std::deque<DateBinding> m_dates;
    std::map<QObject*, Handler> m_focusHandlers;
    bool m_shownOnce = false;
};

} // namespace kvitok
