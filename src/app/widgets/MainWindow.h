#pragma once

#include "app/SingleInstanceGuard.h"
#include "exchange/ServerExchange.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class BusyWindow;
class MainPicture;
class Prompts;
class QLabel;
class QListView;
class QPlainTextEdit;
class QTimer;
class ReplyLinesModel;
class FocusMarkedButton;

// The main menu window. It owns the one server exchange and shows it (reply
// pane, request pane, and the status line in the caption of the product
// button's shadow), reports the link state in the status label, opens the
// product and customer label windows and the settings dialog, and carries the
// single-instance guard. Each control's objectName is its design name.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    // Makes a label window as a top-level window owned by parent.
    using WindowFactory = std::function<QWidget *(QWidget *parent)>;

    static constexpr char guardMutex[] = "2009/10/22-mutex";
    static constexpr char guardMessage[] = "2009/10/22-message";

    // Where the single-instance guard keeps its lock and how it shows its
    // notice; the defaults are the guard's own place and a plain message box.
    struct GuardOptions {
        QString directory;
        SingleInstanceGuard::Notice notice;
    };

    // Creating the window runs the single-instance guard; when the guard
    // then reports another instance, the caller ends without showing anything.
    MainWindow(const QString &programDir, Prompts &prompts, GuardOptions guard = {}, QWidget *parent = nullptr);
    ~MainWindow() override;

    QString programDir() const { return programDir_; }
    ServerExchange &exchange() { return *exchange_; }
    BusyWindow &busyWindow() { return *busyWindow_; }

    // The settings dialog, shown by settingsButton; liveSettings reads its server,
    // branch and password fields at each exchange.
    void setSettingsDialog(QDialog *form, ServerExchange::SettingsSource liveSettings);
    QDialog *settingsDialog() const { return settingsDialog_; }
    // Until a factory is given, its button stays disabled.
    void setProductWindowFactory(WindowFactory factory);
    void setCustomerWindowFactory(WindowFactory factory);
    QWidget *productWindow() const { return productWindow_; }
    QWidget *customerWindow() const { return customerWindow_; }

    // Runs once before the window is first shown: the link test, then the status label
    // and the focus tell the user whether the server answers.
    void testLinkAndShowState();

    SingleInstanceGuard *const singleInstanceGuard;
    QLabel *const bannerPanel;
    QLabel *const versionLabel;
    QLabel *const statusLabel;
    MainPicture *const picture;
    // Black panels behind the four buttons; the product button's carries the
    // exchange status line, mostly hidden behind the button.
    QLabel *const exitShadow;
    QLabel *const exchangeStatusPanel;
    QLabel *const customerShadow;
    QLabel *const settingsShadow;
    FocusMarkedButton *const exitButton;
    FocusMarkedButton *const productLabelsButton;
    FocusMarkedButton *const customerLabelsButton;
    FocusMarkedButton *const settingsButton;
    QLabel *const messagePanel;
    QLabel *const replyCaption;
    QLabel *const requestCaption;
    QListView *const replyPane;
    QPlainTextEdit *const requestPane;
    QLabel *const creditLabel;
    // Destroys the product window a moment after it has closed.
    QTimer *const productWindowTimer;

public Q_SLOTS:
    // The product window's close: it is destroyed 500 ms later unless shown again by then.
    void productWindowClosed();
    void setStatusLabel(const QString &text);
    // Label8 after an exchange: the branch and "與主機連線正常", or the request to set up the link.
    void showLinkState(bool linked);

    void onOpenProductLabels();
    void onOpenCustomerLabels();
    void onOpenSettings();
    void onExit();
    void destroyClosedProductWindow();

private:
    void nameControls();
    void showCreditOrPicture(Prompts &prompts);
    void loadGuard(GuardOptions guard);
    void layOut();
    void connectExchange();
    void openWindow(QPointer<QWidget> &window, const WindowFactory &factory, const char *name);
    void wakeUp();

    QString programDir_;
    ServerExchange::SettingsSource liveSettings_;
    ServerExchange *const exchange_;
    ReplyLinesModel *const replyModel_;
    BusyWindow *const busyWindow_;
    QPointer<QDialog> settingsDialog_;
    WindowFactory productFactory_;
    WindowFactory customerFactory_;
    QPointer<QWidget> productWindow_;
    QPointer<QWidget> customerWindow_;
    // Set once an exchange has ended other than by the user's cancel.
    bool linkKnown_ = false;
};
