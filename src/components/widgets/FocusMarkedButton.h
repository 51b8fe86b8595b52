#pragma once

#include <QColor>
#include <QPushButton>

// The program's push button. While it has the keyboard focus the area between
// its frame and an inner ellipse (or rounded rectangle) is painted in
// FocusColor instead of the style's focus frame, so the focused button stands
// out in windows that are worked from the keyboard.
class FocusMarkedButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QColor FocusColor READ focusColor WRITE setFocusColor)
    Q_PROPERTY(int FocusSize READ focusSize WRITE setFocusSize)
    Q_PROPERTY(FocusShape focusType READ focusType WRITE setFocusType)
    Q_PROPERTY(QString PassStr READ passStr WRITE setPassStr)

public:
    enum class FocusShape { RoundRect, Ellipse };
    Q_ENUM(FocusShape)

    explicit FocusMarkedButton(QWidget *parent = nullptr);
    explicit FocusMarkedButton(const QString &caption, QWidget *parent = nullptr);

    QColor focusColor() const { return focusColor_; }
    void setFocusColor(const QColor &color);
    // Inset of the mark's outline from the edges, in pixels. A value larger
    // than the button is set back to 1 when the mark is next drawn.
    int focusSize() const { return focusSize_; }
    void setFocusSize(int size);
    FocusShape focusType() const { return focusType_; }
    void setFocusType(FocusShape type);
    // Free text kept with the button; the button itself never reads it.
    QString passStr() const { return passStr_; }
    void setPassStr(const QString &text) { passStr_ = text; }

    // A strip of numGlyphs equal squares side by side: the first is shown
    // normally, the second while the button is disabled. With one glyph the
    // disabled look is derived from it.
    void setGlyph(const QPixmap &strip, int numGlyphs = 2);

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void drawFocusMark(QPainter &painter);

    QColor focusColor_{0, 255, 0};
    int focusSize_ = 3;
    FocusShape focusType_ = FocusShape::Ellipse;
    QString passStr_;
    bool focused_ = false;
};
