#include "QtPlatform.h"

#include "AboutDialog.h"
#include "TextBridge.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

#include <memory>

namespace kvitok {

MessageAnswer QtMessageBoxes::Show(const std::string& text, MessageIcon icon, MessageButtons buttons) {
    if (m_beforeShow) {
        m_beforeShow();
    }
    QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
    switch (icon) {
    case MessageIcon::None:
        break;
    case MessageIcon::Information:
        qtIcon = QMessageBox::Information;
        break;
    case MessageIcon::Warning:
        qtIcon = QMessageBox::Warning;
        break;
    case MessageIcon::Error:
        qtIcon = QMessageBox::Critical;
        break;
    }
    const bool withCancel = buttons == MessageButtons::OkCancel;
    QMessageBox box(qtIcon, QCoreApplication::applicationName(), FromCp1251(text),
                    withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    box.exec();
    if (!withCancel) {
        return MessageAnswer::Ok;
    }
    return box.clickedButton() == box.button(QMessageBox::Ok) ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

namespace {

// The patterns are written the way the form's users know them ("*.html;*.htm", "*.*"); the file
// list gets the same meaning on Linux: "*.*" is every file.
QStringList FilterPatterns(const FileFilter& filter) {
    QStringList patterns =
        QString::fromLatin1(filter.patterns.data(), static_cast<qsizetype>(filter.patterns.size()))
            .split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
        if (pattern == QLatin1String("*.*")) {
            pattern = QStringLiteral("*");
        }
    }
    return patterns;
}

} // namespace

std::optional<std::u16string> QtSaveFileDialog::AskSavePath(const std::string& initialName,
                                                            std::span<const FileFilter> offered) {
    QFileDialog dialog(m_parent);
    dialog.setWindowTitle(QCoreApplication::applicationName());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QStringList filters;
    for (const FileFilter& filter : offered) {
        filters << FromCp1251(std::string(filter.name));
    }
    dialog.setNameFilters(filters);
    const QFileInfo initial(FromCp1251(initialName));
    dialog.setDirectory(initial.absolutePath());
    dialog.selectFile(initial.fileName());

    auto* model = dialog.findChild<QFileSystemModel*>();
    const auto applyFilter = [model, offered, filters](const QString& chosen) {
        const qsizetype index = filters.indexOf(chosen);
        if (model != nullptr && index >= 0) {
            model->setNameFilters(FilterPatterns(offered[static_cast<std::size_t>(index)]));
        }
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, applyFilter);
    if (!filters.isEmpty()) {
        applyFilter(filters.front());
    }

    // Choosing a filter must not rename the file: the dialog would put the filter's first
    // suffix in place of the typed one ("kvt.*" for every file, "kvt.htm" for HTML). The name
    // is remembered while the filter list is not in use and put back after a choice there.
    auto* nameEdit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* filterList = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    if (nameEdit != nullptr && filterList != nullptr) {
        auto typedName = std::make_shared<QString>(nameEdit->text());
        QObject::connect(
            nameEdit, &QLineEdit::textChanged, &dialog, [filterList, typedName](const QString& text) {
                if (filterList->window()->focusWidget() != filterList && !filterList->view()->isVisible()) {
                    *typedName = text;
                }
            });
        QObject::connect(filterList, &QComboBox::activated, &dialog, [nameEdit, typedName] {
            if (nameEdit->text() != *typedName) {
                nameEdit->setText(*typedName);
            }
        });
    }

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString path = QDir::toNativeSeparators(dialog.selectedFiles().front());
    return std::u16string(reinterpret_cast<const char16_t*>(path.utf16()),
                          static_cast<std::size_t>(path.size()));
}

QtShell::~QtShell() {
    // An opener still waiting for its program goes with the window; the program stays.
    for (QProcess* opener : m_openers.findChildren<QProcess*>()) {
        opener->disconnect();
        opener->kill();
        opener->waitForFinished(1000);
    }
}

void QtShell::OpenInDefaultProgram(const std::string& path, Failed failed) {
    // Some desktops' openers wait for the program they start: an end long after is the
    // program's own, not a failure to open.
    constexpr qint64 kOpenerFailsWithin = 30000;
    auto* opener = new QProcess(&m_openers);
    QElapsedTimer started;
    started.start();
    QObject::connect(
        opener, &QProcess::errorOccurred, opener, [opener, failed](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) {
                failed(Failure {
                    ToCp1251(QStringLiteral("не найдена программа xdg-open, которая открывает файлы"))
                        .value_or(std::string())});
                opener->deleteLater();
            }
        });
    QObject::connect(
        opener, &QProcess::finished, opener,
        [opener, failed, started](int code, QProcess::ExitStatus status) {
            if ((status != QProcess::NormalExit || code != 0) && started.elapsed() < kOpenerFailsWithin) {
                // xdg-open ends with 3 when no program takes the file.
                const QString why =
                    status != QProcess::NormalExit ? QStringLiteral("xdg-open завершилась аварийно")
                    : code == 3 ? QStringLiteral("нет программы, которая открывает такие файлы")
                                : QStringLiteral("xdg-open завершилась с кодом %1").arg(code);
                failed(Failure {ToCp1251(why).value_or(std::string())});
            }
            opener->deleteLater();
        });
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    opener->start(QStringLiteral("xdg-open"), {QFileInfo(FromCp1251(path)).absoluteFilePath()});
}

void QtAboutBox::ShowAbout() {
    AboutDialog about(m_parent);
    about.exec();
}

} // namespace kvitok
