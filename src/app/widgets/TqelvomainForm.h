#pragma once

#include "app/ServerExchange.h"
#include "app/SingleInstanceGuard.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class BusyWindow;
class MainPicture;
class Prompts;
#include <QDialog>
class QLabel;
class QListView;
class QPlainTextEdit;
class QTimer;
class ReplyLinesModel;
class FocusMarkedButton;

// The main menu window. It owns the one server exchange and shows it (reply
// pane Memo1, request pane Memo2, status line in Panel3's caption), reports
// the link state in Label8, opens the product and customer label windows and
// the settings dialog, and carries the single-instance guard.
class TqelvomainForm : public QWidget
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

    // Creating the window runs the single-instance guard; when OneInstComp1
    // then reports another instance, the caller ends without showing anything.
    TqelvomainForm(const QString &programDir, Prompts &prompts, GuardOptions guard = {}, QWidget *parent = nullptr);
    ~TqelvomainForm() override;

    QString programDir() const { return programDir_; }
    ServerExchange &exchange() { return *exchange_; }
    BusyWindow &busyWindow() { return *busyWindow_; }

    // The settings dialog, shown by SysButton; liveSettings reads its server,
    // branch and password fields at each exchange.
    void setSettingsForm(QDialog *form, ServerExchange::SettingsSource liveSettings);
    QDialog *settingsForm() const { return settingsForm_; }
    // Until a factory is given, its button stays disabled.
    void setProductWindowFactory(WindowFactory factory);
    void setCustomerWindowFactory(WindowFactory factory);
    QWidget *productWindow() const { return productWindow_; }
    QWidget *customerWindow() const { return customerWindow_; }

    // Runs once before the window is first shown: the link test, then Label8
    // and the focus tell the user whether the server answers.
    void FormShow();

    bool Post(const QString &script) { return exchange_->Post(script); }
    bool LinkTest() { return exchange_->LinkTest(); }

    SingleInstanceGuard *const OneInstComp1;
    QLabel *const Panel1;
    QLabel *const Label4;
    QLabel *const Label8;
    MainPicture *const Image1;
    QLabel *const Panel2;
    QLabel *const Panel3;
    QLabel *const Panel9;
    QLabel *const Panel7;
    FocusMarkedButton *const CloseButton;
    FocusMarkedButton *const PrintSetButton;
    FocusMarkedButton *const custbutton;
    FocusMarkedButton *const SysButton;
    QLabel *const Panel6;
    QLabel *const Label1;
    QLabel *const Label2;
    QListView *const Memo1;
    QPlainTextEdit *const Memo2;
    QLabel *const Label3;
    QTimer *const Timer1;

public Q_SLOTS:
    // The product window's close: it is destroyed 500 ms later unless shown again by then.
    void productWindowClosed();
    void setStatusLabel(const QString &text);
    // Label8 after an exchange: the branch and "與主機連線正常", or the request to set up the link.
    void showLinkState(bool linked);

    void PrintSetButtonClick();
    void custbuttonClick();
    void SysButtonClick();
    void CloseButtonClick();
    void Timer1Timer();

private:
    void FormCreate(Prompts &prompts);
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
    QPointer<QDialog> settingsForm_;
    WindowFactory productFactory_;
    WindowFactory customerFactory_;
    QPointer<QWidget> productWindow_;
    QPointer<QWidget> customerWindow_;
};
