#pragma once

#include <QImage>
#include <QWidget>

class QPainter;

// The main window's picture: a drawing of a barcode label and an addressed
// envelope on a calm gradient, or the store's own picture in its stead.
class MainPicture : public QWidget
{
    Q_OBJECT

public:
    explicit MainPicture(QWidget *parent = nullptr);

    // Shown at its own size from the top-left corner, as a picture made for
    // this window lines up with the buttons over it.
    void setPicture(const QImage &picture);
    bool showsBuiltInPicture() const { return picture_.isNull(); }

    static void drawBuiltIn(QPainter &painter, const QRect &area);
    // A product tag on its string: bars of varied widths over their digits.
    // The string reaches 26 pixels above the card. Also the program's icon.
    static void drawTag(QPainter &painter, const QRectF &card);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage picture_;
};
