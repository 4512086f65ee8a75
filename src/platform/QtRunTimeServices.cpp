#include "platform/QtRunTimeServices.h"

#include <QApplication>
#include <QDateTime>
#include <QFont>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

namespace calbrine {
namespace {

std::function<void()> endProgramAction;
std::function<int(QDialog&)> modalRunner;

// The time with seconds in the user's own order and separators.
QString TimeFormatWithSeconds(const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1Char('s'))) {
        const int minutes = format.indexOf(QStringLiteral("mm"));
        if (minutes >= 0) {
            format.insert(minutes + 2, QStringLiteral(":ss"));
        }
    }
    return format;
}

}  // namespace

void QtRunTimeServices::ShowMessage(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
    RunModal(box);
}

std::size_t QtRunTimeServices::AskChoice(const std::string& text, const std::string& title,
                                         const std::vector<std::string>& choices) {
    QMessageBox box(QMessageBox::Question, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    std::vector<QAbstractButton*> buttons;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const bool last = i + 1 == choices.size();
        buttons.push_back(box.addButton(QString::fromStdString(choices[i]),
                                        last ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
    }
    if (!buttons.empty()) {
        box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
        box.setEscapeButton(buttons.back());
    }
    RunModal(box);
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    return chosen != buttons.end() ? static_cast<std::size_t>(chosen - buttons.begin())
                                   : (choices.empty() ? 0 : choices.size() - 1);
}

void QtRunTimeServices::Beep() {
    QApplication::beep();
}

std::string QtRunTimeServices::GeneralDateText() {
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    return (locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
            locale.toString(now.time(), TimeFormatWithSeconds(locale)))
        .toStdString();
}

void InstallQtRunTimeServices() {
    static QtRunTimeServices services;
    InstallRunTimeServices(&services);
    // Faces named by the windows, mapped to metric-compatible faces found on Linux.
    QFont::insertSubstitutions(QStringLiteral("Microsoft Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif")});
}

void EndProgram() {
    if (endProgramAction) {
        endProgramAction();
        return;
    }
    // Closing the windows may lead back here through their close handlers.
    static bool ending = false;
    if (ending) {
        return;
    }
    ending = true;
    QApplication::closeAllWindows();
    QApplication::exit(0);
    ending = false;
}

void SetEndProgramAction(std::function<void()> action) {
    endProgramAction = std::move(action);
}

int RunModal(QDialog& dialog) {
    return modalRunner ? modalRunner(dialog) : dialog.exec();
}

void SetModalRunner(std::function<int(QDialog&)> runner) {
    modalRunner = std::move(runner);
}

}  // namespace calbrine
