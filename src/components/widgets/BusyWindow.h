#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

class QLabel;
class FocusMarkedButton;

// Work that keeps the program waiting (a server exchange, a long import or
// export) runs between begin() and end() while the calling code waits in a
// local event loop. Meanwhile the cursor is an hourglass and no window of the
// program but this one takes mouse or keyboard input, so nothing re-enters
// the waiting code. If the work lasts longer than showDelayMs, this modal
// window appears with the caller's progress text, the time elapsed and a
// Cancel button; Cancel, Esc and the close box all emit cancelRequested().
class BusyWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr int showDelayMs = 300;

    explicit BusyWindow(QWidget *parent = nullptr);
    ~BusyWindow() override;

    void begin(const QString &title, const QString &progressText = QString());
    void setProgressText(const QString &text);
    void end();
    bool isActive() const { return active_; }

    QLabel *const progressLabel;
    QLabel *const elapsedLabel;
    FocusMarkedButton *const cancelButton;

Q_SIGNALS:
    void cancelRequested();

protected:
    void reject() override;
    void closeEvent(QCloseEvent *event) override;

private:
    class InputBlocker;

    void reveal();
    void showElapsed();
    void requestCancel();

    bool active_ = false;
    QElapsedTimer elapsed_;
    QTimer showTimer_;
    QTimer elapsedTimer_;
    InputBlocker *blocker_;
};
