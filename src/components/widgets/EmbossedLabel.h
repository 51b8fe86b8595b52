#pragma once

#include <QColor>
#include <QLabel>

// A label whose caption is drawn three times: a third layer and a second
// layer offset diagonally behind the caption itself, which gives embossed
// letters. Like a classic label it sizes itself to its caption when autoSize
// is on, measuring the caption alone; "&" underlines the next character.
class EmbossedLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QColor Layer2Color READ layer2Color WRITE setLayer2Color)
    Q_PROPERTY(QColor Layer3Color READ layer3Color WRITE setLayer3Color)
    Q_PROPERTY(int Layer2Depth READ layer2Depth WRITE setLayer2Depth)
    Q_PROPERTY(int Layer3Depth READ layer3Depth WRITE setLayer3Depth)
    Q_PROPERTY(bool DrawLayer2 READ drawLayer2 WRITE setDrawLayer2)
    Q_PROPERTY(bool DrawLayer3 READ drawLayer3 WRITE setDrawLayer3)

public:
    explicit EmbossedLabel(QWidget *parent = nullptr);

    QColor layer2Color() const { return layer2Color_; }
    void setLayer2Color(const QColor &color);
    QColor layer3Color() const { return layer3Color_; }
    void setLayer3Color(const QColor &color);
    int layer2Depth() const { return layer2Depth_; }
    void setLayer2Depth(int depth);
    int layer3Depth() const { return layer3Depth_; }
    void setLayer3Depth(int depth);
    bool drawLayer2() const { return drawLayer2_; }
    void setDrawLayer2(bool draw);
    bool drawLayer3() const { return drawLayer3_; }
    void setDrawLayer3(bool draw);

    // The colour of the caption itself (the top layer).
    QColor fontColor() const;
    void setFontColor(const QColor &color);

    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);

    // Hides QLabel::setText (not virtual) so that a new caption resizes the
    // label, as a caption change does on the classic label.
    void setText(const QString &text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int textFlags() const;
    void resizeToCaption();

    QColor layer2Color_{Qt::black};
    QColor layer3Color_{Qt::white};
    int layer2Depth_ = 1;
    int layer3Depth_ = -1;
    bool drawLayer2_ = true;
    bool drawLayer3_ = true;
    bool autoSize_ = true;
};
