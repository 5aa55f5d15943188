#pragma once

#include "WindowPort.h"
#include "form/ControlSync.h"

#include <QDialog>
#include <QTimer>

#include <functional>
#include <map>

class QKeyEvent;
class QPushButton;

namespace kvitok {

// The Qt window of MainDialog: its widgets are made from the form table and reached by the
// control sync through a WindowPort. The window turns Qt's signals and events into the sync's
// calls and handles Qt's own quirks; everything else is the sync's.
class MainWindow : public QDialog {
public:
    explicit MainWindow(MainDialog& dialog, QWidget* parent = nullptr);

    // The dialog's initialisation, while the window is still hidden. While the about box waits
    // for the person, the payer names are read and go into their list between the box's events.
    void Start();
    // Shows the models in the widgets (only what changed since the last time).
    void Refresh() { m_sync.Refresh(); }

    // The widget of a control id of the dialog template, nullptr for an unknown id.
    QWidget* Control(int id);

protected:
    void reject() override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Bind(const FormControl& control);
    int IdOf(const QObject* widget) const;
    // True when the key opened the picker's calendar.
    static bool OpenCalendarOnKey(QWidget* picker, const QKeyEvent& key);
    // Runs once Qt has finished its own handling of the event (the picked date is set, the
    // click has placed the caret), as a notification comes after it.
    void Later(std::function<void()> call);
    void ShowAhead();
    // The focus on the dialog's first control, as a dialog starts; a button given it so does not
    // take Enter from the default button until the person moves the focus away and back.
    void FocusFirstControl();
    // The form's widgets, made from the table once: while the about box waits at start, or when
    // first written to, whichever comes first. The box comes on screen before them.
    void MakeForm();
    // Room for the form's texts where its font needs more (DialogBuilder's FitTexts), once.
    void FitTextsOnce();

    std::map<int, QWidget*> m_widgets;
    WindowPort m_port;
    // The widgets whose focus or hiding the sync hears of: edits with a focus handler, and the
    // calendars (made on the first press, as a calendar costs the start its icons).
    std::map<QObject*, int> m_focusWatched;
    std::map<QObject*, int> m_calendars;
    QPushButton* m_focusedFirst = nullptr; // the first control while it keeps the start's focus
    bool m_textsFit = false;
    ControlSync m_sync;
    QTimer m_showAhead;
};

} // namespace kvitok
