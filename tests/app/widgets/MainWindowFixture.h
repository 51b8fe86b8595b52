#pragma once

#include "app/widgets/MainWindow.h"
#include "common/RecordingPrompts.h"
#include "components/Clock.h"
#include "components/DateFormats.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QListView>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <gtest/gtest.h>
#include <memory>

// The lines a memo pane shows, as the user reads them.
inline QStringList memoLines(const QListView *memo)
{
    QStringList lines;
    const QAbstractItemModel *model = memo->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        lines << model->index(row, 0).data().toString();
    }
    return lines;
}

// Stands in for a label window: closing it hides it and tells whoever listens.
class StandInLabelWindow : public QWidget
{
public:
    explicit StandInLabelWindow(QWidget *parent)
        : QWidget(parent, Qt::Window)
    {
        resize(200, 100);
    }

    std::function<void()> onClose;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        event->accept();
        if (onClose) {
            onClose();
        }
    }
};

// A main window in a fresh program directory with its own guard directory, a
// stand-in settings dialog whose fields are `link`, and stand-in label windows.
class MainWindowTest : public ::testing::Test
{
protected:
    MainWindowTest() { DateFormats::useLabelWindowFormats(); }

    void createForm()
    {
        form = std::make_unique<MainWindow>(programDir.path(), prompts, guardOptions());
        form->exchange().setClock(clock);
        settingsDialog = new QDialog(form.get());
        form->setSettingsDialog(settingsDialog, [this] { return link; });
        form->setProductWindowFactory([this](QWidget *parent) {
            auto *window = new StandInLabelWindow(parent);
            window->onClose = [this] { form->productWindowClosed(); };
            ++productWindowsMade;
            return window;
        });
        form->setCustomerWindowFactory([this](QWidget *parent) {
            ++customerWindowsMade;
            return new StandInLabelWindow(parent);
        });
    }

    // Closes the settings dialog as soon as it runs modally, noting that it did.
    void closeSettingsWhenShownModally(QTimer &watcher, bool &shown)
    {
        QObject::connect(&watcher, &QTimer::timeout, settingsDialog, [this, &shown] {
            if (QApplication::activeModalWidget() == settingsDialog) {
                shown = true;
                settingsDialog->accept();
            }
        });
        watcher.start(10);
    }

    // The guard in its own directory, its notices recorded.
    MainWindow::GuardOptions guardOptions()
    {
        return {guardDirectory.path(),
                [this](const QString &title, const QString &text) { guardNotices << title + QLatin1Char('|') + text; }};
    }

    QTemporaryDir programDir;
    QTemporaryDir guardDirectory;
    RecordingPrompts prompts;
    QStringList guardNotices;
    LinkSettings link{QByteArray(), "01", "1234"};
    FixedClock clock{QDateTime(QDate(2026, 12, 10), QTime(9, 5, 7))};
    std::unique_ptr<MainWindow> form;
    QDialog *settingsDialog = nullptr;
    int productWindowsMade = 0;
    int customerWindowsMade = 0;
};
